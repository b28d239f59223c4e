// One run of the command, from the handshake to placement.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// The body of FinaleExtensionInvoke: 1 or 0 as the host is told.
int32_t RunCommand(HWND ownerWindow);

bool IsCtrlShiftDown();
void ShowExtractedPartMessage(HWND ownerWindow);

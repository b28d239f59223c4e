// Publishes the command's menu identifier for other processes.
#pragma once

#include <cstdint>

#include "platform/win32.h"

void StartMenuPublisher(HINSTANCE module, HWND hostWindow, int32_t versionValue, const char* menuText,
                        const char* programName);
void StopMenuPublisher();

// Divider placement over the page range held in dividerSettings.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// 1 when every page of the range was processed, 0 on the first failure.
int32_t PlaceDividers(HWND ownerWindow);

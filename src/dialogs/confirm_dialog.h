// The final-layout confirmation, template 20129.
#pragma once

#include <cstdint>

#include "platform/win32.h"

constexpr int32_t kConfirmDialogId = 20129;

// Nonzero to go on to the options dialog, 0 to end the command.
int32_t ConfirmFinalLayout(HWND ownerWindow, int16_t* flag);
int32_t WINAPI ConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, int32_t unused);

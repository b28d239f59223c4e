// The options dialog, template 20128: font size, vertical method, page range,
// adjustments and margin origin, with OK, Cancel and Remove.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "settings/divider_settings.h"

constexpr int32_t kOptionsDialogId = 20128;

// Runs the dialog over the record; returns its dialogAccepted once closed.
int32_t RunOptionsDialog(HWND ownerWindow, DividerSettings* record);
int32_t WINAPI OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, int32_t unused);

// Publishes the command's menu identifier for other processes: a hook on
// the host's user-interface thread waits for the first document window,
// finds the command in the menu bar and publishes its identifier in a named
// shared-memory block.
#pragma once

#include <cstdint>

#include "platform/win32.h"

void StartMenuPublisher(HINSTANCE module, HWND hostWindow, int32_t versionValue, const char* menuText,
                        const char* programName);
void StopMenuPublisher();

// The WH_CALLWNDPROC hook procedure. It passes every call on and acts on
// the first WM_MDICREATE only, removing itself there.
LRESULT CALLBACK MenuPublisherHook(int code, WPARAM wParam, LPARAM lParam);

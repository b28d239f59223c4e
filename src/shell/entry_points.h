// The six functions the Finale host calls, and the loader's entry point.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

// The host's command record that FinaleExtensionEnumerate fills. The module
// writes bytes 0 to 195 and nothing beyond.
#pragma pack(push, 1)
struct ExtensionCommandInfo {
    char menuText[64];
    char description[64];
    char title[64];
    int16_t reserved192;
    int16_t reserved194;
};
#pragma pack(pop)
static_assert(sizeof(ExtensionCommandInfo) == 196);
static_assert(offsetof(ExtensionCommandInfo, description) == 64);
static_assert(offsetof(ExtensionCommandInfo, title) == 128);
static_assert(offsetof(ExtensionCommandInfo, reserved192) == 192);
static_assert(offsetof(ExtensionCommandInfo, reserved194) == 194);

// Results the host reads as 16 bits are returned in full 32-bit registers,
// so a host reading either width sees the same value.
extern "C" {
int32_t WINAPI FinaleExtensionVersion(int32_t value);
int32_t WINAPI FinaleExtensionInit(HWND hostWindow, int32_t unused);
int32_t WINAPI FinaleExtensionEnumerate(int32_t unused, int32_t index, ExtensionCommandInfo* info);
int32_t WINAPI FinaleExtensionInvoke(HWND ownerWindow, int32_t unused1, int32_t unused2, int32_t unused3);
int32_t WINAPI FinaleExtensionTerminate(int32_t unused);
int32_t WINAPI FinaleExtensionGetMenuStatus(int32_t unused);

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
}

// What StartMenuPublisher remembers for the hook that finds and publishes
// the command's menu identifier.
#pragma once

#include <cstdint>

#include "platform/win32.h"

extern HINSTANCE publisherModule;
extern HWND publisherHostWindow;
extern int32_t publisherVersionValue;
extern const char* publisherMenuText;
extern const char* publisherProgramName;

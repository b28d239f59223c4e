// The publisher's process-wide values: what StartMenuPublisher remembers
// for the hook, and what the hook and the stop operation set and read.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Remembered by StartMenuPublisher.
extern HINSTANCE publisherModule;         // owns the hook procedure
extern HWND publisherHostWindow;          // the host's main window, holding the menu bar
extern int32_t publisherVersionValue;     // the numeric suffix of the block's name
extern const char* publisherMenuText;     // the command's menu text, searched for
extern const char* publisherProgramName;  // the first part of the block's name

// Set later.
extern HHOOK publisherHook;      // the waiting hook; null when none is installed
extern UINT publishedMenuId;     // what the search found, 0 for nothing
extern HANDLE publisherMapping;  // the published block, held until termination; null when none

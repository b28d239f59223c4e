// Values the shell keeps from load to unload.
#pragma once

#include <cstdint>

#include "platform/win32.h"

extern HINSTANCE moduleInstance;  // stored by DllMain on every call
extern int32_t hostVersionValue;  // last value given to FinaleExtensionVersion

// The command as the host lists it.
extern const char kMenuText[];     // "Kelmoor &Stavenor [v 1.07]..."
extern const char kDescription[];  // "Placing breaks between systems"
extern const char kTitle[];        // "Stavenor"
extern const char kProgramName[];  // "stavenor", prefix of the published block's name

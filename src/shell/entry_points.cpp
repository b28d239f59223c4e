// The export boundary: each entry point forwards to the work of its subsystem.
#include "shell/entry_points.h"

#include <cstring>

#include "platform/host_services.h"
#include "platform/wrap.h"
#include "publisher/menu_publisher.h"
#include "settings/divider_settings.h"
#include "shell/command_flow.h"
#include "shell/module_state.h"

namespace {

// A bounded copy that fills the rest of the 64-byte field with zeros.
void CopyField(char (&field)[64], const char* text) { std::strncpy(field, text, sizeof field); }

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    moduleInstance = instance;
    return TRUE;
}

int32_t WINAPI FinaleExtensionVersion(int32_t value) {
    hostVersionValue = value;
    return HostInterfaceVersion;
}

int32_t WINAPI FinaleExtensionInit(HWND hostWindow, int32_t) {
    LoadShowWarning(&showWarning);
    LoadDividerSettings(&dividerSettings);
    dividerSettings.saveOnExit = 0;
    StartMenuPublisher(moduleInstance, hostWindow, hostVersionValue, kMenuText, kProgramName);
    return 1;
}

int32_t WINAPI FinaleExtensionEnumerate(int32_t, int32_t index, ExtensionCommandInfo* info) {
    if (Low16(index) >= 1) return 0;
    CopyField(info->menuText, kMenuText);
    CopyField(info->description, kDescription);
    CopyField(info->title, kTitle);
    info->reserved192 = 0;
    info->reserved194 = 0;
    return 1;
}

int32_t WINAPI FinaleExtensionInvoke(HWND ownerWindow, int32_t, int32_t, int32_t) {
    return RunCommand(ownerWindow);
}

int32_t WINAPI FinaleExtensionTerminate(int32_t) {
    StopMenuPublisher();
    if (dividerSettings.saveOnExit != 0) SaveDividerSettings(&dividerSettings);
    return SaveShowWarning(showWarning);
}

int32_t WINAPI FinaleExtensionGetMenuStatus(int32_t) { return 1; }

}  // extern "C"

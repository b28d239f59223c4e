// The menu command publisher. For now it remembers what the host gave it at
// initialisation; the window hook and the shared block come later.
#include "publisher/menu_publisher.h"

#include "publisher/publisher_state.h"

HINSTANCE publisherModule = nullptr;
HWND publisherHostWindow = nullptr;
int32_t publisherVersionValue = 0;
const char* publisherMenuText = nullptr;
const char* publisherProgramName = nullptr;

void StartMenuPublisher(HINSTANCE module, HWND hostWindow, int32_t versionValue, const char* menuText,
                        const char* programName) {
    publisherModule = module;
    publisherHostWindow = hostWindow;
    publisherVersionValue = versionValue;
    publisherMenuText = menuText;
    publisherProgramName = programName;
}

void StopMenuPublisher() {}

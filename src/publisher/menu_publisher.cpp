// Starting and stopping the publisher: the hook on the host's
// user-interface thread is installed at initialisation and, if no document
// window came, removed at termination together with the published block.
#include "publisher/menu_publisher.h"

#include "publisher/publisher_state.h"

namespace {

// All access rights to a process as the systems the host runs on know
// them. Newer Windows headers define PROCESS_ALL_ACCESS as 0x1FFFFF, which
// older systems refuse.
constexpr DWORD kProcessAllAccess = 0x1F0FFF;

}  // namespace

void StartMenuPublisher(HINSTANCE module, HWND hostWindow, int32_t versionValue, const char* menuText,
                        const char* programName) {
    publisherModule = module;
    publisherHostWindow = hostWindow;
    publisherVersionValue = versionValue;
    publisherMenuText = menuText;
    publisherProgramName = programName;

    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(publisherHostWindow, &processId);
    if (threadId == 0) return;
    // Opening the host's process only proves that it can be opened; the
    // handle serves nothing further and is closed at once.
    HANDLE process = OpenProcess(kProcessAllAccess, FALSE, processId);
    if (process == nullptr) return;
    CloseHandle(process);
    publisherHook = SetWindowsHookExA(WH_CALLWNDPROC, MenuPublisherHook, publisherModule, threadId);
}

void StopMenuPublisher() {
    if (publisherHook != nullptr) {
        UnhookWindowsHookEx(publisherHook);
        publisherHook = nullptr;
    }
    if (publisherMapping != nullptr) {
        CloseHandle(publisherMapping);
        publisherMapping = nullptr;
    }
}

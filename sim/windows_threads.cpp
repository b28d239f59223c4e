// Windows with the thread that owns them and that thread's process, and the
// host sending messages on its user-interface thread, among them the
// WM_MDICREATE that opens a document window.
#include "sim/world_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

constexpr DWORD kErrorInvalidWindowHandle = 1400;
constexpr int kUseDefault = static_cast<int>(0x80000000u);  // CW_USEDEFAULT

// The layout of MDICREATESTRUCTA, which WM_MDICREATE carries in lParam.
struct MdiCreate {
    LPCSTR className;
    LPCSTR title;
    HANDLE owner;
    int x;
    int y;
    int width;
    int height;
    DWORD style;
    LPARAM lParam;
};

}  // namespace

namespace sim {

LRESULT SendWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RunCallWndProcHooks(window, message, wParam, lParam);
    W().delivered.push_back(DeliveredMessage{window, message, wParam, lParam});
    return 0;
}

HWND OpenDocumentWindow() {
    const int number = ++W().documentWindows;
    const std::string title = Format("Document %d", number);
    MdiCreate request{
        "FinaleDocument", title.c_str(), nullptr, kUseDefault, kUseDefault, kUseDefault, kUseDefault, 0, 0};
    SendWindowMessage(W().mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&request));
    return MakeWindow(Format("document:%d", number));
}

}  // namespace sim

DWORD WINAPI GetWindowThreadProcessId(HWND window, LPDWORD processId) {
    CountWin32("GetWindowThreadProcessId");
    auto owner = W().windowThreads.find(window);
    if (owner == W().windowThreads.end()) {
        W().lastError = kErrorInvalidWindowHandle;
        return 0;
    }
    if (processId != nullptr) {
        auto process = W().threadProcesses.find(owner->second);
        *processId = process == W().threadProcesses.end() ? 0 : process->second;
    }
    return owner->second;
}

// The Win32 user interface the module touches: message boxes, key state,
// the active window and wsprintfA. Dialog controls are in
// dialog_controls.cpp.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "sim/world_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

constexpr UINT kButtonsMask = 0x0000000F;
constexpr UINT kAbortRetryIgnore = 0x00000002;
constexpr UINT kRetryCancel = 0x00000005;
constexpr UINT kCancelTryContinue = 0x00000006;
constexpr int kAbort = 3;

std::string TextOf(LPCSTR text) { return text == nullptr ? std::string() : std::string(text); }

}  // namespace

namespace sim {

int ClosingAnswer(uint32_t style) {
    switch (style & kButtonsMask) {
        case MB_OK: return IDOK;
        case MB_YESNO: return IDNO;
        case kAbortRetryIgnore: return kAbort;  // no Cancel and no No; closing is Abort
        case MB_OKCANCEL:
        case MB_YESNOCANCEL:
        case kRetryCancel:
        case kCancelTryContinue:
        default: return IDCANCEL;
    }
}

}  // namespace sim

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    CountWin32("MessageBoxA");
    UiEvent event;
    event.kind = UiEvent::MessageBox;
    event.owner = owner;
    event.text = TextOf(text);
    event.caption = TextOf(caption);
    event.style = style;
    // By index, and the answer given on a copy: answering may grow the log.
    size_t index = W().ui.size();
    W().ui.push_back(event);

    std::function<int(UiEvent&)> answer = W().answerMessageBox;
    int result = ClosingAnswer(style);
    if (answer) {
        UiEvent asked = event;
        result = answer(asked);
        event = asked;
    }
    event.answer = result;
    if (index < W().ui.size()) W().ui[index] = event;
    return result;
}

SHORT WINAPI GetKeyState(int virtualKey) {
    CountWin32("GetKeyState");
    W().keyStateQueries.push_back(virtualKey);
    bool down = (virtualKey == VK_CONTROL && W().ctrlDown) || (virtualKey == VK_SHIFT && W().shiftDown);
    return down ? static_cast<SHORT>(-128) : static_cast<SHORT>(0);
}

HWND WINAPI GetActiveWindow() {
    CountWin32("GetActiveWindow");
    return W().activeWindow;
}

// wsprintfA writes at most 1024 characters and the terminating zero.
int wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    CountWin32("wsprintfA");
    constexpr size_t kLargest = 1025;
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(buffer, kLargest, format, arguments);
    va_end(arguments);
    if (written < 0) return 0;
    return written < static_cast<int>(kLargest) ? written : static_cast<int>(kLargest) - 1;
}

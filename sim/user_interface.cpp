// The Win32 user interface the module touches: message boxes, key state,
// the active window, and the child windows of dialog controls with the
// messages sent to them.
#include <string>

#include "sim/world_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

// The list and combo box messages the simulation answers; every other
// message is kept and answered 0.
constexpr UINT kLbAddString = 0x0180;
constexpr UINT kLbSetCurSel = 0x0186;
constexpr UINT kLbGetCurSel = 0x0188;
constexpr UINT kLbGetCount = 0x018B;
constexpr UINT kCbAddString = 0x0143;
constexpr UINT kCbGetCount = 0x0146;
constexpr UINT kCbGetCurSel = 0x0147;
constexpr UINT kCbSetCurSel = 0x014E;
constexpr LRESULT kListError = -1;  // LB_ERR, CB_ERR

constexpr UINT kButtonsMask = 0x0000000F;
constexpr UINT kAbortRetryIgnore = 0x00000002;
constexpr UINT kRetryCancel = 0x00000005;
constexpr UINT kCancelTryContinue = 0x00000006;
constexpr int kAbort = 3;

std::string TextOf(LPCSTR text) { return text == nullptr ? std::string() : std::string(text); }

LRESULT AddItem(ChildControl& control, LPARAM text) {
    control.items.push_back(TextOf(reinterpret_cast<LPCSTR>(text)));
    return static_cast<LRESULT>(control.items.size() - 1);
}

// -1 clears the selection and answers an error, as Windows does; an index
// past the items answers an error and changes nothing.
LRESULT Select(ChildControl& control, WPARAM indexParameter) {
    auto index = static_cast<int32_t>(static_cast<uint32_t>(indexParameter & 0xFFFFFFFFu));
    if (index == -1) {
        control.selection = -1;
        return kListError;
    }
    if (index < 0 || static_cast<size_t>(index) >= control.items.size()) return kListError;
    control.selection = index;
    return index;
}

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

HWND DialogItem(HWND dialog, int32_t controlId) {
    auto key = std::make_pair(dialog, controlId);
    auto found = I().dialogItems.find(key);
    if (found != I().dialogItems.end()) return found->second;
    std::string parent = WindowName(dialog);
    HWND child =
        MakeWindow((parent.empty() ? std::string("window") : parent) + "/" + std::to_string(controlId));
    I().dialogItems[key] = child;
    ChildControl& control = W().children[child];
    control.dialog = dialog;
    control.controlId = controlId;
    return child;
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

HWND WINAPI GetDlgItem(HWND dialog, int controlId) {
    CountWin32("GetDlgItem");
    return DialogItem(dialog, controlId);
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CountWin32("SendMessageA");
    RunCallWndProcHooks(window, message, wParam, lParam);
    auto found = W().children.find(window);
    if (found == W().children.end()) return 0;
    ChildControl& control = found->second;
    control.messages.push_back(SentMessage{message, wParam, lParam});
    switch (message) {
        case kLbAddString:
        case kCbAddString: return AddItem(control, lParam);
        case kLbSetCurSel:
        case kCbSetCurSel: return Select(control, wParam);
        case kLbGetCurSel:
        case kCbGetCurSel: return control.selection;
        case kLbGetCount:
        case kCbGetCount: return static_cast<LRESULT>(control.items.size());
        default: return 0;
    }
}

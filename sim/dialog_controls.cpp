// The controls of a simulated dialog: made from the dialog's template, found
// by GetDlgItem, and answering the list box, combo box, edit and up-down
// messages the module sends them as the Win32 controls do.
#include <algorithm>
#include <string>

#include "sim/dialog_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

constexpr UINT kLbGetCount = 0x018B;
constexpr UINT kCbGetCount = 0x0146;
constexpr UINT kCbGetCurSel = 0x0147;
constexpr UINT kCbSetCurSel = 0x014E;
constexpr LRESULT kListError = -1;  // LB_ERR, CB_ERR
constexpr int32_t kLargestEditLimit = 0x7FFFFFFE;

Control::Kind KindOf(const ControlTemplate& control) {
    const std::string name = Lower(control.className);
    if (name == "static") return Control::Static;
    if (name == "listbox") return Control::ListBox;
    if (name == "combobox") return Control::ComboBox;
    if (name == "edit") return Control::Edit;
    if (name == "msctls_updown32") return Control::UpDown;
    if (name != "button") return Control::Other;
    switch (control.style & style::kButtonTypeMask) {
        case 0x0:
        case 0x1: return Control::PushButton;
        case 0x2:
        case 0x3:
        case 0x5:
        case 0x6: return Control::CheckBox;
        case 0x4:
        case 0x9: return Control::RadioButton;
        case 0x7: return Control::GroupBox;
        default: return Control::Other;
    }
}

const char* KindName(Control::Kind kind) {
    switch (kind) {
        case Control::Static: return "static text";
        case Control::PushButton: return "push button";
        case Control::CheckBox: return "check box";
        case Control::RadioButton: return "radio button";
        case Control::GroupBox: return "group box";
        case Control::ListBox: return "list box";
        case Control::ComboBox: return "combo box";
        case Control::Edit: return "edit field";
        case Control::UpDown: return "up-down control";
        case Control::Other: break;
    }
    return "control";
}

std::string TextOf(LPARAM text) {
    const auto* chars = reinterpret_cast<LPCSTR>(text);
    return chars == nullptr ? std::string() : std::string(chars);
}

// A message meant for one kind of control; sent to another, it is the
// sender's mistake.
bool Fits(const Control& control, Control::Kind kind, const char* message) {
    if (control.kind == kind) return true;
    Breach(Format("%s sent to control %d of '%s', a %s", message, control.id,
                  WindowName(control.dialog).c_str(), KindName(control.kind)));
    return false;
}

LRESULT Select(Control& control, WPARAM indexParameter) {
    const auto index = static_cast<int32_t>(static_cast<uint32_t>(indexParameter & 0xFFFFFFFFu));
    if (index == -1) {
        control.selection = -1;
        return kListError;
    }
    if (index < 0 || static_cast<size_t>(index) >= control.items.size()) return kListError;
    control.selection = index;
    return index;
}

LRESULT ListMessage(Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case LB_ADDSTRING:
            if (!Fits(control, Control::ListBox, "LB_ADDSTRING")) return kListError;
            control.items.push_back(TextOf(lParam));
            return static_cast<LRESULT>(control.items.size() - 1);
        case LB_SETCURSEL:
            if (!Fits(control, Control::ListBox, "LB_SETCURSEL")) return kListError;
            return Select(control, wParam);
        case LB_GETCURSEL:
            if (!Fits(control, Control::ListBox, "LB_GETCURSEL")) return kListError;
            return control.selection;
        case kLbGetCount:
            if (!Fits(control, Control::ListBox, "LB_GETCOUNT")) return kListError;
            return static_cast<LRESULT>(control.items.size());
        case CB_ADDSTRING:
            if (!Fits(control, Control::ComboBox, "CB_ADDSTRING")) return kListError;
            control.items.push_back(TextOf(lParam));
            return static_cast<LRESULT>(control.items.size() - 1);
        case kCbSetCurSel:
            if (!Fits(control, Control::ComboBox, "CB_SETCURSEL")) return kListError;
            return Select(control, wParam);
        case kCbGetCurSel:
            if (!Fits(control, Control::ComboBox, "CB_GETCURSEL")) return kListError;
            return control.selection;
        case kCbGetCount:
            if (!Fits(control, Control::ComboBox, "CB_GETCOUNT")) return kListError;
            return static_cast<LRESULT>(control.items.size());
        default: return 0;
    }
}

LRESULT EditMessage(Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == EM_LIMITTEXT) {
        if (!Fits(control, Control::Edit, "EM_LIMITTEXT")) return 0;
        const auto limit = static_cast<int64_t>(wParam);
        control.textLimit =
            limit <= 0 || limit > kLargestEditLimit ? kLargestEditLimit : static_cast<int32_t>(limit);
        return 0;
    }
    // EM_SETSEL: -1 as the start removes the selection; -1 as the end, or an
    // end past the text, selects to the end of the text.
    if (!Fits(control, Control::Edit, "EM_SETSEL")) return 0;
    const auto length = static_cast<int64_t>(control.text.size());
    auto start = static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(wParam & 0xFFFFFFFFu)));
    auto end = static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(lParam & 0xFFFFFFFF)));
    if (start == -1) {
        control.selectionStart = control.selectionEnd = static_cast<int32_t>(length);
        return 0;
    }
    if (end < 0 || end > length) end = length;
    if (start < 0 || start > length) start = length;
    if (start > end) std::swap(start, end);
    control.selectionStart = static_cast<int32_t>(start);
    control.selectionEnd = static_cast<int32_t>(end);
    return 0;
}

}  // namespace

namespace sim::detail {

void MakeControls(DialogWindow& dialog, const DialogTemplate& dialogTemplate) {
    HWND previous = nullptr;
    for (const ControlTemplate& item : dialogTemplate.controls) {
        HWND window = MakeWindow(WindowName(dialog.window) + "/" + std::to_string(item.id));
        Control& control = W().controls[window];
        control.window = window;
        control.dialog = dialog.window;
        control.id = item.id;
        control.kind = KindOf(item);
        control.style = item.style;
        control.text = item.text;
        control.enabled = (item.style & style::kDisabled) == 0;
        if (control.kind == Control::UpDown && (item.style & style::kAutoBuddy) != 0)
            control.buddy = previous;
        dialog.controls.push_back(window);
        previous = window;
    }
}

Control* FindControl(HWND window) {
    auto found = W().controls.find(window);
    return found == W().controls.end() ? nullptr : &found->second;
}

void SetEditText(Control& control, const std::string& text) {
    control.text = text;
    control.selectionStart = control.selectionEnd = 0;
}

}  // namespace sim::detail

namespace sim {

DialogWindow* FindDialog(HWND dialog) {
    auto found = W().dialogs.find(dialog);
    return found == W().dialogs.end() ? nullptr : &found->second;
}

Control* FindControl(HWND dialog, int32_t controlId) {
    DialogWindow* window = FindDialog(dialog);
    if (window == nullptr) return nullptr;
    for (HWND child : window->controls) {
        Control* control = detail::FindControl(child);
        if (control != nullptr && control->id == controlId) return control;
    }
    return nullptr;
}

std::map<int32_t, ControlView> ViewDialog(HWND dialog) {
    std::map<int32_t, ControlView> view;
    DialogWindow* window = FindDialog(dialog);
    if (window == nullptr) return view;
    for (HWND child : window->controls) {
        const Control& control = W().controls.at(child);
        ControlView& seen = view[control.id];
        seen.enabled = control.enabled;
        switch (control.kind) {
            case Control::CheckBox:
            case Control::RadioButton: seen.checked = control.checked; break;
            case Control::Edit: seen.text = control.text; break;
            case Control::ListBox:
            case Control::ComboBox:
                seen.selection = control.selection;
                if (control.selection >= 0)
                    seen.text = control.items.at(static_cast<size_t>(control.selection));
                break;
            default: break;
        }
    }
    return view;
}

}  // namespace sim

HWND WINAPI GetDlgItem(HWND dialog, int controlId) {
    CountWin32("GetDlgItem");
    Control* control = FindControl(dialog, controlId);
    return control == nullptr ? nullptr : control->window;
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CountWin32("SendMessageA");
    RunCallWndProcHooks(window, message, wParam, lParam);
    Control* control = detail::FindControl(window);
    if (control == nullptr) {
        Breach(Format("SendMessageA(0x%04x) to '%s', which is no control", message,
                      window == nullptr ? "null" : WindowName(window).c_str()));
        return 0;
    }
    control->messages.push_back(SentMessage{message, wParam, lParam});
    switch (message) {
        case EM_LIMITTEXT:
        case EM_SETSEL: return EditMessage(*control, message, wParam, lParam);
        case UDM_SETRANGE:
            if (!Fits(*control, Control::UpDown, "UDM_SETRANGE")) return 0;
            control->upper = static_cast<int16_t>(LOWORD(lParam));
            control->lower = static_cast<int16_t>(HIWORD(lParam));
            return 0;
        default: return ListMessage(*control, message, wParam, lParam);
    }
}

// What a user does in an open dialog, and the messages that makes the
// controls send, as Windows' own controls do:
//
// - a click on a push button, check box or radio button gives it the focus;
//   an auto check box toggles, an auto radio button is checked and clears
//   the other radio buttons of its group (the controls from one carrying
//   WS_GROUP up to the next); then BN_CLICKED goes to the dialog;
// - a selection in a list or combo box gives it the focus, selects the
//   entry and sends LBN_SELCHANGE or CBN_SELCHANGE;
// - typing replaces an edit field's text, keeping only what the field
//   takes: digits alone under ES_NUMBER, and no more characters than its
//   text limit; the caret ends after the text; then EN_CHANGE;
// - a click on an up-down arrow first takes the buddy's number as the
//   position (UDS_SETBUDDYINT, when the buddy holds a number in range), then
//   sends UDN_DELTAPOS through WM_NOTIFY with the proposed change: +1 for the
//   up arrow when the range's upper end is above its lower end, -1 when it is
//   below (as in the default range 100..0), the opposite for the down
//   arrow. The notification's answer is taken as 0, as the dialog manager
//   answers when the procedure sets no result, so the change goes ahead: the
//   position moves within the range, and a UDS_SETBUDDYINT control writes it
//   into its buddy. WM_VSCROLL with SB_THUMBPOSITION follows.
#include <algorithm>
#include <string>

#include "sim/dialog_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

constexpr int32_t kClicked = 0;          // BN_CLICKED
constexpr int32_t kSelChange = 1;        // LBN_SELCHANGE, CBN_SELCHANGE
constexpr int32_t kEditChange = 0x0300;  // EN_CHANGE
constexpr UINT kVScroll = 0x0115;
constexpr int32_t kThumbPosition = 4;  // SB_THUMBPOSITION

UserOutcome Unfit(const std::string& why) { return UserOutcome{UserAction::Unfit, why}; }

// The control a user would act on, or why the user cannot.
UserOutcome Reach(HWND dialog, int32_t controlId, Control** control) {
    DialogWindow* window = FindDialog(dialog);
    if (window == nullptr || !window->open) return UserOutcome{UserAction::DialogClosed, {}};
    *control = FindControl(dialog, controlId);
    if (*control == nullptr)
        return Unfit(Format("dialog %d has no control %d", window->templateId, controlId));
    if (!(*control)->enabled) return UserOutcome{UserAction::Disabled, {}};
    return UserOutcome{};
}

void Focus(const Control& control) { W().dialogs[control.dialog].focus = control.id; }

void CheckRadioInGroup(Control& clicked) {
    const DialogWindow& dialog = W().dialogs.at(clicked.dialog);
    auto at = std::find(dialog.controls.begin(), dialog.controls.end(), clicked.window);
    auto first = at;
    while (first != dialog.controls.begin() && (W().controls.at(*first).style & style::kGroup) == 0) --first;
    auto last = at + 1;
    while (last != dialog.controls.end() && (W().controls.at(*last).style & style::kGroup) == 0) ++last;
    for (auto it = first; it != last; ++it) {
        Control& member = W().controls.at(*it);
        if (member.kind == Control::RadioButton) member.checked = false;
    }
    clicked.checked = true;
}

int32_t Clamp(int64_t value, int32_t a, int32_t b) {
    const int64_t low = std::min(a, b);
    const int64_t high = std::max(a, b);
    return static_cast<int32_t>(std::clamp(value, low, high));
}

}  // namespace

namespace sim {

UserOutcome ClickControl(HWND dialog, int32_t controlId) {
    Control* control = nullptr;
    UserOutcome outcome = Reach(dialog, controlId, &control);
    if (outcome.action != UserAction::Performed) return outcome;
    const uint32_t type = control->style & style::kButtonTypeMask;
    switch (control->kind) {
        case Control::PushButton: break;
        case Control::CheckBox:
            if (type == style::kAutoCheckBox || type == style::kAuto3State)
                control->checked = !control->checked;
            break;
        case Control::RadioButton:
            if (type == style::kAutoRadioButton) CheckRadioInGroup(*control);
            break;
        default: return Unfit(Format("control %d is not a button, a check box or a radio button", controlId));
    }
    Focus(*control);
    NotifyCommand(*control, kClicked);
    return outcome;
}

UserOutcome SelectItem(HWND dialog, int32_t controlId, int32_t index) {
    Control* control = nullptr;
    UserOutcome outcome = Reach(dialog, controlId, &control);
    if (outcome.action != UserAction::Performed) return outcome;
    if (control->kind != Control::ListBox && control->kind != Control::ComboBox) {
        return Unfit(Format("control %d is not a list or a combo box", controlId));
    }
    if (index < 0 || static_cast<size_t>(index) >= control->items.size()) {
        return Unfit(
            Format("control %d has no entry %d (it has %zu)", controlId, index, control->items.size()));
    }
    Focus(*control);
    control->selection = index;
    NotifyCommand(*control, kSelChange);
    return outcome;
}

UserOutcome TypeText(HWND dialog, int32_t controlId, const std::string& text) {
    Control* control = nullptr;
    UserOutcome outcome = Reach(dialog, controlId, &control);
    if (outcome.action != UserAction::Performed) return outcome;
    if (control->kind != Control::Edit) return Unfit(Format("control %d is not an edit field", controlId));
    Focus(*control);
    std::string typed;
    for (char c : text) {
        if ((control->style & style::kNumber) != 0 && (c < '0' || c > '9')) continue;
        if (typed.size() >= static_cast<size_t>(control->textLimit)) break;
        typed += c;
    }
    control->text = typed;
    control->selectionStart = control->selectionEnd = static_cast<int32_t>(typed.size());
    NotifyCommand(*control, kEditChange);
    return outcome;
}

UserOutcome SpinUpDown(HWND dialog, int32_t controlId, bool up) {
    Control* control = nullptr;
    UserOutcome outcome = Reach(dialog, controlId, &control);
    if (outcome.action != UserAction::Performed) return outcome;
    if (control->kind != Control::UpDown)
        return Unfit(Format("control %d is not an up-down control", controlId));

    const bool setsBuddy = (control->style & style::kSetBuddyInt) != 0;
    Control* buddy = control->buddy == nullptr ? nullptr : detail::FindControl(control->buddy);
    int32_t shown = 0;
    if (setsBuddy && buddy != nullptr && buddy->kind == Control::Edit &&
        ReadEditInteger(buddy->text, &shown) && Clamp(shown, control->lower, control->upper) == shown) {
        control->position = shown;
    }

    const bool reversed = control->upper < control->lower;
    NMUPDOWN change = {};
    change.hdr.hwndFrom = control->window;
    change.hdr.idFrom = static_cast<UINT_PTR>(controlId);
    change.hdr.code = UDN_DELTAPOS;
    change.iPos = control->position;
    change.iDelta = (up != reversed) ? 1 : -1;
    SendToDialog(dialog, WM_NOTIFY, static_cast<WPARAM>(controlId), reinterpret_cast<LPARAM>(&change));

    // The procedure may have closed the dialog. Controls stay in the world
    // once made, so the pointers still hold.
    if (!FindDialog(dialog)->open) return outcome;
    const int32_t moved =
        Clamp(static_cast<int64_t>(control->position) + change.iDelta, control->lower, control->upper);
    if (moved != control->position) {
        control->position = moved;
        if (setsBuddy && buddy != nullptr) SetEditText(*buddy, std::to_string(moved));
    }
    SendToDialog(dialog, kVScroll, static_cast<WPARAM>(MAKELONG(kThumbPosition, control->position)),
                 reinterpret_cast<LPARAM>(control->window));
    return outcome;
}

}  // namespace sim

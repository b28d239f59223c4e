// The host's modal dialog service and the control and measurement services
// a dialog procedure uses.
//
// HostRunDialog makes the dialog and its controls from the module's
// template, sends WM_INITDIALOG, lets the scenario's driver act as the user,
// and closes a dialog still open afterwards as a user would. It returns when
// HostEndDialog has closed the dialog.
#include <cstdlib>

#include "sim/dialog_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

constexpr int32_t kConfirmDialogId = 20129;
// What the host passes as the procedure's ignored fifth value.
constexpr int32_t kIgnoredValue = 0x5A5A5A5A;

WPARAM CommandParameter(int32_t controlId, int32_t notification) {
    return static_cast<WPARAM>((static_cast<uint32_t>(notification) << 16) |
                               (static_cast<uint32_t>(controlId) & 0xFFFFu));
}

const char* KindName(int32_t kind) {
    switch (kind) {
        case ComboIndex: return "ComboIndex";
        case CheckState: return "CheckState";
        case RadioState: return "RadioState";
        case EditInteger: return "EditInteger";
        default: return "an unknown kind";
    }
}

// The control a service names in an open dialog, or null after a breach.
Control* ServedControl(const char* service, HWND dialog, int32_t controlId) {
    DialogWindow* window = FindDialog(dialog);
    if (window == nullptr || !window->open) {
        Breach(Format("%s: window '%s' is not an open dialog", service, WindowName(dialog).c_str()));
        return nullptr;
    }
    Control* control = FindControl(dialog, controlId);
    if (control == nullptr) {
        Breach(Format("%s: dialog %d has no control %d", service, window->templateId, controlId));
    }
    return control;
}

// Whether the kind fits the control: ComboIndex a combo box, CheckState a
// check box (also read from radio buttons), RadioState a radio button,
// EditInteger an edit field.
bool KindFits(const char* service, const Control& control, int32_t kind, bool reading) {
    bool fits = false;
    switch (kind) {
        case ComboIndex: fits = control.kind == Control::ComboBox; break;
        case CheckState:
            fits = control.kind == Control::CheckBox || (reading && control.kind == Control::RadioButton);
            break;
        case RadioState: fits = control.kind == Control::RadioButton; break;
        case EditInteger: fits = control.kind == Control::Edit; break;
        default: break;
    }
    if (!fits) Breach(Format("%s: %s does not fit control %d", service, KindName(kind), control.id));
    return fits;
}

Control* MeasurementField(const char* service, HWND dialog, int32_t controlId) {
    Control* control = ServedControl(service, dialog, controlId);
    if (control == nullptr) return nullptr;
    if (control->kind != Control::Edit) {
        Breach(Format("%s: control %d is not an edit field", service, controlId));
        return nullptr;
    }
    return control;
}

void CloseDialog(HWND dialog) {
    DialogWindow* window = FindDialog(dialog);
    if (window != nullptr) window->open = false;
    I().dialogProcs.erase(dialog);
}

bool IsOpen(HWND dialog) {
    DialogWindow* window = FindDialog(dialog);
    return window != nullptr && window->open;
}

HWND FirstTabStop(const DialogWindow& dialog) {
    for (HWND child : dialog.controls) {
        const Control& control = W().controls.at(child);
        if ((control.style & style::kTabStop) != 0 && control.enabled) return child;
    }
    return nullptr;
}

}  // namespace

namespace sim {

int32_t ClosingCommand(int32_t templateId) { return templateId == kConfirmDialogId ? IDNO : IDCANCEL; }

int32_t SendToDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = I().dialogProcs.find(dialog);
    if (found == I().dialogProcs.end()) {
        Breach(Format("SendToDialog: window '%s' is not an open dialog", WindowName(dialog).c_str()));
        return 0;
    }
    return found->second(dialog, message, wParam, lParam, kIgnoredValue);
}

int32_t SendCommand(HWND dialog, int32_t controlId, int32_t notification) {
    return SendToDialog(dialog, WM_COMMAND, CommandParameter(controlId, notification), 0);
}

namespace detail {

int32_t NotifyCommand(const Control& control, int32_t notification) {
    return SendCommand(control.dialog, control.id, notification);
}

bool ReadEditInteger(const std::string& text, int32_t* value) {
    const char* start = text.c_str();
    while (*start == ' ' || *start == '\t') ++start;
    const char* digits = start + ((*start == '-' || *start == '+') ? 1 : 0);
    if (*digits < '0' || *digits > '9') return false;
    char* end = nullptr;
    const long long number = std::strtoll(start, &end, 10);
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0' || number < INT32_MIN || number > INT32_MAX) return false;
    *value = static_cast<int32_t>(number);
    return true;
}

}  // namespace detail

}  // namespace sim

extern "C" {

int32_t WINAPI HostRunDialog(int32_t templateId, HostDialogProc proc, HWND parent, int32_t one, int32_t zero,
                             int32_t version) {
    LogHost("HostRunDialog", Format("%d", templateId));
    CheckVersion("HostRunDialog", version);
    if (one != 1 || zero != 0) Breach(Format("HostRunDialog: arguments (%d, %d), not (1, 0)", one, zero));
    if (proc == nullptr) {
        Breach(Format("HostRunDialog: dialog %d without a procedure", templateId));
        return 0;
    }
    if (W().unshowableDialogs.count(templateId) != 0) return 0;
    const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId);
    if (dialogTemplate == nullptr) {
        Breach(Format("HostRunDialog: the module has no dialog template %d", templateId));
        return 0;
    }

    HWND dialog = MakeWindow(Format("dialog:%d", templateId));
    DialogWindow& window = W().dialogs[dialog];
    window.window = dialog;
    window.templateId = templateId;
    window.parent = parent;
    window.open = true;
    MakeControls(window, *dialogTemplate);
    I().dialogProcs[dialog] = proc;

    UiEvent event;
    event.kind = UiEvent::Dialog;
    event.templateId = templateId;
    event.parent = parent;
    event.window = dialog;
    // By index: message boxes shown from inside the dialog grow the log.
    const size_t index = W().ui.size();
    W().ui.push_back(event);

    // As Windows does, WM_INITDIALOG names the first control that takes the
    // focus; a nonzero answer gives it the focus.
    HWND first = FirstTabStop(window);
    const int32_t answer = SendToDialog(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0);
    if (IsOpen(dialog)) {
        if ((static_cast<uint32_t>(answer) & 0xFFFFu) != 0 && first != nullptr) {
            window.focus = W().controls.at(first).id;
        }
        W().ui[index].opened = ViewDialog(dialog);
    }

    if (IsOpen(dialog)) {
        // The driver works on a copy, so the log may grow under it; what it
        // marks on the event is kept.
        std::function<void(UiEvent&)> drive = W().driveDialog;
        if (drive) {
            UiEvent acting = W().ui[index];
            drive(acting);
            W().ui[index] = acting;
        }
    }

    if (IsOpen(dialog)) {
        W().ui[index].leftOpen = true;
        ClickControl(dialog, ClosingCommand(templateId));
    }

    if (IsOpen(dialog)) {
        Breach(Format("HostRunDialog: dialog %d still open after a click on its button %d", templateId,
                      ClosingCommand(templateId)));
        CloseDialog(dialog);
    }
    return 1;
}

int32_t WINAPI HostEndDialog(HWND dialog, int32_t version) {
    LogHost("HostEndDialog", WindowName(dialog));
    CheckVersion("HostEndDialog", version);
    if (!IsOpen(dialog)) {
        Breach(Format("HostEndDialog: window '%s' is not an open dialog", WindowName(dialog).c_str()));
        return 0;
    }
    CloseDialog(dialog);
    return 1;
}

int32_t WINAPI HostEnableControl(HWND dialog, int32_t controlId, int32_t flag, int32_t version) {
    LogHost("HostEnableControl", Format("%d,%d", controlId, flag));
    CheckVersion("HostEnableControl", version);
    Control* control = ServedControl("HostEnableControl", dialog, controlId);
    if (control == nullptr) return 0;
    if (flag != 0 && flag != 1) Breach(Format("HostEnableControl: flag %d for control %d", flag, controlId));
    control->enabled = flag != 0;
    return 1;
}

int32_t WINAPI HostFocusControl(HWND dialog, int32_t controlId, int32_t version) {
    LogHost("HostFocusControl", Format("%d", controlId));
    CheckVersion("HostFocusControl", version);
    if (ServedControl("HostFocusControl", dialog, controlId) == nullptr) return 0;
    W().dialogs[dialog].focus = controlId;
    return 1;
}

int32_t WINAPI HostReadMeasurement(HWND dialog, int32_t controlId, int32_t unit, double* evpus,
                                   int32_t version) {
    LogHost("HostReadMeasurement", Format("%d,%d", controlId, Arg16(unit)));
    CheckVersion("HostReadMeasurement", version);
    if (evpus == nullptr) {
        Breach("HostReadMeasurement: null value pointer");
        return 0;
    }
    Control* field = MeasurementField("HostReadMeasurement", dialog, controlId);
    if (field == nullptr) return 0;
    // A text that is no number leaves the value as the caller had it.
    return ReadMeasurementText(field->text, Arg16(unit), evpus) ? 1 : 0;
}

int32_t WINAPI HostWriteMeasurement(HWND dialog, int32_t controlId, int32_t unit, double evpus,
                                    int32_t version) {
    LogHost("HostWriteMeasurement", Format("%d,%d,%g", controlId, Arg16(unit), evpus));
    CheckVersion("HostWriteMeasurement", version);
    Control* field = MeasurementField("HostWriteMeasurement", dialog, controlId);
    if (field == nullptr) return 0;
    SetEditText(*field, MeasurementText(evpus, Arg16(unit)));
    return 1;
}

int32_t WINAPI HostGetControl(HWND dialog, int32_t controlId, int32_t kind, int32_t version) {
    LogHost("HostGetControl", Format("%d,%d", controlId, kind));
    CheckVersion("HostGetControl", version);
    Control* control = ServedControl("HostGetControl", dialog, controlId);
    if (control == nullptr || !KindFits("HostGetControl", *control, kind, true)) return 0;
    switch (kind) {
        case ComboIndex: return control->selection + 1;
        case CheckState:
        case RadioState: return control->checked ? 1 : 0;
        default: {
            // A field that holds no integer reads as 0.
            int32_t value = 0;
            return ReadEditInteger(control->text, &value) ? value : 0;
        }
    }
}

int32_t WINAPI HostSetControl(HWND dialog, int32_t controlId, int32_t kind, int32_t value, int32_t version) {
    LogHost("HostSetControl", Format("%d,%d,%d", controlId, kind, value));
    CheckVersion("HostSetControl", version);
    Control* control = ServedControl("HostSetControl", dialog, controlId);
    if (control == nullptr || !KindFits("HostSetControl", *control, kind, false)) return 0;
    switch (kind) {
        case ComboIndex: {
            // 1-based; anything outside the entries leaves none selected.
            const int64_t index = static_cast<int64_t>(value) - 1;
            const bool inside = index >= 0 && index < static_cast<int64_t>(control->items.size());
            control->selection = inside ? static_cast<int32_t>(index) : -1;
            break;
        }
        case CheckState:
        case RadioState: control->checked = value != 0; break;
        default: SetEditText(*control, std::to_string(value)); break;
    }
    return 1;
}

}  // extern "C"

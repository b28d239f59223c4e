// The host's modal dialog service and the control and measurement services
// a dialog procedure uses, with the helpers a scenario's driver acts through.
#include "sim/world_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

constexpr int32_t kConfirmDialogId = 20129;
// What the host passes as the procedure's ignored fifth value.
constexpr int32_t kIgnoredValue = 0x5A5A5A5A;

int32_t CallProcedure(HostDialogProc proc, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc(dialog, message, wParam, lParam, kIgnoredValue);
}

WPARAM CommandParameter(int32_t controlId, int32_t notification) {
    return static_cast<WPARAM>((static_cast<uint32_t>(notification) << 16) |
                               (static_cast<uint32_t>(controlId) & 0xFFFFu));
}

// A control's stored value, or the fallback; reading adds nothing.
template <typename Value>
Value Stored(const std::map<HWND, std::map<int32_t, Value>>& byDialog, HWND dialog, int32_t controlId,
             Value fallback) {
    auto controls = byDialog.find(dialog);
    if (controls == byDialog.end()) return fallback;
    auto found = controls->second.find(controlId);
    return found == controls->second.end() ? fallback : found->second;
}

bool IsOpen(HWND dialog) { return W().openDialogs.count(dialog) != 0; }

void Close(HWND dialog) {
    W().openDialogs.erase(dialog);
    I().dialogProcs.erase(dialog);
}

void CheckKind(const char* service, int32_t kind) {
    if (kind < ComboIndex || kind > EditInteger) Breach(Format("%s: unknown control kind %d", service, kind));
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
    return CallProcedure(found->second, dialog, message, wParam, lParam);
}

int32_t SendCommand(HWND dialog, int32_t controlId, int32_t notification) {
    return SendToDialog(dialog, WM_COMMAND, CommandParameter(controlId, notification), 0);
}

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

    HWND dialog = MakeWindow(Format("dialog:%d", templateId));
    W().openDialogs[dialog] = templateId;
    I().dialogProcs[dialog] = proc;

    UiEvent event;
    event.kind = UiEvent::Dialog;
    event.templateId = templateId;
    event.parent = parent;
    event.window = dialog;
    // By index: message boxes shown from inside the dialog grow the log.
    size_t index = W().ui.size();
    W().ui.push_back(event);

    CallProcedure(proc, dialog, WM_INITDIALOG, 0, 0);

    if (IsOpen(dialog)) {
        // The driver works on a copy, so the log may grow under it; what it
        // marks on the event is kept.
        std::function<void(UiEvent&)> drive = W().driveDialog;
        if (drive && index < W().ui.size()) {
            UiEvent acting = W().ui[index];
            drive(acting);
            if (index < W().ui.size()) W().ui[index] = acting;
        }
    }

    if (IsOpen(dialog)) {
        if (index < W().ui.size()) W().ui[index].leftOpen = true;
        CallProcedure(proc, dialog, WM_COMMAND, CommandParameter(ClosingCommand(templateId), 0), 0);
    }

    if (IsOpen(dialog)) {
        Breach(Format("HostRunDialog: dialog %d still open after its closing command %d", templateId,
                      ClosingCommand(templateId)));
        Close(dialog);
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
    Close(dialog);
    return 1;
}

int32_t WINAPI HostEnableControl(HWND dialog, int32_t controlId, int32_t flag, int32_t version) {
    LogHost("HostEnableControl", Format("%d,%d", controlId, flag));
    CheckVersion("HostEnableControl", version);
    W().enableFlags[dialog][controlId] = flag;
    return 1;
}

int32_t WINAPI HostFocusControl(HWND dialog, int32_t controlId, int32_t version) {
    LogHost("HostFocusControl", Format("%d", controlId));
    CheckVersion("HostFocusControl", version);
    W().focusedControl[dialog] = controlId;
    return 1;
}

int32_t WINAPI HostReadMeasurement(HWND dialog, int32_t controlId, int32_t unit, double* evpus,
                                   int32_t version) {
    LogHost("HostReadMeasurement", Format("%d,%d", controlId, unit));
    CheckVersion("HostReadMeasurement", version);
    if (evpus == nullptr) {
        Breach("HostReadMeasurement: null value pointer");
        return 0;
    }
    // The field holds EVPUs; showing and reading them in any unit is exact.
    *evpus = Stored(W().measurementValues, dialog, controlId, 0.0);
    return 1;
}

int32_t WINAPI HostWriteMeasurement(HWND dialog, int32_t controlId, int32_t unit, double evpus,
                                    int32_t version) {
    LogHost("HostWriteMeasurement", Format("%d,%d,%g", controlId, unit, evpus));
    CheckVersion("HostWriteMeasurement", version);
    W().measurementValues[dialog][controlId] = evpus;
    return 1;
}

int32_t WINAPI HostGetControl(HWND dialog, int32_t controlId, int32_t kind, int32_t version) {
    LogHost("HostGetControl", Format("%d,%d", controlId, kind));
    CheckVersion("HostGetControl", version);
    CheckKind("HostGetControl", kind);
    return Stored(W().controlValues, dialog, controlId, 0);
}

int32_t WINAPI HostSetControl(HWND dialog, int32_t controlId, int32_t kind, int32_t value, int32_t version) {
    LogHost("HostSetControl", Format("%d,%d,%d", controlId, kind, value));
    CheckVersion("HostSetControl", version);
    CheckKind("HostSetControl", kind);
    W().controlValues[dialog][controlId] = value;
    return 1;
}

}  // extern "C"

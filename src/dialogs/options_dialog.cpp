// The options dialog. For now it opens, counts the document's pages and
// closes; its controls, validation and the Remove button come with the
// dialog's template.
#include "dialogs/options_dialog.h"

#include "engine/score_queries.h"
#include "platform/host_services.h"
#include "platform/wrap.h"

namespace {

DividerSettings* optionsRecord = nullptr;

}  // namespace

int32_t RunOptionsDialog(HWND ownerWindow, DividerSettings* record) {
    optionsRecord = record;
    // A dialog that could not be shown must not pass for an accepted one.
    record->dialogAccepted = 0;
    HostRunDialog(kOptionsDialogId, OptionsDialogProc, ownerWindow, 1, 0, HostInterfaceVersion);
    return record->dialogAccepted;
}

int32_t WINAPI OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM, int32_t) {
    if (message == WM_INITDIALOG) {
        optionsRecord->dialogAccepted = 0;
        optionsRecord->pageCount = Low16(CountPages());
        return TRUE;
    }
    if (message == WM_NOTIFY) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        HostEndDialog(dialog, HostInterfaceVersion);
    }
    return FALSE;
}

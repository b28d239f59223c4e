// The final-layout confirmation: Yes goes on, No ends the command, and the
// check box turns the question off for later runs.
#include "dialogs/confirm_dialog.h"

#include "platform/host_services.h"

namespace {

constexpr int32_t kYesButton = 6;
constexpr int32_t kNoButton = 7;
constexpr int32_t kDontShowBox = 130;

int16_t* confirmFlag = nullptr;  // showWarning, handed in by ConfirmFinalLayout
int16_t confirmProceed = 0;

}  // namespace

int32_t ConfirmFinalLayout(HWND ownerWindow, int16_t* flag) {
    confirmFlag = flag;
    if (*flag == 0) return 1;
    confirmProceed = 0;
    HostRunDialog(kConfirmDialogId, ConfirmDialogProc, ownerWindow, 1, 0, HostInterfaceVersion);
    return confirmProceed;
}

int32_t WINAPI ConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM, int32_t) {
    if (message == WM_INITDIALOG) {
        HostSetControl(dialog, kDontShowBox, CheckState, *confirmFlag == 0 ? 1 : 0, HostInterfaceVersion);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
        case kYesButton:
            confirmProceed = 1;
            *confirmFlag =
                HostGetControl(dialog, kDontShowBox, CheckState, HostInterfaceVersion) == 0 ? 1 : 0;
            HostEndDialog(dialog, HostInterfaceVersion);
            break;
        case kNoButton: HostEndDialog(dialog, HostInterfaceVersion); break;
        default: break;
    }
    return FALSE;
}

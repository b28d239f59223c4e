// The options dialog, template 20128: its procedure, how it opens, and which
// controls it enables.
#include "dialogs/options_dialog.h"

#include "dialogs/options_controls.h"
#include "engine/score_queries.h"
#include "platform/host_services.h"
#include "platform/wrap.h"

DividerSettings* optionsRecord = nullptr;
int16_t dialogUnit = 1;

namespace {

constexpr WPARAM kFieldDigits = 3;  // page fields
constexpr WPARAM kFieldLength = 7;  // adjustment fields

void SetControl(HWND dialog, int32_t controlId, ControlKind kind, int32_t value) {
    HostSetControl(dialog, controlId, kind, value, HostInterfaceVersion);
}

void EnableControl(HWND dialog, int32_t controlId, int32_t flag) {
    HostEnableControl(dialog, controlId, flag, HostInterfaceVersion);
}

void HandleDeltaPos(HWND dialog, WPARAM controlId, const NMUPDOWN* change) {
    if (change == nullptr || change->hdr.code != static_cast<UINT>(UDN_DELTAPOS)) return;
    const double step = -static_cast<double>(change->iDelta);
    switch (controlId) {
        case kHSpin:
            StepMeasurementField(dialog, kHField, step, kAdjustmentLow, kAdjustmentHigh, dialogUnit);
            break;
        case kVSpin:
            StepMeasurementField(dialog, kVField, step, kAdjustmentLow, kAdjustmentHigh, dialogUnit);
            break;
        case kOriginSpin: StepOriginCombo(dialog, change->iDelta); break;
        default: break;
    }
}

void HandleCommand(HWND dialog, int32_t controlId, int32_t notification) {
    switch (controlId) {
        case IDOK:
            if (ValidateAndStore(dialog)) {
                optionsRecord->dialogAccepted = 1;
                HostEndDialog(dialog, HostInterfaceVersion);
            }
            break;
        case IDCANCEL: HostEndDialog(dialog, HostInterfaceVersion); break;
        case kFontSizeList:
            if (notification == LBN_SELCHANGE && GetControl(dialog, kAutoAdjustVBox, CheckState) != 0) {
                ApplyAutoV(dialog);
            }
            break;
        case kAllPagesRadio: UpdateEnableStates(dialog); break;
        case kSelectedPagesRadio:
            UpdateEnableStates(dialog);
            FocusAndSelectAll(dialog, kFirstPageField);
            break;
        case kAutoAdjustVBox:
            UpdateEnableStates(dialog);
            if (GetControl(dialog, kAutoAdjustVBox, CheckState) != 0) {
                ApplyAutoV(dialog);
            } else {
                HostFocusControl(dialog, kVField, HostInterfaceVersion);
            }
            break;
        case kRemoveButton:
            if (RemoveFromDialog(dialog)) HostEndDialog(dialog, HostInterfaceVersion);
            break;
        default: break;
    }
}

}  // namespace

int32_t GetControl(HWND dialog, int32_t controlId, ControlKind kind) {
    return HostGetControl(dialog, controlId, kind, HostInterfaceVersion);
}

LRESULT SendToControl(HWND dialog, int32_t controlId, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(GetDlgItem(dialog, controlId), message, wParam, lParam);
}

void FocusAndSelectAll(HWND dialog, int32_t fieldId) {
    HostFocusControl(dialog, fieldId, HostInterfaceVersion);
    SendToControl(dialog, fieldId, EM_SETSEL, 0, -1);
}

int32_t RunOptionsDialog(HWND ownerWindow, DividerSettings* record) {
    optionsRecord = record;
    // A dialog that could not be shown must not pass for an accepted one.
    record->dialogAccepted = 0;
    HostRunDialog(kOptionsDialogId, OptionsDialogProc, ownerWindow, 1, 0, HostInterfaceVersion);
    return record->dialogAccepted;
}

int32_t WINAPI OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, int32_t) {
    switch (message) {
        case WM_INITDIALOG:
            optionsRecord->dialogAccepted = 0;
            InitOptionsDialog(dialog);
            return TRUE;
        case WM_NOTIFY:
            HandleDeltaPos(dialog, wParam, reinterpret_cast<const NMUPDOWN*>(lParam));
            return TRUE;
        case WM_COMMAND: HandleCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return FALSE;
        default: return FALSE;
    }
}

void InitOptionsDialog(HWND dialog) {
    DividerSettings* record = optionsRecord;
    HWND list = GetDlgItem(dialog, kFontSizeList);
    record->pageCount = Low16(CountPages());

    SendToControl(dialog, kFirstPageField, EM_LIMITTEXT, kFieldDigits, 0);
    SendToControl(dialog, kLastPageField, EM_LIMITTEXT, kFieldDigits, 0);
    SendToControl(dialog, kHField, EM_LIMITTEXT, kFieldLength, 0);
    SendToControl(dialog, kVField, EM_LIMITTEXT, kFieldLength, 0);

    // The page up-downs run from 1 to the page count: upper end low, lower end high.
    const LPARAM pageRange = MAKELONG(record->pageCount, 1);
    SendToControl(dialog, kFirstPageSpin, UDM_SETRANGE, 0, pageRange);
    SendToControl(dialog, kLastPageSpin, UDM_SETRANGE, 0, pageRange);

    int selected = kDefaultFontIndex;
    for (int i = 0; i < kFontSizeCount; ++i) {
        char text[8] = {};
        wsprintfA(text, "%d", static_cast<int>(kFontSizes[i]));
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (kFontSizes[i] == record->fontSize) selected = i;
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);

    SetControl(dialog, kStaffLinesRadio, RadioState, record->vMethod == 0 ? 1 : 0);
    SetControl(dialog, kSystemBoundsRadio, RadioState, record->vMethod != 0 ? 1 : 0);
    SetControl(dialog, kAllPagesRadio, RadioState, record->rangeMode == 0 ? 1 : 0);
    SetControl(dialog, kSelectedPagesRadio, RadioState, record->rangeMode != 0 ? 1 : 0);

    SetControl(dialog, kFirstPageField, EditInteger, 1);
    SetControl(dialog, kLastPageField, EditInteger, record->pageCount);

    dialogUnit = GetMeasurementUnit();
    HostWriteMeasurement(dialog, kHField, dialogUnit, static_cast<double>(record->hAdjust),
                         HostInterfaceVersion);
    HostWriteMeasurement(dialog, kVField, dialogUnit, static_cast<double>(record->vAdjust),
                         HostInterfaceVersion);

    SetControl(dialog, kAutoAdjustVBox, CheckState, record->autoAdjustV);

    HWND combo = GetDlgItem(dialog, kOriginCombo);
    for (const char* name : kOriginNames) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    SetControl(dialog, kOriginCombo, ComboIndex, Add32(record->marginOrigin, 1));

    UpdateEnableStates(dialog);
    if (record->autoAdjustV != 0) ApplyAutoV(dialog);
}

void UpdateEnableStates(HWND dialog) {
    static const int32_t kPageRangeControls[] = {kFirstPageField, kFirstPageSpin, kPageToLabel,
                                                 kLastPageField, kLastPageSpin};
    static const int32_t kVControls[] = {kVLabel, kVField, kVSpin};
    // The page range is typed only when All pages is not set.
    int32_t flag = GetControl(dialog, kAllPagesRadio, RadioState) == 0 ? 1 : 0;
    for (int32_t id : kPageRangeControls) EnableControl(dialog, id, flag);
    // V is typed only when it does not follow the font size.
    flag = GetControl(dialog, kAutoAdjustVBox, CheckState) == 0 ? 1 : 0;
    for (int32_t id : kVControls) EnableControl(dialog, id, flag);
}

// What the options dialog reads from and writes to its controls: the font
// size, the automatic V adjustment, the up-down steps, the page range and
// the validation that OK runs before the record is stored.
#include "dialogs/options_controls.h"
#include "platform/host_services.h"
#include "platform/wrap.h"

namespace {

constexpr char kPageRangeText[] = "Page range is non-valid";
constexpr char kPageRangeCaption[] = "Page Range Error";
constexpr char kAdjustmentText[] = "Adjustment values must be between -1000 and 1000 EVPUs.";
constexpr char kAdjustmentCaption[] = "Range Error";

double ReadMeasurement(HWND dialog, int32_t fieldId, int16_t unit) {
    // The host may leave the value untouched when the field holds no number.
    double evpus = 0.0;
    HostReadMeasurement(dialog, fieldId, unit, &evpus, HostInterfaceVersion);
    return evpus;
}

// The field's value truncated toward zero, when it is a number within the
// int32 range; anything else cannot be an adjustment.
bool TruncatedAdjustment(double evpus, int32_t* value) {
    if (!(evpus > -2147483649.0 && evpus < 2147483648.0)) return false;  // NaN fails both
    *value = static_cast<int32_t>(evpus);
    return true;
}

bool IsAdjustment(bool valid, int32_t value) {
    return valid && value >= -kAdjustmentLimit && value <= kAdjustmentLimit;
}

}  // namespace

int16_t SelectedFontSize(HWND dialog) {
    const LRESULT index = SendToControl(dialog, kFontSizeList, LB_GETCURSEL, 0, 0);
    if (index < 0 || index >= kFontSizeCount) return kFontSizes[0];
    return kFontSizes[index];
}

void ApplyAutoV(HWND dialog) {
    const int32_t size = SelectedFontSize(dialog);
    const int32_t evpus = ((size * 4) / 2 * 26) / 10;
    HostWriteMeasurement(dialog, kVField, dialogUnit, static_cast<double>(evpus), HostInterfaceVersion);
}

void StepMeasurementField(HWND dialog, int32_t fieldId, double step, double low, double high, int16_t unit) {
    double value = ReadMeasurement(dialog, fieldId, unit) + step;
    if (value > high) value = high;
    if (value < low) value = low;
    HostWriteMeasurement(dialog, fieldId, unit, value, HostInterfaceVersion);
}

void StepOriginCombo(HWND dialog, int32_t delta) {
    const int32_t index = Sub32(GetControl(dialog, kOriginCombo, ComboIndex), 1);
    int32_t next = Add32(index, delta);
    if (next >= kOriginCount) next = kOriginCount - 1;
    if (next < 0) next = 0;
    HostSetControl(dialog, kOriginCombo, ComboIndex, next + 1, HostInterfaceVersion);
}

int16_t ReadPageRange(HWND dialog, int16_t* firstPage, int16_t* lastPage) {
    if (GetControl(dialog, kSelectedPagesRadio, RadioState) == 0) {
        *firstPage = 1;
        *lastPage = optionsRecord->pageCount;
        return 1;
    }
    const int16_t first = Low16(GetControl(dialog, kFirstPageField, EditInteger));
    const int16_t last = Low16(GetControl(dialog, kLastPageField, EditInteger));
    if (last > optionsRecord->pageCount) {
        MessageBoxA(dialog, kPageRangeText, kPageRangeCaption, MB_ICONERROR);
        HostFocusControl(dialog, kLastPageField, HostInterfaceVersion);
        return 0;
    }
    if (first < 1 || last < first) {
        MessageBoxA(dialog, kPageRangeText, kPageRangeCaption, MB_ICONERROR);
        FocusAndSelectAll(dialog, kFirstPageField);
        return 0;
    }
    *firstPage = first;
    *lastPage = last;
    return 1;
}

int32_t ValidateAndStore(HWND dialog) {
    int16_t firstPage = 0;
    int16_t lastPage = 0;
    if (!ReadPageRange(dialog, &firstPage, &lastPage)) return 0;

    int32_t h = 0;
    int32_t v = 0;
    const bool hValid = TruncatedAdjustment(ReadMeasurement(dialog, kHField, dialogUnit), &h);
    const bool vValid = TruncatedAdjustment(ReadMeasurement(dialog, kVField, dialogUnit), &v);
    if (!IsAdjustment(hValid, h)) {
        MessageBoxA(dialog, kAdjustmentText, kAdjustmentCaption, MB_ICONERROR);
        FocusAndSelectAll(dialog, kHField);
        return 0;
    }
    if (!IsAdjustment(vValid, v)) {
        MessageBoxA(dialog, kAdjustmentText, kAdjustmentCaption, MB_ICONERROR);
        FocusAndSelectAll(dialog, kVField);
        return 0;
    }
    const int32_t origin = Sub32(GetControl(dialog, kOriginCombo, ComboIndex), 1);

    DividerSettings* record = optionsRecord;
    record->firstPage = firstPage;
    record->lastPage = lastPage;
    record->hAdjust = Low16(h);
    record->vAdjust = Low16(v);
    record->fontSize = SelectedFontSize(dialog);
    record->vMethod = GetControl(dialog, kStaffLinesRadio, CheckState) != 0 ? 0 : 1;
    record->rangeMode = GetControl(dialog, kAllPagesRadio, CheckState) != 0 ? 0 : 1;
    record->autoAdjustV = GetControl(dialog, kAutoAdjustVBox, CheckState);
    record->marginOrigin = Low16(origin);
    return 1;
}

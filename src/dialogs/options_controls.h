// What the options dialog's procedure and its operations share: the control
// ids of template 20128, the two constant tables, the module state the
// procedure works on, and the operations themselves.
#pragma once

#include <cstdint>

#include "platform/host_services.h"
#include "platform/win32.h"
#include "settings/divider_settings.h"

// Controls of template 20128.
constexpr int32_t kFontSizeList = 103;
constexpr int32_t kStaffLinesRadio = 105;    // V-positions from last/first staff lines
constexpr int32_t kSystemBoundsRadio = 106;  // V-positions from system boundaries
constexpr int32_t kAllPagesRadio = 108;
constexpr int32_t kSelectedPagesRadio = 109;
constexpr int32_t kFirstPageField = 110;
constexpr int32_t kPageToLabel = 111;
constexpr int32_t kLastPageField = 112;
constexpr int32_t kHLabel = 114;
constexpr int32_t kHField = 115;
constexpr int32_t kVLabel = 116;
constexpr int32_t kVField = 117;
constexpr int32_t kAutoAdjustVBox = 118;
constexpr int32_t kOriginCombo = 120;
constexpr int32_t kRemoveButton = 121;
constexpr int32_t kFirstPageSpin = 122;
constexpr int32_t kLastPageSpin = 123;
constexpr int32_t kHSpin = 124;
constexpr int32_t kVSpin = 125;
constexpr int32_t kOriginSpin = 126;

constexpr int kFontSizeCount = 15;
constexpr int kOriginCount = 4;
constexpr int kOriginNameSize = 15;
constexpr int kDefaultFontIndex = 7;  // size 18, for a stored size the list lacks

// The adjustment fields and their up-downs stay within these EVPUs.
constexpr double kAdjustmentLow = -1000.0;
constexpr double kAdjustmentHigh = 1000.0;
constexpr int32_t kAdjustmentLimit = 1000;

extern const int8_t kFontSizes[kFontSizeCount];
extern const char kOriginNames[kOriginCount][kOriginNameSize];

// The record being edited and the document's measurement unit, set each
// time the dialog opens.
extern DividerSettings* optionsRecord;
extern int16_t dialogUnit;

void InitOptionsDialog(HWND dialog);
void UpdateEnableStates(HWND dialog);
int16_t SelectedFontSize(HWND dialog);
void ApplyAutoV(HWND dialog);
void StepMeasurementField(HWND dialog, int32_t fieldId, double step, double low, double high, int16_t unit);
void StepOriginCombo(HWND dialog, int32_t delta);
int16_t ReadPageRange(HWND dialog, int16_t* firstPage, int16_t* lastPage);
int32_t ValidateAndStore(HWND dialog);
int16_t RemoveFromDialog(HWND dialog);

// A control's value as the host's control service reads it for the kind.
int32_t GetControl(HWND dialog, int32_t controlId, ControlKind kind);
// A plain Win32 message to one of the dialog's controls.
LRESULT SendToControl(HWND dialog, int32_t controlId, UINT message, WPARAM wParam, LPARAM lParam);
// Keyboard focus on an edit field with all of its text selected.
void FocusAndSelectAll(HWND dialog, int32_t fieldId);

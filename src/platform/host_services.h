// The Finale host's services, exported by FINALE.EXE by ordinal only.
//
// Every service takes HostInterfaceVersion as its last argument and uses the
// Windows API calling convention. Arguments narrower than 32 bits travel in
// 32-bit slots; the record results are 16-bit, so callers read only the low
// 16 bits of what comes back (see Low16 in wrap.h).
#pragma once

#include <cstdint>

#include "platform/win32.h"

constexpr int32_t HostInterfaceVersion = 0x05000005;

// Identifies one host record of a given tag. A -1 given to HostCreateRecord
// asks the host to assign that part; the host writes the new key back.
#pragma pack(push, 1)
struct RecordKey {
    int16_t number;
    int16_t sub;
};
#pragma pack(pop)
static_assert(sizeof(RecordKey) == 4, "RecordKey is two int16");

// How HostGetControl and HostSetControl read or write a dialog control.
enum ControlKind : int32_t {
    ComboIndex = 0,   // 1-based selected item of a combo box
    CheckState = 1,   // checked state of a check box, also used to read radios
    RadioState = 2,   // checked state of a radio button
    EditInteger = 3,  // integer in an edit field
};

// A dialog procedure as the host calls it: window, message, wParam, lParam and
// an ignored fifth value. It answers TRUE or FALSE; the host reads 16 bits.
typedef int32_t(WINAPI* HostDialogProc)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                        int32_t unused);

extern "C" {
// 9: nonzero if the record exists. A null buffer puts its size in *size;
// otherwise the record is copied, *size set by the caller.
int32_t WINAPI HostLoadRecord(uint32_t tag, RecordKey* key, void* buffer, int32_t* size, int32_t version);
// 11: record created from size bytes; -1 parts of the key are assigned.
int32_t WINAPI HostCreateRecord(uint32_t tag, RecordKey* key, const void* buffer, int32_t size,
                                int32_t version);
// 12: record deleted.
int32_t WINAPI HostDeleteRecord(uint32_t tag, RecordKey* key, int32_t version);
// 14: key moved to the tag's next record after it, up to size bytes copied; 0 when none.
int32_t WINAPI HostNextRecord(uint32_t tag, RecordKey* key, void* buffer, int32_t size, int32_t version);
// 15: runs one of this module's dialog templates modally until HostEndDialog.
int32_t WINAPI HostRunDialog(int32_t templateId, HostDialogProc proc, HWND parent, int32_t one, int32_t zero,
                             int32_t version);
// 16: closes the dialog.
int32_t WINAPI HostEndDialog(HWND dialog, int32_t version);
// 35: enabled if flag is 1, disabled if 0.
int32_t WINAPI HostEnableControl(HWND dialog, int32_t controlId, int32_t flag, int32_t version);
// 36: the control gets the keyboard focus.
int32_t WINAPI HostFocusControl(HWND dialog, int32_t controlId, int32_t version);
// 37: the field's number, read in the unit, stored in EVPUs.
int32_t WINAPI HostReadMeasurement(HWND dialog, int32_t controlId, int32_t unit, double* evpus,
                                   int32_t version);
// 38: the EVPU value shown in the field in the unit.
int32_t WINAPI HostWriteMeasurement(HWND dialog, int32_t controlId, int32_t unit, double evpus,
                                    int32_t version);
// 41: called once before each placement, with 1 and 0.
int32_t WINAPI HostPrePlacement(int32_t one, int32_t zero, int32_t version);
// 57: the control's value as the kind reads it.
int32_t WINAPI HostGetControl(HWND dialog, int32_t controlId, int32_t kind, int32_t version);
// 58: sets the control as the kind writes it.
int32_t WINAPI HostSetControl(HWND dialog, int32_t controlId, int32_t kind, int32_t value, int32_t version);
}

// The divider settings record and the confirmation flag.
//
// DividerSettings is a 30-byte little-endian image that is also the stored
// registry value "UserDialog", so its layout is a storage format.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct DividerSettings {
    int16_t firstPage;       // first page placement processes, 1-based
    int16_t lastPage;        // last page placement processes
    int16_t hAdjust;         // horizontal offset of the divider, EVPU
    int16_t vAdjust;         // vertical adjustment of the divider, EVPU
    int16_t fontSize;        // one of the options dialog's font sizes
    int16_t vMethod;         // 0 staff lines, 1 system boundaries
    int16_t rangeMode;       // 0 all pages, 1 selected pages
    int32_t autoAdjustV;     // nonzero: V follows the font size
    int16_t marginOrigin;    // 0 never, 1 always, 2 odd pages, 3 even pages
    int32_t dialogAccepted;  // 1 once OK of the options dialog passed validation
    int32_t saveOnExit;      // nonzero: written back at termination
    int16_t pageCount;       // pages counted when the options dialog opened
};
#pragma pack(pop)
static_assert(sizeof(DividerSettings) == 30, "the stored record is 30 bytes");
static_assert(offsetof(DividerSettings, lastPage) == 2);
static_assert(offsetof(DividerSettings, hAdjust) == 4);
static_assert(offsetof(DividerSettings, vAdjust) == 6);
static_assert(offsetof(DividerSettings, fontSize) == 8);
static_assert(offsetof(DividerSettings, vMethod) == 10);
static_assert(offsetof(DividerSettings, rangeMode) == 12);
static_assert(offsetof(DividerSettings, autoAdjustV) == 14);
static_assert(offsetof(DividerSettings, marginOrigin) == 18);
static_assert(offsetof(DividerSettings, dialogAccepted) == 20);
static_assert(offsetof(DividerSettings, saveOnExit) == 24);
static_assert(offsetof(DividerSettings, pageCount) == 28);

extern DividerSettings dividerSettings;
extern int16_t showWarning;  // nonzero: the final-layout confirmation is shown

// Writes the defaults of the nine fields from offset 0 to 19.
void SetDefaultSettings(DividerSettings* record);

// Registry operations. Each returns the status of opening or creating the key
// when that failed, else the status of closing it (0 on success).
int32_t LoadShowWarning(int16_t* flag);
int32_t LoadDividerSettings(DividerSettings* record);
int32_t SaveDividerSettings(const DividerSettings* record);
int32_t SaveShowWarning(int16_t flag);

extern const char kSettingsKey[];  // "Software\\KelmoorPlugins\\Stavenor"

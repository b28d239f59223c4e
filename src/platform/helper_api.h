// The helper plug-in "Tamber2000.fxt" as this module uses it: the record its
// layout entry fills and the shapes of the seven entries the module calls.
//
// Arguments narrower than 32 bits travel in 32-bit slots; the 16-bit results
// are read as the low 16 bits of what comes back.
#pragma once

#include <cstddef>
#include <cstdint>

// What pFTX_GetLayoutInfo fills for one staff system: a 102-byte
// little-endian image. Only the named fields are read; the rest belongs to
// the helper.
#pragma pack(push, 1)
struct SystemLayoutInfo {
    int16_t infoSize;    // set to 102 by the caller before each call
    int32_t spaceAbove;  // from the system above's bottom edge down to this top edge
    uint8_t helperOwned6[8];
    int32_t height;        // top edge down to bottom edge
    int32_t topLineDrop;   // top edge down to the top line of the first staff
    int32_t lastLineRise;  // bottom edge up to the top line of the last staff
    uint8_t helperOwned26[4];
    int16_t resizePercent;
    uint8_t helperOwned32[2];
    int16_t isResized;
    uint8_t helperOwned36[10];
    int16_t lastStaff;  // in the form pFTX_GetStaffEnduction takes
    uint8_t helperOwned48[54];
};
#pragma pack(pop)
static_assert(sizeof(SystemLayoutInfo) == 102, "SystemLayoutInfo is 102 bytes");
static_assert(offsetof(SystemLayoutInfo, spaceAbove) == 2);
static_assert(offsetof(SystemLayoutInfo, height) == 14);
static_assert(offsetof(SystemLayoutInfo, topLineDrop) == 18);
static_assert(offsetof(SystemLayoutInfo, lastLineRise) == 22);
static_assert(offsetof(SystemLayoutInfo, resizePercent) == 30);
static_assert(offsetof(SystemLayoutInfo, isResized) == 34);
static_assert(offsetof(SystemLayoutInfo, lastStaff) == 46);

constexpr int16_t kSystemLayoutInfoSize = 102;

// Shapes of the called entries, with every argument in a 32-bit slot. The
// native build calls the simulated helper through these; the Windows build
// calls through a routine that works for either calling convention.
extern "C" {
typedef int32_t (*HelperInitByFinaleFn)();                   // 16-bit: nonzero when initialised by the host
typedef int32_t (*HelperVersionFn)(int32_t* scratch);        // helper version
typedef int32_t (*HelperHandShakeFn)(int32_t a, int32_t b);  // 16-bit: nonzero when accepted
typedef int32_t (*HelperFinaleVersionFn)();                  // host version
typedef int32_t (*HelperGetLayoutInfoFn)(int32_t system, SystemLayoutInfo* info,
                                         int32_t flag);  // 16-bit, 0 = filled
typedef int32_t (*HelperSystemRangeOnPageFn)(int32_t page, int16_t* firstSystem,
                                             int16_t* lastSystem);            // 16-bit, 0 = ok
typedef int32_t (*HelperGetStaffEnductionFn)(int32_t system, int32_t staff);  // 16-bit signed percent
}

// Binding to the helper plug-in "Tamber2000.fxt" by name at run time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

constexpr size_t kHelperEntryCount = 85;
constexpr size_t kFirstTierEnd = 53;  // slots 1..52 are the first tier, 53..84 the second

// Slot 0 is pTAMBER_InitByFinale; then the two tiers in list order.
extern const char* const kHelperEntryNames[kHelperEntryCount];

extern FARPROC HelperEntryTable[kHelperEntryCount];
extern bool helperBound;
extern int32_t helperVersion;

// Slot numbers of the entries the module calls.
enum HelperSlot : size_t {
    kSlotInitByFinale = 0,
    kSlotVersion = 1,
    kSlotFinaleVersion = 2,
    kSlotHandShake = 4,
    kSlotGetLayoutInfo = 8,
    kSlotSystemRangeOnPage = 9,
    kSlotGetStaffEnduction = 12,
};

constexpr size_t kMissingNameSize = 100;
constexpr size_t kHelperMessageSize = 500;

extern const char kHelperFileName[];      // "Tamber2000.fxt"
extern const char kHelperErrorCaption[];  // "Tamber Load Error"
extern const char kHelperNotFoundMessage[];
extern const char kHelperMissingEntryFormat[];
extern const char kHelperNotInitialisedMessage[];

bool HelperHandShake(int32_t a, int32_t b);
bool BindHelperLibrary();
bool ResolveHelperEntry(size_t slot, HMODULE library, const char* name, char* missingName);
bool ResolveHelperEntryTable(HMODULE library, char* missingName);
void ShowHelperLoadError(const char* message);

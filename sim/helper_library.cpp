// The helper plug-in "Tamber2000.fxt": its 85 entry names, the library
// calls that reach it, and the entries themselves. The seven entries the
// module calls answer from World::helper; the other 78 record a breach.
#include <array>
#include <cstring>
#include <iterator>
#include <type_traits>
#include <utility>

#include "sim/world_internals.h"

namespace sim {

// Slot 0, then the first tier (52 names), then the second tier (32 names).
const char* const kEntryNames[85] = {
    "pTAMBER_InitByFinale",
    // First tier.
    "pTAMBER_Version",
    "pFTX_FinaleVersion",
    "pFTX_FinaleWindow",
    "pTAMBER_HandShake",
    "pTAMBER_RawFXTVersion",
    "pTAMBER_DialogBox",
    "pFTX_CountItems",
    "pFTX_GetLayoutInfo",
    "pFTX_SystemRangeOnPage",
    "pFTX_GetInstrumentList",
    "pFTX_CountInstruments",
    "pFTX_GetStaffEnduction",
    "pFTX_ExtractedPartIsUsed",
    "pFTX_LoadStaffSystemSpec",
    "pFTX_SaveStaffSystemSpec",
    "pFTX_ChangeLayoutInfo",
    "pFTX_LoadURL",
    "pFTX_GetDocumentWindow",
    "pFTX_IsPageView",
    "pFTX_GetCurrentPage",
    "pFTX_GetControl",
    "pFTX_ShowControl",
    "pFTX_GetDlgPos",
    "pFTX_SetDlgPos",
    "pFTX_KeyPressed",
    "pFTX_ToggleCheckbox",
    "pFTX_StripCarets",
    "pFTX_GetRawText",
    "pFTX_SetRawText",
    "pFTX_GetTextBlock",
    "pFTX_SetTextBlock",
    "pFTX_GetInstName",
    "pTAMBER_GetGlobals",
    "pFTX_Allow2ndMonitor",
    "pFTX_ULWhenNeeded",
    "pFTXW_ReadSettings",
    "pFTXW_WriteSettings",
    "pFTX_LoadDetail",
    "pFTX_SaveDetail",
    "pFTX_CreateDetail",
    "pFTX_DeleteDetail",
    "pFTX_LoadEntryDetail",
    "pFTX_SaveEntryDetail",
    "pFTX_CreateEntryDetail",
    "pFTX_DeleteEntryDetail",
    "pFTX_LoadOther",
    "pFTX_SaveOther",
    "pFTX_CreateOther",
    "pFTX_DeleteOther",
    "pFTX_PreviousOther",
    "pFTX_NextOther",
    "pFTX_LoadGlobal",
    // Second tier.
    "pFTXW_GetINIFileName",
    "pFTX_printfOutput",
    "pFTX_SplitEDU",
    "pFTX_MakeEDU",
    "pFTX_ErrorBeep",
    "pFTX_GetScrollViewMeasure",
    "pFTX_LeftmostMeasure",
    "pFTX_SetFinaleInFocus",
    "pFTX_ToggleWindowSize",
    "pFTX_StringToMeasure",
    "pFTX_MeasureToString",
    "pFTX_GetGroupName",
    "pFTX_GetStaffsetName",
    "pFTX_GetSystemName",
    "pFTX_GetInstNameInIUList",
    "pFTX_NextInstrument",
    "pFTX_PrevInstrument",
    "pFTX_GetIUListForSystem",
    "pFTX_IsWithinInstRange",
    "pFTX_UserLanguage",
    "pTAMBER_SetNotifyHook",
    "pFTX_ReturnFocusToFinale",
    "pFTX_NonFocusCollapse",
    "pFTX_GetFANSlotInfo",
    "pFTX_GetFANInfo",
    "pFTX_GetFANExtendedInfo",
    "pFTX_TranslateID",
    "pFTX_TranslateWord",
    "pFTX_TranslateFromTable",
    "pFTX_DurationString",
    "pFTXW_ResolveShortcuts",
    "pFTX_TranslateString",
};

}  // namespace sim

using namespace sim;
using namespace sim::detail;

namespace {

constexpr size_t kEntryCount = std::size(kEntryNames);
const HMODULE kHelperModule = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x6A000000u));
constexpr int32_t kScratchGarbage = 0x5A5A5A5A;
constexpr int16_t kFullSize = 100;  // a staff's percentage when not modelled

constexpr int32_t kStatusOk = 0;
constexpr int32_t kStatusFailed = 1;
constexpr int32_t kStatusBadRequest = 2;

// The system with this number, counted from 1 across the pages in order.
const SystemModel* FindSystem(int16_t number) {
    if (number < 1) return nullptr;
    size_t index = static_cast<size_t>(number - 1);
    for (const PageModel& page : W().helper.pages) {
        if (index < page.systems.size()) return &page.systems[index];
        index -= page.systems.size();
    }
    return nullptr;
}

// ---------------------------------------------------------------- the called entries

int32_t InitByFinale() {
    LogHelper("pTAMBER_InitByFinale", "");
    return Answer16(W().helper.initByFinale);
}

int32_t Version(int32_t* scratch) {
    LogHelper("pTAMBER_Version", "");
    if (scratch == nullptr) {
        Breach("pTAMBER_Version: null scratch pointer");
    } else {
        *scratch = kScratchGarbage;
    }
    return W().helper.version;
}

int32_t HandShake(int32_t a, int32_t b) {
    LogHelper("pTAMBER_HandShake", Format("%d,%d", a, b));
    W().helper.handshakeArgs.emplace_back(a, b);
    return Answer16(W().helper.handshake);
}

int32_t FinaleVersion() {
    LogHelper("pFTX_FinaleVersion", "");
    return W().helper.hostVersion;
}

int32_t GetLayoutInfo(int32_t systemSlot, SystemLayoutInfo* info, int32_t flagSlot) {
    int16_t system = Arg16(systemSlot);
    int flag = static_cast<int>(static_cast<uint32_t>(flagSlot) & 0xFFu);  // an 8-bit argument
    LogHelper("pFTX_GetLayoutInfo", Format("%d", system));
    if (info == nullptr) {
        Breach(Format("pFTX_GetLayoutInfo(%d): null record", system));
        return Answer16(kStatusBadRequest);
    }
    if (info->infoSize != kSystemLayoutInfoSize || flag != 0) {
        Breach(Format("pFTX_GetLayoutInfo(%d): infoSize %d and flag %d, not 102 and 0", system,
                      info->infoSize, flag));
        return Answer16(kStatusBadRequest);
    }
    const SystemModel* model = FindSystem(system);
    if (model == nullptr || W().helper.failLayoutInfo.count(system) != 0) return Answer16(kStatusFailed);

    std::memset(static_cast<void*>(info), 0xA5, sizeof *info);
    info->infoSize = kSystemLayoutInfoSize;
    info->spaceAbove = model->spaceAbove;
    info->height = model->height;
    info->topLineDrop = model->topLineDrop;
    info->lastLineRise = model->lastLineRise;
    info->resizePercent = model->resizePercent;
    info->isResized = model->isResized;
    info->lastStaff = model->lastStaff;
    return Answer16(kStatusOk);
}

int32_t SystemRangeOnPage(int32_t pageSlot, int16_t* firstSystem, int16_t* lastSystem) {
    int16_t page = Arg16(pageSlot);
    LogHelper("pFTX_SystemRangeOnPage", Format("%d", page));
    if (firstSystem == nullptr || lastSystem == nullptr) {
        Breach(Format("pFTX_SystemRangeOnPage(%d): null result pointer", page));
        return Answer16(kStatusFailed);
    }
    const std::vector<PageModel>& pages = W().helper.pages;
    if (page < 1 || static_cast<size_t>(page) > pages.size() ||
        W().helper.failSystemRangeOnPage.count(page) != 0)
        return Answer16(kStatusFailed);

    size_t before = 0;
    for (int16_t p = 1; p < page; ++p) before += pages[static_cast<size_t>(p - 1)].systems.size();
    size_t count = pages[static_cast<size_t>(page - 1)].systems.size();
    *firstSystem = count == 0 ? 0 : static_cast<int16_t>(before + 1);
    *lastSystem = count == 0 ? 0 : static_cast<int16_t>(before + count);
    return Answer16(kStatusOk);
}

int32_t GetStaffEnduction(int32_t systemSlot, int32_t staffSlot) {
    int16_t system = Arg16(systemSlot);
    int16_t staff = Arg16(staffSlot);
    LogHelper("pFTX_GetStaffEnduction", Format("%d,%d", system, staff));
    const SystemModel* model = FindSystem(system);
    if (model != nullptr && staff == model->lastStaff) return Answer16(model->staffPercent);
    return Answer16(kFullSize);
}

// The module casts each entry back to exactly these shapes.
static_assert(std::is_same_v<decltype(&InitByFinale), HelperInitByFinaleFn>);
static_assert(std::is_same_v<decltype(&Version), HelperVersionFn>);
static_assert(std::is_same_v<decltype(&HandShake), HelperHandShakeFn>);
static_assert(std::is_same_v<decltype(&FinaleVersion), HelperFinaleVersionFn>);
static_assert(std::is_same_v<decltype(&GetLayoutInfo), HelperGetLayoutInfoFn>);
static_assert(std::is_same_v<decltype(&SystemRangeOnPage), HelperSystemRangeOnPageFn>);
static_assert(std::is_same_v<decltype(&GetStaffEnduction), HelperGetStaffEnductionFn>);

// ---------------------------------------------------------------- the entries never called

// One per slot, so each call is counted and logged under its own name.
template <size_t Slot>
intptr_t WINAPI UnusedEntry() {
    LogHelper(kEntryNames[Slot], "");
    Breach(Format("%s: called, but the module never calls this entry", kEntryNames[Slot]));
    return 0;
}

template <size_t... Slots>
std::array<FARPROC, kEntryCount> UnusedEntries(std::index_sequence<Slots...>) {
    return {&UnusedEntry<Slots>...};
}

template <typename Fn>
FARPROC AsFarProc(Fn entry) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(entry));
}

std::array<FARPROC, kEntryCount> MakeEntries() {
    std::array<FARPROC, kEntryCount> entries = UnusedEntries(std::make_index_sequence<kEntryCount>{});
    auto set = [&entries](const char* name, FARPROC entry) {
        for (size_t slot = 0; slot < kEntryCount; ++slot) {
            if (std::strcmp(kEntryNames[slot], name) == 0) entries[slot] = entry;
        }
    };
    set("pTAMBER_InitByFinale", AsFarProc(&InitByFinale));
    set("pTAMBER_Version", AsFarProc(&Version));
    set("pTAMBER_HandShake", AsFarProc(&HandShake));
    set("pFTX_FinaleVersion", AsFarProc(&FinaleVersion));
    set("pFTX_GetLayoutInfo", AsFarProc(&GetLayoutInfo));
    set("pFTX_SystemRangeOnPage", AsFarProc(&SystemRangeOnPage));
    set("pFTX_GetStaffEnduction", AsFarProc(&GetStaffEnduction));
    return entries;
}

const std::array<FARPROC, kEntryCount>& Entries() {
    static const std::array<FARPROC, kEntryCount> entries = MakeEntries();
    return entries;
}

bool IsHelperFileName(const char* fileName) { return Lower(fileName) == "tamber2000.fxt"; }

}  // namespace

// ---------------------------------------------------------------- library calls

HMODULE WINAPI LoadLibraryA(LPCSTR fileName) {
    CountWin32("LoadLibraryA");
    if (fileName == nullptr || !IsHelperFileName(fileName) || !W().helper.present) return nullptr;
    ++W().helper.references;
    return kHelperModule;
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name) {
    CountWin32("GetProcAddress");
    if (reinterpret_cast<uintptr_t>(name) < 0x10000u) {
        // An ordinal: the helper is bound by name only.
        W().helper.lookedUp.push_back(
            Format("#%u", static_cast<unsigned>(reinterpret_cast<uintptr_t>(name))));
        return nullptr;
    }
    W().helper.lookedUp.push_back(name);
    if (module != kHelperModule || W().helper.missing.count(name) != 0) return nullptr;
    for (size_t slot = 0; slot < kEntryCount; ++slot) {
        if (std::strcmp(kEntryNames[slot], name) == 0) return Entries()[slot];
    }
    return nullptr;
}

BOOL WINAPI FreeLibrary(HMODULE module) {
    CountWin32("FreeLibrary");
    if (module != kHelperModule) {
        Breach("FreeLibrary: not a library handle LoadLibraryA gave");
        return FALSE;
    }
    if (W().helper.references <= 0) {
        Breach("FreeLibrary: Tamber2000.fxt released with no reference held");
        return FALSE;
    }
    --W().helper.references;
    return TRUE;
}

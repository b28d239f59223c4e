// The helper's entry names in slot order: pTAMBER_InitByFinale, then the
// first tier (always resolved), then the second tier (helper version 2 on).
#include <string_view>

#include "helperlib/helper_binding.h"

// Declared extern in the header, so this definition has external linkage.
constexpr const char* const kHelperEntryNames[kHelperEntryCount] = {
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

static_assert(std::string_view(kHelperEntryNames[kSlotInitByFinale]) == "pTAMBER_InitByFinale");
static_assert(std::string_view(kHelperEntryNames[kSlotVersion]) == "pTAMBER_Version");
static_assert(std::string_view(kHelperEntryNames[kSlotFinaleVersion]) == "pFTX_FinaleVersion");
static_assert(std::string_view(kHelperEntryNames[kSlotHandShake]) == "pTAMBER_HandShake");
static_assert(std::string_view(kHelperEntryNames[kSlotGetLayoutInfo]) == "pFTX_GetLayoutInfo");
static_assert(std::string_view(kHelperEntryNames[kSlotSystemRangeOnPage]) == "pFTX_SystemRangeOnPage");
static_assert(std::string_view(kHelperEntryNames[kSlotGetStaffEnduction]) == "pFTX_GetStaffEnduction");
static_assert(std::string_view(kHelperEntryNames[kFirstTierEnd - 1]) == "pFTX_LoadGlobal");
static_assert(std::string_view(kHelperEntryNames[kFirstTierEnd]) == "pFTXW_GetINIFileName");
static_assert(std::string_view(kHelperEntryNames[kHelperEntryCount - 1]) == "pFTX_TranslateString");

// Binds the helper plug-in by name, at most once per process; a failed
// binding is tried again from the start at the next invocation.
#include "helperlib/helper_binding.h"

#include <cstdio>

#include "helperlib/helper_calls.h"
#include "platform/wrap.h"

FARPROC HelperEntryTable[kHelperEntryCount] = {};
bool helperBound = false;
int32_t helperVersion = 0;

const char kHelperFileName[] = "Tamber2000.fxt";
const char kHelperErrorCaption[] = "Tamber Load Error";
const char kHelperNotFoundMessage[] =
    "The Tamber Plug-in (Tamber2000.fxt) could not be found.\n\n"
    "If you don't have this file, you should be able to\n"
    "download it from the same location as where you got\n"
    "this plug-in.";
const char kHelperMissingEntryFormat[] =
    "A function in the Tamber plug-in was not found.\n"
    "This is a internal design error (and should 'never'\n"
    "happen in a perfect world).\n\n"
    "To correct this, please download a newer version of\n"
    "the Tamber (or the calling plug-in).\n\n"
    "The missing function was: %s";
const char kHelperNotInitialisedMessage[] =
    "The Tamber plug-in is not placed in your Plug-in\n"
    "folder for this version of Finale, which means that\n"
    "it cannot be called correctly.\n\n"
    "Please exit Finale, correct the problem and restart.";

namespace {

constexpr int32_t kFirstSecondTierVersion = 2;

bool ResolveSlots(HMODULE library, size_t from, size_t to, char* missingName) {
    for (size_t slot = from; slot < to; ++slot) {
        if (!ResolveHelperEntry(slot, library, kHelperEntryNames[slot], missingName)) return false;
    }
    return true;
}

void ShowMissingEntry(const char* missingName) {
    char message[kHelperMessageSize] = {};
    std::snprintf(message, sizeof message, kHelperMissingEntryFormat, missingName);
    ShowHelperLoadError(message);
}

}  // namespace

void ShowHelperLoadError(const char* message) {
    MessageBoxA(GetActiveWindow(), message, kHelperErrorCaption, MB_ICONERROR);
}

bool ResolveHelperEntry(size_t slot, HMODULE library, const char* name, char* missingName) {
    HelperEntryTable[slot] = GetProcAddress(library, name);
    if (HelperEntryTable[slot] != nullptr) return true;
    std::snprintf(missingName, kMissingNameSize, "%s", name);
    return false;
}

bool ResolveHelperEntryTable(HMODULE library, char* missingName) {
    if (!ResolveHelperEntry(kSlotVersion, library, kHelperEntryNames[kSlotVersion], missingName))
        return false;
    int32_t scratch = 0;
    helperVersion = CallHelperVersion(HelperEntryTable[kSlotVersion], &scratch);
    if (!ResolveSlots(library, kSlotVersion + 1, kFirstTierEnd, missingName)) return false;
    if (helperVersion < kFirstSecondTierVersion) return true;
    return ResolveSlots(library, kFirstTierEnd, kHelperEntryCount, missingName);
}

bool BindHelperLibrary() {
    HMODULE library = LoadLibraryA(kHelperFileName);
    if (library == nullptr) {
        ShowHelperLoadError(kHelperNotFoundMessage);
        return false;
    }

    // Every message is shown, and closed by the user, before the reference
    // is released. The entries stay usable afterwards because the host holds
    // the helper loaded as one of its own plug-ins.
    char missingName[kMissingNameSize] = {};
    bool bound = false;
    if (!ResolveHelperEntry(kSlotInitByFinale, library, kHelperEntryNames[kSlotInitByFinale], missingName)) {
        ShowMissingEntry(missingName);
    } else if (Low16(CallInitByFinale(HelperEntryTable[kSlotInitByFinale])) == 0) {
        ShowHelperLoadError(kHelperNotInitialisedMessage);
    } else if (!ResolveHelperEntryTable(library, missingName)) {
        ShowMissingEntry(missingName);
    } else {
        bound = true;
    }
    FreeLibrary(library);
    return bound;
}

bool HelperHandShake(int32_t a, int32_t b) {
    if (!helperBound) {
        if (!BindHelperLibrary()) return false;
        helperBound = true;
    }
    return Low16(CallHandShake(HelperEntryTable[kSlotHandShake], a, b)) != 0;
}

// One run of the command, synchronous on the host's user-interface thread.
#include "shell/command_flow.h"

#include "dialogs/confirm_dialog.h"
#include "dialogs/options_dialog.h"
#include "engine/divider_records.h"
#include "engine/placement.h"
#include "engine/score_queries.h"
#include "helperlib/helper_binding.h"
#include "platform/host_services.h"
#include "settings/divider_settings.h"

namespace {

constexpr int32_t kHandShakeA = 2;
constexpr int32_t kHandShakeB = 10;
const char kDividerFont[] = "EngraverFontSet";

const char kExtractedPartText[] =
    "Your music is marked as an extracted part. The Stavenor plug-in only supports scores. "
    "Turn off special part extraction and try again.";
const char kExtractedPartCaption[] = "Extracted Part";
const char kPlacementErrorText[] = "Error creating divider symbols.";
const char kPlacementErrorCaption[] = "Error";

bool KeyIsDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x80) != 0; }

}  // namespace

bool IsCtrlShiftDown() { return KeyIsDown(VK_CONTROL) && KeyIsDown(VK_SHIFT); }

void ShowExtractedPartMessage(HWND ownerWindow) {
    MessageBoxA(ownerWindow, kExtractedPartText, kExtractedPartCaption, MB_ICONERROR);
}

int32_t RunCommand(HWND ownerWindow) {
    if (!HelperHandShake(kHandShakeA, kHandShakeB)) return 0;

    PrepareDividerTemplates(kDividerFont);

    if (IsExtractedPart()) {
        ShowExtractedPartMessage(ownerWindow);
        return 0;
    }

    // Ctrl+Shift brings the confirmation back; it stays on unless the user
    // turns it off again in the confirmation itself.
    if (IsCtrlShiftDown()) showWarning = 1;

    if (!ConfirmFinalLayout(ownerWindow, &showWarning)) return 1;

    if (!RunOptionsDialog(ownerWindow, &dividerSettings)) return 1;

    HostPrePlacement(1, 0, HostInterfaceVersion);
    // Set before placement, so the settings are saved even if it fails.
    dividerSettings.saveOnExit = 1;

    if (!PlaceDividers(ownerWindow)) {
        MessageBoxA(ownerWindow, kPlacementErrorText, kPlacementErrorCaption, MB_ICONERROR);
        return 0;
    }
    return 1;
}

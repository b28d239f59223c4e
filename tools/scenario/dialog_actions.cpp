#include "dialog_actions.h"

namespace scenario {

void PerformDialogActions(const std::vector<DialogAction>& actions, sim::UiEvent& dialog) {
    // The input reader accepts no action yet, so a foreseen dialog is only
    // recognised and then left to the simulation to close.
    (void)actions;
    (void)dialog;
}

}  // namespace scenario

// What the simulated user does inside a dialog that a scenario step foresaw.
#pragma once

#include <vector>

#include "scenario.h"

namespace scenario {

// Performs the step's actions, in order, in the open dialog. Whatever is
// still open afterwards is closed by the simulation as a user would.
void PerformDialogActions(const std::vector<DialogAction>& actions, sim::UiEvent& dialog);

}  // namespace scenario

// What the simulated user does inside a dialog that a scenario step foresaw.
#pragma once

#include <optional>
#include <vector>

#include "scenario.h"

namespace scenario {

// Performs the step's actions, in order, in the open dialog, and marks on
// the dialog's event each action the user could not perform (a disabled
// control, a dialog already closed). Whatever is still open afterwards is
// closed by the simulation as a user would. An action that does not fit its
// control stops the actions and is answered as a problem of the scenario.
std::optional<ActionProblem> PerformDialogActions(const std::vector<DialogAction>& actions,
                                                  sim::UiEvent& dialog);

}  // namespace scenario

// Sets up the simulated world from a scenario and drives the module through
// its entry points in the order the host does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "publisher_driver.h"
#include "scenario.h"
#include "shell/entry_points.h"

namespace scenario {

struct InvocationOutcome {
    std::string name;  // the scenario's name for the invocation, if any
    int16_t result = 0;
    // The invocation's dialogs and message boxes: sim::W().ui[uiBegin, uiEnd).
    size_t uiBegin = 0;
    size_t uiEnd = 0;
    size_t unusedSteps = 0;  // steps of the invocation that nothing consumed
};

// What the entry points answered. The rest of the result (records, registry,
// counts) is read from sim::W() after the run.
struct RunOutcome {
    std::optional<int32_t> versionResult;  // unset: not called
    int16_t initResult = 0;
    int16_t enumerateResult = 0;
    ExtensionCommandInfo command{};
    std::vector<InvocationOutcome> invocations;
    std::optional<int32_t> terminateResult;  // unset: not called
    // The actions performed in each dialog a step foresaw, by the dialog's window.
    std::map<HWND, const std::vector<DialogAction>*> dialogActions;
    // Where the keyboard focus was when the actions were done in a dialog
    // still open then, and whether that field's whole text was selected.
    struct FocusLeft {
        int32_t control = 0;  // 0: no control has the focus
        bool allTextSelected = false;
    };
    std::map<HWND, FocusLeft> focusLeft;
    // An action that did not fit its control (a click on a static text, an
    // entry past the list's end): where the scenario gave it and why. The
    // run went on without it, but its result means nothing.
    std::optional<ActionProblem> actionProblem;
    // The published block, read just before termination, and whether it
    // still exists after it (unset: not terminated).
    std::optional<PublishedBlock> published;
    std::optional<bool> publishedAfterTerminate;
};

// Resets the world, sets it up and runs the scenario to the module's unload.
RunOutcome RunScenario(const Scenario& scenario);

}  // namespace scenario

#include "dialog_actions.h"

namespace scenario {

namespace {

sim::UserOutcome Perform(const DialogAction& action, HWND dialog) {
    switch (action.kind) {
        case DialogAction::Click: return sim::ClickControl(dialog, action.control);
        case DialogAction::Select: return sim::SelectItem(dialog, action.control, action.index);
        case DialogAction::Type: return sim::TypeText(dialog, action.control, action.text);
        case DialogAction::Spin: return sim::SpinUpDown(dialog, action.control, action.up);
    }
    return {};
}

}  // namespace

std::optional<ActionProblem> PerformDialogActions(const std::vector<DialogAction>& actions,
                                                  sim::UiEvent& dialog) {
    dialog.refused.assign(actions.size(), false);
    for (size_t i = 0; i < actions.size(); ++i) {
        const sim::UserOutcome outcome = Perform(actions[i], dialog.window);
        if (outcome.action == sim::UserAction::Unfit) return ActionProblem{actions[i].path, outcome.why};
        dialog.refused[i] = outcome.action != sim::UserAction::Performed;
    }
    return std::nullopt;
}

}  // namespace scenario

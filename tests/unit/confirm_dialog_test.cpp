// The final-layout confirmation: whether it shows, what Yes and No answer,
// how the "don't show" box changes the flag, and that it always opens
// unticked.
#include "dialogs/confirm_dialog.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim_fixture.h"

namespace {

constexpr int32_t kConfirmDialog = 20129;
constexpr int32_t kYes = 6;
constexpr int32_t kNo = 7;
constexpr int32_t kDontShowBox = 130;
constexpr int32_t kQuestionText = 101;

// A user who ticks the box a number of times and then presses a button; 0
// presses nothing, and the dialog is closed as a user would.
void Drive(int ticks, int32_t press) {
    sim::W().driveDialog = [ticks, press](sim::UiEvent& dialog) {
        for (int i = 0; i < ticks; ++i) {
            EXPECT_EQ(sim::ClickControl(dialog.window, kDontShowBox).action, sim::UserAction::Performed);
            EXPECT_TRUE(sim::FindDialog(dialog.window)->open) << "a tick does not close the dialog";
        }
        if (press != 0) {
            EXPECT_EQ(sim::ClickControl(dialog.window, press).action, sim::UserAction::Performed);
        }
    };
}

// The one confirmation shown, or null.
const sim::UiEvent* ShownConfirmation() {
    const sim::UiEvent* shown = nullptr;
    for (const sim::UiEvent& event : sim::W().ui) {
        EXPECT_EQ(event.kind, sim::UiEvent::Dialog) << "a message box: " << event.text;
        EXPECT_EQ(event.templateId, kConfirmDialog);
        EXPECT_EQ(shown, nullptr) << "more than one dialog";
        shown = &event;
    }
    return shown;
}

}  // namespace

using ConfirmDialogTest = SimTest;

TEST_F(ConfirmDialogTest, AnswersAndTheFlag) {
    struct Row {
        const char* name;
        int16_t flag;
        int ticks;
        int32_t press;
        int32_t result;
        int16_t flagAfter;
        bool shown;
    };
    const Row rows[] = {
        {"flag 0: no dialog, go on", 0, 0, 0, 1, 0, false},
        {"flag 1, Yes unticked: go on, asked again next time", 1, 0, kYes, 1, 1, true},
        {"flag 1, Yes ticked: go on, never asked again", 1, 1, kYes, 1, 0, true},
        {"flag 1, Yes after ticking and unticking", 1, 2, kYes, 1, 1, true},
        {"flag 1, No unticked", 1, 0, kNo, 0, 1, true},
        {"flag 1, No ticked: the tick is forgotten", 1, 1, kNo, 0, 1, true},
        {"flag 1, closed by the user without a button: as No", 1, 1, 0, 0, 1, true},
        {"flag 2, Yes unticked sets 1", 2, 0, kYes, 1, 1, true},
        {"flag 2, Yes ticked sets 0", 2, 1, kYes, 1, 0, true},
        {"flag 2, No leaves 2", 2, 0, kNo, 0, 2, true},
        {"flag -1, Yes unticked sets 1", -1, 0, kYes, 1, 1, true},
        {"flag -32768, No leaves it", -32768, 1, kNo, 0, -32768, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        Drive(row.ticks, row.press);
        int16_t flag = row.flag;

        EXPECT_EQ(ConfirmFinalLayout(sim::W().ownerWindow, &flag), row.result);

        EXPECT_EQ(flag, row.flagAfter);
        const sim::UiEvent* shown = ShownConfirmation();
        EXPECT_EQ(shown != nullptr, row.shown);
        if (shown != nullptr) {
            EXPECT_EQ(shown->parent, sim::W().ownerWindow);
            EXPECT_EQ(shown->leftOpen, row.press == 0);
            ASSERT_EQ(shown->opened.count(kDontShowBox), 1u);
            const sim::ControlView& box = shown->opened.at(kDontShowBox);
            EXPECT_EQ(box.checked, std::optional<bool>(false)) << "the box starts unticked";
            EXPECT_TRUE(box.enabled);
            EXPECT_FALSE(sim::FindDialog(shown->window)->open);
        } else {
            EXPECT_EQ(Count(sim::W().hostCalls, "HostRunDialog"), 0);
        }
        ExpectNoViolations();
    }
}

// The focus goes where Windows puts it for a TRUE answer to WM_INITDIALOG,
// on Yes; clicks on the box, the text and commands other than Yes and No
// (Enter's IDOK and Escape's IDCANCEL among them) leave the dialog open;
// Yes counts whatever notification code comes with it.
TEST_F(ConfirmDialogTest, OnlyYesAndNoEndTheDialog) {
    int32_t focusAtOpen = -1;
    std::vector<int32_t> commandAnswers;
    sim::W().driveDialog = [&](sim::UiEvent& dialog) {
        focusAtOpen = sim::FindDialog(dialog.window)->focus;
        for (int32_t id : {IDOK, IDCANCEL, kQuestionText, kDontShowBox, 0, 8}) {
            commandAnswers.push_back(sim::SendCommand(dialog.window, id));
            EXPECT_TRUE(sim::FindDialog(dialog.window)->open) << "command " << id;
        }
        EXPECT_EQ(sim::SendToDialog(dialog.window, WM_NOTIFY, 0, 0), FALSE);
        EXPECT_EQ(sim::SendToDialog(dialog.window, 0x0113, 0, 0), FALSE);  // WM_TIMER
        EXPECT_TRUE(sim::FindDialog(dialog.window)->open);
        commandAnswers.push_back(sim::SendCommand(dialog.window, kYes, 0x0300));
        EXPECT_FALSE(sim::FindDialog(dialog.window)->open);
    };
    int16_t flag = 1;

    EXPECT_EQ(ConfirmFinalLayout(sim::W().ownerWindow, &flag), 1);

    EXPECT_EQ(focusAtOpen, kYes);
    EXPECT_EQ(commandAnswers, (std::vector<int32_t>(7, FALSE)));
    // The command for 130 did not tick the box; only a click does.
    EXPECT_EQ(flag, 1);
}

// The question is asked each time the flag is set, and an earlier Yes does
// not pass for the answer of a dialog the host could not show.
TEST_F(ConfirmDialogTest, DialogThatCannotBeShownEndsTheCommand) {
    int16_t flag = 1;
    Drive(0, kYes);
    ASSERT_EQ(ConfirmFinalLayout(sim::W().ownerWindow, &flag), 1);
    ASSERT_EQ(flag, 1);

    sim::W().unshowableDialogs.insert(kConfirmDialog);
    EXPECT_EQ(ConfirmFinalLayout(sim::W().ownerWindow, &flag), 0);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(DialogsShown(), std::vector<int32_t>{kConfirmDialog}) << "only the first run showed it";
    EXPECT_EQ(Count(sim::W().hostCalls, "HostRunDialog"), 2);
}

// The options dialog as a user meets it: how it opens from the record, what
// its controls do, how OK validates and stores, what Remove asks, removes
// and reports, and that Cancel, a refused OK and a dialog that never ran
// leave the record as it was.
//
// Each test runs RunOptionsDialog over a score of five pages, with the
// simulated user acting inside the dialog through the controls.
#include "dialogs/options_dialog.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/options_controls.h"
#include "engine/divider_records.h"
#include "platform/host_services.h"
#include "settings/divider_settings.h"
#include "sim_fixture.h"

namespace {

constexpr int32_t kDialogId = 20128;
constexpr int16_t kPages = 5;

// The dialog's controls, written out from its template.
namespace id {
constexpr int32_t Ok = 1;
constexpr int32_t Cancel = 2;
constexpr int32_t FontList = 103;
constexpr int32_t StaffLines = 105;
constexpr int32_t SystemBounds = 106;
constexpr int32_t AllPages = 108;
constexpr int32_t SelectedPages = 109;
constexpr int32_t FirstPage = 110;
constexpr int32_t PageTo = 111;
constexpr int32_t LastPage = 112;
constexpr int32_t HLabel = 114;
constexpr int32_t H = 115;
constexpr int32_t VLabel = 116;
constexpr int32_t V = 117;
constexpr int32_t AutoV = 118;
constexpr int32_t Origin = 120;
constexpr int32_t Remove = 121;
constexpr int32_t FirstPageSpin = 122;
constexpr int32_t LastPageSpin = 123;
constexpr int32_t HSpin = 124;
constexpr int32_t VSpin = 125;
constexpr int32_t OriginSpin = 126;
}  // namespace id

// Message box styles: MB_ICONERROR, MB_YESNO | MB_ICONQUESTION, MB_ICONINFORMATION.
constexpr uint32_t kErrorStyle = 0x10;
constexpr uint32_t kQuestionStyle = 0x04 | 0x20;
constexpr uint32_t kInformationStyle = 0x40;

struct Box {
    std::string text;
    std::string caption;
    uint32_t style;
};

const Box kPageRangeBox = {"Page range is non-valid", "Page Range Error", kErrorStyle};
const Box kAdjustmentBox = {"Adjustment values must be between -1000 and 1000 EVPUs.", "Range Error",
                            kErrorStyle};
const Box kQuestionBox = {
    "This will erase all divider symbols with the specified font size within the selected page range. Are "
    "you "
    "sure?",
    "Delete dividers?", kQuestionStyle};
const Box kNoneFoundBox = {"No divider symbols were found within the selected page range.",
                           "No dividers found", kInformationStyle};
Box ErasedBox(int count) {
    return {std::to_string(count) + " divider symbols erased.", "Divider symbols deleted", kInformationStyle};
}

// ---------------------------------------------------------------- the user

struct Act {
    enum Kind { Click, Select, Type, Spin } kind;
    int32_t control;
    int32_t index = 0;
    std::string text = {};
    bool up = false;
    sim::UserAction expected = sim::UserAction::Performed;
};

Act Make(Act::Kind kind, int32_t control) {
    Act act{kind, control};
    return act;
}
Act Click(int32_t control) { return Make(Act::Click, control); }
Act Select(int32_t control, int32_t index) {
    Act act = Make(Act::Select, control);
    act.index = index;
    return act;
}
Act Type(int32_t control, std::string text) {
    Act act = Make(Act::Type, control);
    act.text = std::move(text);
    return act;
}
Act Up(int32_t control) {
    Act act = Make(Act::Spin, control);
    act.up = true;
    return act;
}
Act Down(int32_t control) { return Make(Act::Spin, control); }
Act Refused(Act act) {
    act.expected = sim::UserAction::Disabled;
    return act;
}

std::string Describe(const Act& act) {
    const std::string control = std::to_string(act.control);
    switch (act.kind) {
        case Act::Click: return "click " + control;
        case Act::Select: return "select " + control + " entry " + std::to_string(act.index);
        case Act::Type: return "type \"" + act.text + "\" into " + control;
        case Act::Spin: return std::string(act.up ? "up" : "down") + " arrow of " + control;
    }
    return "?";
}

sim::UserOutcome Perform(HWND dialog, const Act& act) {
    switch (act.kind) {
        case Act::Click: return sim::ClickControl(dialog, act.control);
        case Act::Select: return sim::SelectItem(dialog, act.control, act.index);
        case Act::Type: return sim::TypeText(dialog, act.control, act.text);
        case Act::Spin: return sim::SpinUpDown(dialog, act.control, act.up);
    }
    return {};
}

void PerformAll(HWND dialog, const std::vector<Act>& acts) {
    for (const Act& act : acts) {
        const sim::UserOutcome outcome = Perform(dialog, act);
        EXPECT_EQ(outcome.action, act.expected) << Describe(act) << ": " << outcome.why;
    }
}

// What one run of the dialog left behind.
struct Outcome {
    int32_t result = -1;
    bool shown = false;
    sim::UiEvent dialog;  // what it showed when it opened, and whether it was left open
    std::vector<sim::UiEvent> boxes;
    bool openAfterActions = false;
    int32_t focus = 0;  // once the actions were done
    bool focusAllSelected = false;
    std::map<int32_t, sim::ControlView> after;  // the controls once the actions were done
};

// Runs the dialog over the record: the user performs the actions, answers
// message boxes with the answers in order (then as closing them would), and
// the check runs last in the dialog, open or closed.
Outcome RunDialog(DividerSettings& record, const std::vector<Act>& acts, const std::vector<int>& answers = {},
                  const std::function<void(HWND)>& check = {}) {
    Outcome out;
    size_t nextAnswer = 0;
    sim::W().answerMessageBox = [&](sim::UiEvent& box) {
        return nextAnswer < answers.size() ? answers[nextAnswer++] : sim::ClosingAnswer(box.style);
    };
    sim::W().driveDialog = [&](sim::UiEvent& dialog) {
        PerformAll(dialog.window, acts);
        const sim::DialogWindow* window = sim::FindDialog(dialog.window);
        out.openAfterActions = window->open;
        out.focus = window->focus;
        const sim::Control* focused = sim::FindControl(dialog.window, window->focus);
        out.focusAllSelected = focused != nullptr && focused->AllTextSelected();
        out.after = sim::ViewDialog(dialog.window);
        if (check) check(dialog.window);
    };
    out.result = RunOptionsDialog(sim::W().ownerWindow, &record);
    // The user and the answers refer to this call's locals.
    sim::W().driveDialog = nullptr;
    sim::W().answerMessageBox = nullptr;
    for (const sim::UiEvent& event : sim::W().ui) {
        if (event.kind == sim::UiEvent::Dialog) {
            EXPECT_FALSE(out.shown) << "a second dialog " << event.templateId;
            EXPECT_EQ(event.templateId, kDialogId);
            EXPECT_EQ(event.parent, sim::W().ownerWindow);
            out.shown = true;
            out.dialog = event;
        } else {
            out.boxes.push_back(event);
        }
    }
    return out;
}

void ExpectBoxes(const Outcome& out, const std::vector<Box>& expected) {
    std::string shown;
    for (const sim::UiEvent& box : out.boxes) shown += "\n  \"" + box.text + "\"";
    ASSERT_EQ(out.boxes.size(), expected.size()) << "message boxes shown:" << shown;
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("message box " + std::to_string(i + 1));
        EXPECT_EQ(out.boxes[i].text, expected[i].text);
        EXPECT_EQ(out.boxes[i].caption, expected[i].caption);
        EXPECT_EQ(out.boxes[i].style, expected[i].style);
        EXPECT_EQ(out.boxes[i].owner, out.dialog.window) << "owned by the dialog";
    }
}

// ---------------------------------------------------------------- the record

// A record whose every field shows whether the dialog wrote it: a stale
// acceptance, a stale page count and a range other than the page fields'.
DividerSettings Sentinel() {
    DividerSettings record = {};
    record.firstPage = 2;
    record.lastPage = 3;
    record.hAdjust = 11;
    record.vAdjust = -22;
    record.fontSize = 12;
    record.vMethod = 0;
    record.rangeMode = 0;
    record.autoAdjustV = 0;
    record.marginOrigin = 1;
    record.dialogAccepted = 1;
    record.saveOnExit = 0x3C3C3C3C;
    record.pageCount = 77;
    return record;
}

// What a dialog closed without acceptance leaves: the record as before, but
// for the page count of this opening and no acceptance.
DividerSettings Unaccepted(DividerSettings before) {
    before.pageCount = kPages;
    before.dialogAccepted = 0;
    return before;
}

void ExpectRecord(const DividerSettings& got, const DividerSettings& want) {
    const struct {
        const char* name;
        int64_t got, want;
    } fields[] = {
        {"firstPage", got.firstPage, want.firstPage},
        {"lastPage", got.lastPage, want.lastPage},
        {"hAdjust", got.hAdjust, want.hAdjust},
        {"vAdjust", got.vAdjust, want.vAdjust},
        {"fontSize", got.fontSize, want.fontSize},
        {"vMethod", got.vMethod, want.vMethod},
        {"rangeMode", got.rangeMode, want.rangeMode},
        {"autoAdjustV", got.autoAdjustV, want.autoAdjustV},
        {"marginOrigin", got.marginOrigin, want.marginOrigin},
        {"dialogAccepted", got.dialogAccepted, want.dialogAccepted},
        {"saveOnExit", got.saveOnExit, want.saveOnExit},
        {"pageCount", got.pageCount, want.pageCount},
    };
    for (const auto& field : fields) EXPECT_EQ(field.got, field.want) << field.name;
}

std::string Text(const Outcome& out, int32_t control) {
    auto found = out.after.find(control);
    return found == out.after.end() || !found->second.text ? "(none)" : *found->second.text;
}

std::string OpenedText(const Outcome& out, int32_t control) {
    auto found = out.dialog.opened.find(control);
    return found == out.dialog.opened.end() || !found->second.text ? "(none)" : *found->second.text;
}

bool OpenedEnabled(const Outcome& out, int32_t control) {
    auto found = out.dialog.opened.find(control);
    EXPECT_TRUE(found != out.dialog.opened.end()) << "control " << control;
    return found != out.dialog.opened.end() && found->second.enabled;
}

bool OpenedChecked(const Outcome& out, int32_t control) {
    auto found = out.dialog.opened.find(control);
    return found != out.dialog.opened.end() && found->second.checked.value_or(false);
}

int32_t OpenedSelection(const Outcome& out, int32_t control) {
    auto found = out.dialog.opened.find(control);
    return found == out.dialog.opened.end() ? -2 : found->second.selection.value_or(-2);
}

// The automatic V for a font size, in EVPUs.
const std::map<int, int> kAutoV = {{8, 41},   {9, 46},   {10, 52},  {11, 57},  {12, 62},
                                   {14, 72},  {16, 83},  {18, 93},  {20, 104}, {22, 114},
                                   {24, 124}, {26, 135}, {28, 145}, {36, 187}, {48, 249}};

// The font sizes of the list, entry by entry.
const std::vector<int> kSizes = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48};

}  // namespace

// A score of five pages in EVPUs, and the divider texts made as the command
// makes them before the dialog can ask for a removal.
class OptionsDialogTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        PrepareDividerTemplates("EngraverFontSet");
        Fresh();
    }
    // A fresh world for one row of a table.
    static void Fresh(int16_t unit = 1) {
        sim::Reset();
        sim::SetScore(std::vector<sim::PageModel>(kPages));
        sim::SetUnit(unit);
    }
};

// ---------------------------------------------------------------- opening

TEST_F(OptionsDialogTest, StoredFontSizeSelectsItsListEntry) {
    struct Row {
        const char* name;
        int16_t fontSize;
        int32_t entry;
        const char* shown;
    };
    const Row rows[] = {
        {"14, the sixth entry", 14, 5, "14"},
        {"13 is not in the list: 18", 13, 7, "18"},
        {"8, the first", 8, 0, "8"},
        {"48, the last", 48, 14, "48"},
        {"18 itself", 18, 7, "18"},
        {"0: 18", 0, 7, "18"},
        {"-1: 18", -1, 7, "18"},
        {"264, whose low byte is 8: 18", 264, 7, "18"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        DividerSettings record = Sentinel();
        record.fontSize = row.fontSize;
        const Outcome out = RunDialog(record, {});
        EXPECT_EQ(OpenedSelection(out, id::FontList), row.entry);
        EXPECT_EQ(OpenedText(out, id::FontList), row.shown);
        EXPECT_EQ(OpenedText(out, id::V), "-22") << "V shows vAdjust without Auto-adjust V";
        ExpectNoViolations();
    }
}

// The page fields open at 1 and the page count whatever range the record
// holds, enabled exactly when Selected pages is set; radios and the combo
// box follow the record, and the H controls are always enabled.
TEST_F(OptionsDialogTest, OpeningStateFollowsTheRecord) {
    struct Row {
        const char* name;
        int16_t rangeMode, vMethod, marginOrigin;
        bool selectedPages, systemBounds;
        int32_t originEntry;  // -1: none
    };
    const Row rows[] = {
        {"all pages, staff lines, Always", 0, 0, 1, false, false, 1},
        {"selected pages, boundaries, Never", 1, 1, 0, true, true, 0},
        {"other nonzero modes count as set", 7, -3, 3, true, true, 3},
        {"On Odd Pages", 0, 0, 2, false, false, 2},
        {"an origin past the entries selects none", 0, 0, 4, false, false, -1},
        {"a negative origin selects none", 0, 0, -1, false, false, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        DividerSettings record = Sentinel();
        record.rangeMode = row.rangeMode;
        record.vMethod = row.vMethod;
        record.marginOrigin = row.marginOrigin;
        const Outcome out = RunDialog(record, {});

        EXPECT_EQ(OpenedText(out, id::FirstPage), "1");
        EXPECT_EQ(OpenedText(out, id::LastPage), "5");
        for (int32_t control :
             {id::FirstPage, id::FirstPageSpin, id::PageTo, id::LastPage, id::LastPageSpin}) {
            EXPECT_EQ(OpenedEnabled(out, control), row.selectedPages) << "control " << control;
        }
        for (int32_t control : {id::HLabel, id::H, id::HSpin, id::VLabel, id::V, id::VSpin}) {
            EXPECT_TRUE(OpenedEnabled(out, control)) << "control " << control;
        }
        EXPECT_EQ(OpenedChecked(out, id::AllPages), !row.selectedPages);
        EXPECT_EQ(OpenedChecked(out, id::SelectedPages), row.selectedPages);
        EXPECT_EQ(OpenedChecked(out, id::StaffLines), !row.systemBounds);
        EXPECT_EQ(OpenedChecked(out, id::SystemBounds), row.systemBounds);
        EXPECT_EQ(OpenedSelection(out, id::Origin), row.originEntry);
        EXPECT_EQ(OpenedText(out, id::H), "11");
        EXPECT_EQ(FieldValue(record.pageCount), kPages);
        ExpectNoViolations();
    }
}

TEST_F(OptionsDialogTest, AutoAdjustVAtOpeningShowsTheAutomaticValue) {
    struct Row {
        const char* name;
        int32_t autoAdjustV;
        int16_t fontSize, vAdjust, unit;
        const char* shownV;
        bool vEnabled;
    };
    const Row rows[] = {
        {"ticked, 14: 72, not vAdjust", 1, 14, 500, 1, "72", false},
        {"unticked: vAdjust", 0, 14, 500, 1, "500", true},
        {"another nonzero value ticks it", 2, 48, -3, 1, "249", false},
        {"a size not in the list takes 18's value", 1, 13, 0, 1, "93", false},
        {"-1 ticks it", -1, 8, 0, 1, "41", false},
        {"in inches, 72 EVPUs", 1, 14, 500, 2, "0.25", false},
        {"in points, 249 EVPUs", 1, 48, 0, 4, "62.25", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh(row.unit);
        DividerSettings record = Sentinel();
        record.autoAdjustV = row.autoAdjustV;
        record.fontSize = row.fontSize;
        record.vAdjust = row.vAdjust;
        const Outcome out = RunDialog(record, {});

        EXPECT_EQ(OpenedText(out, id::V), row.shownV);
        EXPECT_EQ(OpenedChecked(out, id::AutoV), row.autoAdjustV != 0);
        for (int32_t control : {id::VLabel, id::V, id::VSpin}) {
            EXPECT_EQ(OpenedEnabled(out, control), row.vEnabled) << "control " << control;
        }
        for (int32_t control : {id::HLabel, id::H, id::HSpin}) {
            EXPECT_TRUE(OpenedEnabled(out, control)) << "control " << control;
        }
        ExpectNoViolations();
    }
}

// What the dialog sends its controls as it opens, by control.
TEST_F(OptionsDialogTest, OpeningMessagesToTheControls) {
    struct Sent {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const std::vector<std::string> kOriginNames = {"Never", "Always", "On Odd Pages", "On Even Pages"};
    std::vector<std::string> sizeTexts;
    for (int size : kSizes) sizeTexts.push_back(std::to_string(size));

    struct Row {
        const char* name;
        int16_t pages;
        LPARAM pageRange;  // UDM_SETRANGE: the page count in the low word, 1 in the high word
    };
    const Row rows[] = {
        {"five pages", 5, 0x00010005},
        {"one page", 1, 0x00010001},
        {"300 pages", 300, 0x0001012C},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        sim::SetScore(std::vector<sim::PageModel>(static_cast<size_t>(row.pages)));
        DividerSettings record = Sentinel();
        record.fontSize = 14;
        RunDialog(record, {}, {}, [&](HWND dialog) {
            const std::map<int32_t, std::vector<Sent>> expected = {
                {id::FirstPage, {{EM_LIMITTEXT, 3, 0}}},
                {id::LastPage, {{EM_LIMITTEXT, 3, 0}}},
                {id::H, {{EM_LIMITTEXT, 7, 0}}},
                {id::V, {{EM_LIMITTEXT, 7, 0}}},
                {id::FirstPageSpin, {{UDM_SETRANGE, 0, row.pageRange}}},
                {id::LastPageSpin, {{UDM_SETRANGE, 0, row.pageRange}}},
            };
            for (const auto& [control, messages] : expected) {
                SCOPED_TRACE("control " + std::to_string(control));
                const std::vector<sim::SentMessage>& sent = sim::FindControl(dialog, control)->messages;
                ASSERT_EQ(sent.size(), messages.size());
                for (size_t i = 0; i < messages.size(); ++i) {
                    EXPECT_EQ(sent[i].message, messages[i].message);
                    EXPECT_EQ(sent[i].wParam, messages[i].wParam);
                    EXPECT_EQ(sent[i].lParam, messages[i].lParam);
                }
            }

            // The list gets the fifteen sizes in order, then the selection.
            const sim::Control* list = sim::FindControl(dialog, id::FontList);
            EXPECT_EQ(list->items, sizeTexts);
            ASSERT_EQ(list->messages.size(), 16u);
            for (size_t i = 0; i < 15; ++i)
                EXPECT_EQ(list->messages[i].message, LB_ADDSTRING) << "message " << i;
            EXPECT_EQ(list->messages[15].message, LB_SETCURSEL);
            EXPECT_EQ(list->messages[15].wParam, 5u);

            // The combo box gets the four names in order through CB_ADDSTRING.
            const sim::Control* combo = sim::FindControl(dialog, id::Origin);
            EXPECT_EQ(combo->items, kOriginNames);
            ASSERT_EQ(combo->messages.size(), 4u);
            for (const sim::SentMessage& sent : combo->messages) EXPECT_EQ(sent.message, CB_ADDSTRING);

            // Nothing else is sent a message as the dialog opens.
            for (int32_t other : {id::StaffLines, id::SystemBounds, id::AllPages, id::SelectedPages,
                                  id::AutoV, id::HSpin, id::VSpin, id::OriginSpin}) {
                EXPECT_TRUE(sim::FindControl(dialog, other)->messages.empty()) << "control " << other;
            }
        });
        EXPECT_EQ(FieldValue(record.pageCount), row.pages);
        ExpectNoViolations();
    }
}

// The host's services the opening calls, in order: radios, page fields, H
// and V, the box, the combo box, the enable rules, and the automatic V
// last, so that it replaces the stored V.
TEST_F(OptionsDialogTest, OpeningCallsTheControlServicesInOrder) {
    DividerSettings record = Sentinel();
    record.vMethod = 1;
    record.rangeMode = 0;
    record.autoAdjustV = 1;
    record.marginOrigin = 2;
    record.hAdjust = 12;
    record.vAdjust = -7;
    record.fontSize = 14;
    std::vector<std::string> calls;
    RunDialog(record, {}, {}, [&calls](HWND) {
        for (const std::string& call : sim::W().callLog) {
            for (const char* service :
                 {"HostSetControl(", "HostGetControl(", "HostEnableControl(", "HostWriteMeasurement(",
                  "HostReadMeasurement(", "HostFocusControl(", "HostLoadRecord(0x70666770)"}) {
                if (call.rfind(service, 0) == 0) calls.push_back(call);
            }
        }
    });
    EXPECT_EQ(calls, (std::vector<std::string>{
                         "HostSetControl(105,2,0)",        "HostSetControl(106,2,1)",
                         "HostSetControl(108,2,1)",        "HostSetControl(109,2,0)",
                         "HostSetControl(110,3,1)",        "HostSetControl(112,3,5)",
                         "HostLoadRecord(0x70666770)",  // the document's unit
                         "HostWriteMeasurement(115,1,12)", "HostWriteMeasurement(117,1,-7)",
                         "HostSetControl(118,1,1)",        "HostSetControl(120,0,3)",
                         "HostGetControl(108,2)",          "HostEnableControl(110,0)",
                         "HostEnableControl(122,0)",       "HostEnableControl(111,0)",
                         "HostEnableControl(112,0)",       "HostEnableControl(123,0)",
                         "HostGetControl(118,1)",          "HostEnableControl(116,0)",
                         "HostEnableControl(117,0)",       "HostEnableControl(125,0)",
                         "HostWriteMeasurement(117,1,72)",
                     }))
        << Joined(calls);
}

// ---------------------------------------------------------------- controls

// With Auto-adjust V ticked, each list entry puts its automatic value into
// V, and OK stores it; unticked, V keeps what it showed.
TEST_F(OptionsDialogTest, ListSelectionWritesTheAutomaticVOnlyWhenTicked) {
    for (size_t entry = 0; entry < kSizes.size(); ++entry) {
        const int size = kSizes[entry];
        for (bool ticked : {true, false}) {
            SCOPED_TRACE("size " + std::to_string(size) + (ticked ? ", ticked" : ", unticked"));
            Fresh();
            DividerSettings record = Sentinel();
            record.autoAdjustV = ticked ? 1 : 0;
            record.vAdjust = 37;
            const int expectedV = ticked ? kAutoV.at(size) : 37;
            const Outcome out =
                RunDialog(record, {Select(id::FontList, static_cast<int32_t>(entry)), Click(id::Ok)});

            EXPECT_EQ(Text(out, id::V), std::to_string(expectedV));
            EXPECT_EQ(out.result, 1);
            EXPECT_EQ(FieldValue(record.vAdjust), expectedV);
            EXPECT_EQ(FieldValue(record.fontSize), size);
            EXPECT_EQ(FieldValue(record.autoAdjustV), ticked ? 1 : 0);
            ExpectNoViolations();
        }
    }
}

TEST_F(OptionsDialogTest, UntickingAutoVEnablesVFocusesItAndKeepsItsValue) {
    DividerSettings record = Sentinel();
    record.autoAdjustV = 1;
    record.fontSize = 14;
    record.vAdjust = 500;
    RunDialog(record, {}, {}, [](HWND dialog) {
        auto text = [dialog] { return sim::FindControl(dialog, id::V)->text; };
        auto vEnabled = [dialog] {
            bool all = true, none = true;
            for (int32_t control : {id::VLabel, id::V, id::VSpin}) {
                const bool enabled = sim::FindControl(dialog, control)->enabled;
                all = all && enabled;
                none = none && !enabled;
            }
            EXPECT_TRUE(all || none) << "label, field and up-down are enabled together";
            return all;
        };
        EXPECT_EQ(text(), "72");
        EXPECT_FALSE(vEnabled());
        PerformAll(dialog, {Refused(Up(id::VSpin)), Refused(Type(id::V, "5"))});

        PerformAll(dialog, {Click(id::AutoV)});
        EXPECT_TRUE(vEnabled());
        EXPECT_EQ(sim::FindDialog(dialog)->focus, id::V);
        EXPECT_EQ(text(), "72") << "V keeps the automatic value it showed";

        PerformAll(dialog, {Select(id::FontList, 14)});
        EXPECT_EQ(text(), "72") << "unticked, the list leaves V alone";
        PerformAll(dialog, {Type(id::V, "-30"), Up(id::VSpin)});
        EXPECT_EQ(text(), "-29");

        PerformAll(dialog, {Click(id::AutoV)});
        EXPECT_FALSE(vEnabled());
        EXPECT_EQ(text(), "249") << "ticking again applies the selected size";
        PerformAll(dialog, {Click(id::Ok)});
    });
    EXPECT_EQ(FieldValue(record.dialogAccepted), 1);
    EXPECT_EQ(FieldValue(record.autoAdjustV), 1);
    EXPECT_EQ(FieldValue(record.vAdjust), 249);
    EXPECT_EQ(FieldValue(record.fontSize), 48);
}

TEST_F(OptionsDialogTest, SelectedPagesEnablesTheRangeAndSelectsTheFirstPage) {
    DividerSettings record = Sentinel();
    RunDialog(record, {}, {}, [](HWND dialog) {
        auto rangeEnabled = [dialog] {
            std::vector<bool> enabled;
            for (int32_t control :
                 {id::FirstPage, id::FirstPageSpin, id::PageTo, id::LastPage, id::LastPageSpin}) {
                enabled.push_back(sim::FindControl(dialog, control)->enabled);
            }
            return enabled;
        };
        auto hEnabled = [dialog] {
            return sim::FindControl(dialog, id::HLabel)->enabled &&
                   sim::FindControl(dialog, id::H)->enabled && sim::FindControl(dialog, id::HSpin)->enabled;
        };
        EXPECT_EQ(rangeEnabled(), std::vector<bool>(5, false));
        PerformAll(dialog, {Refused(Type(id::FirstPage, "2")), Refused(Up(id::LastPageSpin))});

        PerformAll(dialog, {Click(id::SelectedPages)});
        EXPECT_EQ(rangeEnabled(), std::vector<bool>(5, true));
        EXPECT_EQ(sim::FindDialog(dialog)->focus, id::FirstPage);
        EXPECT_TRUE(sim::FindControl(dialog, id::FirstPage)->AllTextSelected());
        EXPECT_TRUE(hEnabled());

        // The page up-downs step within 1 to the page count.
        PerformAll(dialog, {Up(id::FirstPageSpin), Up(id::LastPageSpin), Down(id::LastPageSpin)});
        EXPECT_EQ(sim::FindControl(dialog, id::FirstPage)->text, "2");
        EXPECT_EQ(sim::FindControl(dialog, id::LastPage)->text, "4");

        PerformAll(dialog, {Click(id::AllPages)});
        EXPECT_EQ(rangeEnabled(), std::vector<bool>(5, false));
        EXPECT_TRUE(hEnabled());
    });
}

// Each arrow of the H and V up-downs moves the value by one EVPU, whatever
// unit the field shows, and never past -1000 or 1000 EVPUs.
TEST_F(OptionsDialogTest, AdjustmentArrowsStepOneEvpuWithinTheBounds) {
    struct Row {
        const char* name;
        int16_t unit;
        int32_t field, upDown;
        const char* before;
        bool up;
        const char* after;
    };
    const Row rows[] = {
        {"H up at 1000 stays", 1, id::H, id::HSpin, "1000", true, "1000"},
        {"H up at 999.5 stops at 1000", 1, id::H, id::HSpin, "999.5", true, "1000"},
        {"H down at -1000 stays", 1, id::H, id::HSpin, "-1000", false, "-1000"},
        {"H down at -999.5 stops at -1000", 1, id::H, id::HSpin, "-999.5", false, "-1000"},
        {"H up raises by one", 1, id::H, id::HSpin, "12", true, "13"},
        {"H down lowers by one", 1, id::H, id::HSpin, "0", false, "-1"},
        {"H far above comes back to 1000", 1, id::H, id::HSpin, "5000", true, "1000"},
        {"H far below comes back to -1000", 1, id::H, id::HSpin, "-5000", true, "-1000"},
        {"H that is no number counts from 0", 1, id::H, id::HSpin, "abc", true, "1"},
        {"V up at 1000 stays", 1, id::V, id::VSpin, "1000", true, "1000"},
        {"V down at -1000 stays", 1, id::V, id::VSpin, "-1000", false, "-1000"},
        {"V up raises by one", 1, id::V, id::VSpin, "5", true, "6"},
        {"V down from a fraction", 1, id::V, id::VSpin, "2.5", false, "1.5"},
        {"inches: up is one EVPU, not one inch", 2, id::H, id::HSpin, "1", true, "1.0035"},
        {"inches: down is one EVPU", 2, id::V, id::VSpin, "1", false, "0.9965"},
        {"inches: the bound is 1000 EVPUs", 2, id::H, id::HSpin, "5", true, "3.4722"},
        {"points: up is a quarter point", 4, id::H, id::HSpin, "2", true, "2.25"},
        {"picas: down is one 48th", 5, id::V, id::VSpin, "1", false, "0.9792"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh(row.unit);
        DividerSettings record = Sentinel();
        const Outcome out =
            RunDialog(record, {Type(row.field, row.before), row.up ? Up(row.upDown) : Down(row.upDown)});
        EXPECT_EQ(Text(out, row.field), row.after);
        ExpectNoViolations();
    }
}

TEST_F(OptionsDialogTest, AdjustmentArrowTouchesOnlyItsOwnField) {
    DividerSettings record = Sentinel();
    const Outcome out = RunDialog(record, {Up(id::HSpin), Up(id::HSpin), Down(id::VSpin)});
    EXPECT_EQ(Text(out, id::H), "13");
    EXPECT_EQ(Text(out, id::V), "-23");
    EXPECT_EQ(out.after.at(id::Origin).selection.value_or(-2), 1);
}

TEST_F(OptionsDialogTest, OriginArrowsNeverPassTheEnds) {
    struct Row {
        const char* name;
        int16_t marginOrigin;
        std::vector<bool> ups;  // true: up arrow
        int32_t entry;
        int16_t stored;
    };
    const Row rows[] = {
        {"up from Always: Never", 1, {true}, 0, 0},
        {"up at Never stays", 0, {true}, 0, 0},
        {"down from Never: Always", 0, {false}, 1, 1},
        {"down from On Odd Pages: On Even Pages", 2, {false}, 3, 3},
        {"down at On Even Pages stays", 3, {false}, 3, 3},
        {"up from On Even Pages", 3, {true}, 2, 2},
        {"five downs from Never end at On Even Pages", 0, {false, false, false, false, false}, 3, 3},
        {"five ups from On Even Pages end at Never", 3, {true, true, true, true, true}, 0, 0},
        {"up with none selected: Never", 4, {true}, 0, 0},
        {"down with none selected: Never", 4, {false}, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        DividerSettings record = Sentinel();
        record.marginOrigin = row.marginOrigin;
        std::vector<Act> acts;
        for (bool up : row.ups) acts.push_back(up ? Up(id::OriginSpin) : Down(id::OriginSpin));
        acts.push_back(Click(id::Ok));
        const Outcome out = RunDialog(record, acts);
        EXPECT_EQ(out.after.at(id::Origin).selection.value_or(-2), row.entry);
        EXPECT_EQ(FieldValue(record.marginOrigin), row.stored);
        ExpectNoViolations();
    }
}

// The procedure's answers, the notification codes it looks at, and the
// iDelta of WM_NOTIFY taken as it comes.
TEST_F(OptionsDialogTest, ProcedureAnswersAndNotifications) {
    DividerSettings record = Sentinel();
    record.autoAdjustV = 1;
    record.fontSize = 14;
    record.hAdjust = 12;
    record.marginOrigin = 0;
    RunDialog(record, {}, {}, [](HWND dialog) {
        EXPECT_EQ(sim::FindDialog(dialog)->focus, id::FontList) << "WM_INITDIALOG answered TRUE";
        auto text = [dialog](int32_t control) { return sim::FindControl(dialog, control)->text; };
        auto notify = [dialog](int32_t from, UINT code, int delta) {
            NMUPDOWN change = {};
            change.hdr.hwndFrom = sim::FindControl(dialog, from)->window;
            change.hdr.idFrom = static_cast<UINT_PTR>(from);
            change.hdr.code = code;
            change.iDelta = delta;
            return sim::SendToDialog(dialog, WM_NOTIFY, static_cast<WPARAM>(from),
                                     reinterpret_cast<LPARAM>(&change));
        };
        const UINT kClick = static_cast<UINT>(-2);  // NM_CLICK

        EXPECT_EQ(notify(id::HSpin, UDN_DELTAPOS, 5), TRUE);
        EXPECT_EQ(text(id::H), "7") << "the step is -iDelta";
        EXPECT_EQ(notify(id::HSpin, UDN_DELTAPOS, -3), TRUE);
        EXPECT_EQ(text(id::H), "10");
        EXPECT_EQ(notify(id::HSpin, kClick, 5), TRUE);
        EXPECT_EQ(text(id::H), "10") << "only UDN_DELTAPOS steps";
        EXPECT_EQ(notify(id::VSpin, UDN_DELTAPOS, 1), TRUE);
        EXPECT_EQ(text(id::V), "71");
        EXPECT_EQ(notify(id::OriginSpin, UDN_DELTAPOS, 2), TRUE);
        EXPECT_EQ(sim::FindControl(dialog, id::Origin)->selection, 2);
        EXPECT_EQ(notify(id::FirstPageSpin, UDN_DELTAPOS, 1), TRUE);
        EXPECT_EQ(text(id::FirstPage), "1") << "the page up-downs write their buddy themselves";

        // Only LBN_SELCHANGE from the list applies the automatic V.
        SendMessageA(sim::FindControl(dialog, id::FontList)->window, LB_SETCURSEL, 14, 0);
        EXPECT_EQ(sim::SendCommand(dialog, id::FontList, 2), FALSE);  // LBN_DBLCLK
        EXPECT_EQ(text(id::V), "71");
        EXPECT_EQ(sim::SendCommand(dialog, id::FontList, 0), FALSE);
        EXPECT_EQ(text(id::V), "71");
        EXPECT_EQ(sim::SendCommand(dialog, id::FontList, 1), FALSE);  // LBN_SELCHANGE
        EXPECT_EQ(text(id::V), "249");

        // Any other control acts whatever the notification code.
        EXPECT_EQ(sim::SendCommand(dialog, id::SelectedPages, 0x0300), FALSE);
        EXPECT_EQ(sim::FindDialog(dialog)->focus, id::FirstPage);
        EXPECT_TRUE(sim::FindControl(dialog, id::FirstPage)->AllTextSelected());
        EXPECT_EQ(sim::SendCommand(dialog, 999), FALSE);
        EXPECT_EQ(sim::SendToDialog(dialog, 0x0113, 0, 0), FALSE);  // WM_TIMER
        EXPECT_TRUE(sim::FindDialog(dialog)->open);
        EXPECT_EQ(sim::SendCommand(dialog, id::Cancel, 5), FALSE);
        EXPECT_FALSE(sim::FindDialog(dialog)->open);
    });
    EXPECT_EQ(FieldValue(record.dialogAccepted), 0);
}

// ---------------------------------------------------------------- validation

// With Selected pages the last page is checked against the page count
// first, then the first page; OK and Remove check alike.
TEST_F(OptionsDialogTest, PageRangeValidationOrderFocusAndSelection) {
    struct Row {
        const char* name;
        const char* first;
        const char* last;
        const char* h;  // typed into H when not null
        bool valid;
        int32_t focus;
        bool allSelected;
    };
    const Row rows[] = {
        {"3 to 2", "3", "2", nullptr, false, id::FirstPage, true},
        {"1 to above the page count", "1", "6", nullptr, false, id::LastPage, false},
        {"0 to 1", "0", "1", nullptr, false, id::FirstPage, true},
        {"0 to above: the last page comes first", "0", "6", nullptr, false, id::LastPage, false},
        {"empty fields read as 0 to 0", "", "", nullptr, false, id::FirstPage, false},
        {"999 to 999", "999", "999", nullptr, false, id::LastPage, false},
        {"the page range before H", "3", "2", "5000", false, id::FirstPage, true},
        {"1 to 5", "1", "5", nullptr, true, 0, false},
        {"2 to 4", "2", "4", nullptr, true, 0, false},
        {"5 to 5", "5", "5", nullptr, true, 0, false},
    };
    for (int32_t button : {id::Ok, id::Remove}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(button == id::Ok ? "OK, " : "Remove, ") + row.name);
            Fresh();
            DividerSettings record = Sentinel();
            record.rangeMode = 1;
            const DividerSettings before = record;
            std::vector<Act> acts = {Type(id::FirstPage, row.first), Type(id::LastPage, row.last)};
            if (row.h != nullptr) acts.push_back(Type(id::H, row.h));
            acts.push_back(Click(button));
            bool lastPageSelected = true;
            const Outcome out = RunDialog(record, acts, {}, [&lastPageSelected](HWND dialog) {
                lastPageSelected = false;
                for (const sim::SentMessage& sent : sim::FindControl(dialog, id::LastPage)->messages) {
                    if (sent.message == EM_SETSEL) lastPageSelected = true;
                }
            });
            EXPECT_FALSE(lastPageSelected) << "the last page's text is never selected";

            if (!row.valid) {
                ExpectBoxes(out, {kPageRangeBox});
                EXPECT_TRUE(out.openAfterActions);
                EXPECT_EQ(out.focus, row.focus);
                EXPECT_EQ(out.focusAllSelected, row.allSelected);
                EXPECT_EQ(out.result, 0);
                ExpectRecord(record, Unaccepted(before));
            } else if (button == id::Ok) {
                ExpectBoxes(out, {});
                EXPECT_EQ(out.result, 1);
                EXPECT_EQ(FieldValue(record.firstPage), std::stoi(row.first));
                EXPECT_EQ(FieldValue(record.lastPage), std::stoi(row.last));
                EXPECT_EQ(FieldValue(record.rangeMode), 1);
            } else {
                ExpectBoxes(out, {kQuestionBox});  // closed: No
                EXPECT_TRUE(out.openAfterActions);
                EXPECT_EQ(out.result, 0);
            }
            ExpectNoViolations();
        }
    }
}

// H and V are read in the document's unit, truncated toward zero and
// accepted within -1000 to 1000; a value that is not a number, or beyond the
// int32 range, is refused like any value outside.
TEST_F(OptionsDialogTest, AdjustmentValidation) {
    struct Row {
        const char* name;
        int16_t unit;
        const char* typed;
        bool accepted;
        int16_t stored;
    };
    const Row rows[] = {
        {"1000.9 truncates to 1000", 1, "1000.9", true, 1000},
        {"-1000.9 truncates to -1000", 1, "-1000.9", true, -1000},
        {"1000", 1, "1000", true, 1000},
        {"-1000", 1, "-1000", true, -1000},
        {"12.7 truncates toward zero", 1, "12.7", true, 12},
        {"-12.7 truncates toward zero", 1, "-12.7", true, -12},
        {"-0.5 is 0", 1, "-0.5", true, 0},
        {"text that is no number reads as 0", 1, "abc", true, 0},
        {"an empty field reads as 0", 1, "", true, 0},
        {"1001", 1, "1001", false, 0},
        {"-1001", 1, "-1001", false, 0},
        {"5000", 1, "5000", false, 0},
        {"nan", 1, "nan", false, 0},
        {"inf", 1, "inf", false, 0},
        {"-inf", 1, "-inf", false, 0},
        {"1e12, beyond int32", 1, "1e12", false, 0},
        {"-1e12", 1, "-1e12", false, 0},
        {"4.29e9, beyond int32", 1, "4.29e9", false, 0},
        {"-3e9, beyond int32", 1, "-3e9", false, 0},
        {"inches: 3.47 is 999 EVPUs", 2, "3.47", true, 999},
        {"inches: -3.47 is -999 EVPUs", 2, "-3.47", true, -999},
        {"inches: 3.5 is 1008 EVPUs", 2, "3.5", false, 0},
        {"points: 250.2 is 1000 EVPUs", 4, "250.2", true, 1000},
        {"points: 250.3 is 1001 EVPUs", 4, "250.3", false, 0},
        {"picas: 20 is 960 EVPUs", 5, "20", true, 960},
        {"spaces: 42 is 1008 EVPUs", 6, "42", false, 0},
    };
    for (int32_t field : {id::H, id::V}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(field == id::H ? "H " : "V ") + row.name);
            Fresh(row.unit);
            DividerSettings record = Sentinel();
            record.hAdjust = 321;
            record.vAdjust = -321;
            const DividerSettings before = record;
            const Outcome out = RunDialog(record, {Type(field, row.typed), Click(id::Ok)});

            if (row.accepted) {
                ExpectBoxes(out, {});
                EXPECT_EQ(out.result, 1);
                EXPECT_EQ(field == id::H ? FieldValue(record.hAdjust) : FieldValue(record.vAdjust),
                          row.stored);
                EXPECT_EQ(field == id::H ? FieldValue(record.vAdjust) : FieldValue(record.hAdjust),
                          field == id::H ? -321 : 321)
                    << "the other field as it opened";
            } else {
                ExpectBoxes(out, {kAdjustmentBox});
                EXPECT_TRUE(out.openAfterActions);
                EXPECT_EQ(out.focus, field);
                EXPECT_TRUE(out.focusAllSelected);
                EXPECT_EQ(Text(out, field), row.typed) << "the field keeps what the user typed";
                EXPECT_EQ(out.result, 0);
                ExpectRecord(record, Unaccepted(before));
            }
            ExpectNoViolations();
        }
    }
}

TEST_F(OptionsDialogTest, HIsCheckedBeforeVAndBothAreReadFirst) {
    struct Row {
        const char* name;
        const char* h;
        const char* v;
        int32_t focus;
    };
    const Row rows[] = {
        {"both out of range: H", "5000", "-5000", id::H},
        {"H out of range, V no number: H", "nan", "abc", id::H},
        {"V alone", "0", "-1001", id::V},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        DividerSettings record = Sentinel();
        std::vector<std::string> reads;
        const Outcome out =
            RunDialog(record, {Type(id::H, row.h), Type(id::V, row.v), Click(id::Ok)}, {}, [&reads](HWND) {
                for (const std::string& call : sim::W().callLog) {
                    if (call.rfind("HostReadMeasurement(", 0) == 0) reads.push_back(call);
                }
            });
        ExpectBoxes(out, {kAdjustmentBox});
        EXPECT_EQ(out.focus, row.focus);
        EXPECT_TRUE(out.focusAllSelected);
        EXPECT_EQ(reads,
                  (std::vector<std::string>{"HostReadMeasurement(115,1)", "HostReadMeasurement(117,1)"}));
        ExpectRecord(record, Unaccepted(Sentinel()));
        ExpectNoViolations();
    }
}

// ---------------------------------------------------------------- OK

TEST_F(OptionsDialogTest, AcceptedOkStoresTheDialogsChoices) {
    using Change = std::function<void(DividerSettings&)>;
    struct Row {
        const char* name;
        Change stored;  // the record before the dialog, from the sentinel
        std::vector<Act> acts;
        Change expect;  // what OK stores besides the page range of all pages
        int16_t unit = 1;
    };
    const Change none = [](DividerSettings&) {};
    const Row rows[] = {
        {"nothing changed", none, {}, none},
        {"On Odd Pages", none, {Select(id::Origin, 2)}, [](DividerSettings& r) { r.marginOrigin = 2; }},
        {"On Even Pages by the up-down",
         none,
         {Down(id::OriginSpin), Down(id::OriginSpin)},
         [](DividerSettings& r) { r.marginOrigin = 3; }},
        {"Never", none, {Select(id::Origin, 0)}, [](DividerSettings& r) { r.marginOrigin = 0; }},
        {"radio 106", none, {Click(id::SystemBounds)}, [](DividerSettings& r) { r.vMethod = 1; }},
        {"radio 105 again",
         [](DividerSettings& r) { r.vMethod = 1; },
         {Click(id::StaffLines)},
         [](DividerSettings& r) { r.vMethod = 0; }},
        {"a stored vMethod of 5 stores 1",
         [](DividerSettings& r) { r.vMethod = 5; },
         {},
         [](DividerSettings& r) { r.vMethod = 1; }},
        {"Selected pages 2 to 4",
         none,
         {Click(id::SelectedPages), Type(id::FirstPage, "2"), Type(id::LastPage, "4")},
         [](DividerSettings& r) {
             r.rangeMode = 1;
             r.firstPage = 2;
             r.lastPage = 4;
         }},
        {"Selected pages as opened: 1 to the page count",
         [](DividerSettings& r) { r.rangeMode = 3; },
         {},
         [](DividerSettings& r) { r.rangeMode = 1; }},
        {"All pages whatever the page fields hold",
         [](DividerSettings& r) { r.rangeMode = 1; },
         {Type(id::FirstPage, "0"), Type(id::LastPage, "9"), Click(id::AllPages)},
         [](DividerSettings& r) { r.rangeMode = 0; }},
        {"size 36", none, {Select(id::FontList, 13)}, [](DividerSettings& r) { r.fontSize = 36; }},
        {"a stored size not in the list stores 18",
         [](DividerSettings& r) { r.fontSize = 13; },
         {},
         [](DividerSettings& r) { r.fontSize = 18; }},
        {"Auto-adjust V ticked stores the automatic V",
         none,
         {Select(id::FontList, 5), Click(id::AutoV)},
         [](DividerSettings& r) {
             r.fontSize = 14;
             r.autoAdjustV = 1;
             r.vAdjust = 72;
         }},
        {"a stored autoAdjustV of 2 is stored as the host reports it",
         [](DividerSettings& r) { r.autoAdjustV = 2; },
         {},
         [](DividerSettings& r) {
             r.autoAdjustV = 1;
             r.vAdjust = 62;
         }},
        {"Auto-adjust V unticked keeps the V it showed",
         [](DividerSettings& r) { r.autoAdjustV = 1; },
         {Click(id::AutoV)},
         [](DividerSettings& r) {
             r.autoAdjustV = 0;
             r.vAdjust = 62;
         }},
        {"H and V typed",
         none,
         {Type(id::H, "-250.7"), Type(id::V, "999.9")},
         [](DividerSettings& r) {
             r.hAdjust = -250;
             r.vAdjust = 999;
         }},
        {"H in inches",
         none,
         {Type(id::H, "1"), Type(id::V, "-0.5")},
         [](DividerSettings& r) {
             r.hAdjust = 288;
             r.vAdjust = -144;
         },
         2},
        {"H one EVPU up from one inch",
         [](DividerSettings& r) { r.hAdjust = 288; },
         {Up(id::HSpin)},
         [](DividerSettings& r) { r.hAdjust = 289; },
         2},
        {"an origin past the entries stores none selected, -1",
         [](DividerSettings& r) { r.marginOrigin = 4; },
         {},
         [](DividerSettings& r) { r.marginOrigin = -1; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh(row.unit);
        DividerSettings record = Sentinel();
        row.stored(record);
        DividerSettings expected = record;
        expected.firstPage = 1;
        expected.lastPage = kPages;
        expected.pageCount = kPages;
        expected.dialogAccepted = 1;
        row.expect(expected);
        std::vector<Act> acts = row.acts;
        acts.push_back(Click(id::Ok));

        const Outcome out = RunDialog(record, acts);

        EXPECT_EQ(out.result, 1);
        EXPECT_FALSE(out.dialog.leftOpen);
        ExpectBoxes(out, {});
        ExpectRecord(record, expected);
        ExpectNoViolations();
    }
}

// SelectedFontSize reads any list selection outside the fifteen entries as
// the first entry, size 8, and everything that uses the size follows.
TEST_F(OptionsDialogTest, SelectionOutsideTheEntriesCountsAsSizeEight) {
    struct Row {
        const char* name;
        std::function<void(HWND)> arrange;
        int16_t size;
    };
    auto list = [](HWND dialog) { return sim::FindControl(dialog, id::FontList)->window; };
    const Row rows[] = {
        {"entry 14", [&](HWND d) { SendMessageA(list(d), LB_SETCURSEL, 14, 0); }, 48},
        {"entry 0", [&](HWND d) { SendMessageA(list(d), LB_SETCURSEL, 0, 0); }, 8},
        {"no selection: LB_GETCURSEL answers -1",
         [&](HWND d) { SendMessageA(list(d), LB_SETCURSEL, static_cast<WPARAM>(-1), 0); }, 8},
        {"a sixteenth entry, index 15",
         [&](HWND d) {
             SendMessageA(list(d), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("60"));
             EXPECT_EQ(SendMessageA(list(d), LB_SETCURSEL, 15, 0), 15);
         },
         8},
        {"a selection far beyond the entries",
         [](HWND d) { sim::FindControl(d, id::FontList)->selection = 1000; }, 8},
        {"a selection below -1", [](HWND d) { sim::FindControl(d, id::FontList)->selection = -2; }, 8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        DividerSettings record = Sentinel();
        int16_t selected = 0;
        RunDialog(record, {}, {}, [&row, &selected](HWND dialog) {
            row.arrange(dialog);
            selected = SelectedFontSize(dialog);
            PerformAll(dialog, {Click(id::AutoV), Click(id::Ok)});
        });
        EXPECT_EQ(selected, row.size);
        EXPECT_EQ(FieldValue(record.dialogAccepted), 1);
        EXPECT_EQ(FieldValue(record.fontSize), row.size);
        EXPECT_EQ(FieldValue(record.vAdjust), kAutoV.at(row.size)) << "ticking applied the same size";
        ExpectNoViolations();
    }
}

// ---------------------------------------------------------------- Remove

// Remove asks, removes the dividers of the selected size on the chosen
// pages, reports the count and closes the dialog; a dialog closed so is not
// accepted, and nothing is stored.
TEST_F(OptionsDialogTest, RemoveAsksRemovesAndReports) {
    const std::string k14 = "^font(EngraverFontSet)^size(14)^efx(plain)\xBB";
    const std::string k24 = "^font(EngraverFontSet)^size(24)^efx(plain)\xBB";
    struct Row {
        const char* name;
        std::vector<Act> acts;  // before the click on Remove
        std::vector<int> answers;
        std::vector<Box> boxes;
        bool closes;
        std::vector<int16_t> deletedPages;  // the pages of the page texts deleted, in call order
    };
    const Row rows[] = {
        {"all pages, size 14, Yes: three", {}, {IDYES}, {kQuestionBox, ErasedBox(3)}, true, {3, 2, 1}},
        {"pages 2 to 4, size 14: two",
         {Click(id::SelectedPages), Type(id::FirstPage, "2"), Type(id::LastPage, "4")},
         {IDYES},
         {kQuestionBox, ErasedBox(2)},
         true,
         {3, 2}},
        {"all pages, size 24 from the list: one",
         {Select(id::FontList, 10)},
         {IDYES},
         {kQuestionBox, ErasedBox(1)},
         true,
         {4}},
        {"size 12: none found, the dialog stays open",
         {Select(id::FontList, 4)},
         {IDYES},
         {kQuestionBox, kNoneFoundBox},
         false,
         {}},
        {"page 5 only: none found",
         {Click(id::SelectedPages), Type(id::FirstPage, "5"), Type(id::LastPage, "5")},
         {IDYES},
         {kQuestionBox, kNoneFoundBox},
         false,
         {}},
        {"No: nothing happens", {}, {IDNO}, {kQuestionBox}, false, {}},
        {"an answer other than Yes: nothing happens", {}, {IDOK}, {kQuestionBox}, false, {}},
        {"an invalid range: only the page-range message",
         {Click(id::SelectedPages), Type(id::FirstPage, "3"), Type(id::LastPage, "2")},
         {IDYES},
         {kPageRangeBox},
         false,
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        sim::PutTextBlock(1, k14);
        sim::PutTextLayout({1, 0}, 1);
        for (int16_t page : {1, 2, 3}) sim::PutPageText({page, 0}, 1);
        sim::PutTextBlock(2, k24);
        sim::PutTextLayout({2, 0}, 2);
        sim::PutPageText({4, 0}, 2);
        DividerSettings record = Sentinel();
        record.fontSize = 14;
        const DividerSettings before = record;
        std::vector<Act> acts = row.acts;
        acts.push_back(Click(id::Remove));

        const Outcome out = RunDialog(record, acts, row.answers);

        ExpectBoxes(out, row.boxes);
        EXPECT_EQ(out.openAfterActions, !row.closes);
        EXPECT_EQ(out.dialog.leftOpen, !row.closes);
        EXPECT_EQ(out.result, 0);
        ExpectRecord(record, Unaccepted(before));
        std::vector<int16_t> deleted;
        for (const auto& [tag, key] : sim::W().deletions) {
            EXPECT_EQ(tag, tags::PageText);
            deleted.push_back(key.number);
        }
        EXPECT_EQ(deleted, row.deletedPages);
        ExpectNoViolations();
    }
}

TEST_F(OptionsDialogTest, OkAfterARemoveThatFoundNothingIsAccepted) {
    DividerSettings record = Sentinel();
    const Outcome out = RunDialog(record, {Click(id::Remove), Click(id::Ok)}, {IDYES});
    ExpectBoxes(out, {kQuestionBox, kNoneFoundBox});
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(FieldValue(record.dialogAccepted), 1);
}

// ---------------------------------------------------------------- closing without acceptance

TEST_F(OptionsDialogTest, CancelChangesOnlyThePageCountAndAcceptance) {
    struct Row {
        const char* name;
        std::vector<Act> acts;
        bool leftOpen;
    };
    const Row rows[] = {
        {"Cancel at once", {Click(id::Cancel)}, false},
        {"Cancel after changing every control",
         {Select(id::FontList, 14), Click(id::SystemBounds), Click(id::SelectedPages),
          Type(id::FirstPage, "2"), Type(id::LastPage, "3"), Type(id::H, "-40"), Up(id::VSpin),
          Click(id::AutoV), Select(id::Origin, 3), Click(id::Cancel)},
         false},
        {"closed by the user", {Select(id::Origin, 3), Type(id::H, "100")}, true},
        {"a refused OK, then Cancel", {Type(id::H, "5000"), Click(id::Ok), Click(id::Cancel)}, false},
        {"Remove answered No, then Cancel", {Click(id::Remove), Click(id::Cancel)}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        DividerSettings record = Sentinel();
        const Outcome out = RunDialog(record, row.acts);
        EXPECT_EQ(out.result, 0);
        EXPECT_EQ(out.dialog.leftOpen, row.leftOpen);
        ExpectRecord(record, Unaccepted(Sentinel()));
        EXPECT_TRUE(sim::W().deletions.empty());
        ExpectNoViolations();
    }
}

// A stale acceptance, from the registry or an earlier OK, does not pass for
// the answer of a dialog the host could not show.
TEST_F(OptionsDialogTest, DialogThatCannotBeShownIsNotAccepted) {
    DividerSettings accepted = Sentinel();
    ASSERT_EQ(RunDialog(accepted, {Click(id::Ok)}).result, 1);

    sim::W().unshowableDialogs.insert(kDialogId);
    DividerSettings record = accepted;
    record.pageCount = 77;
    ASSERT_EQ(FieldValue(record.dialogAccepted), 1);

    EXPECT_EQ(RunOptionsDialog(sim::W().ownerWindow, &record), 0);

    DividerSettings expected = record;
    expected.dialogAccepted = 0;  // and the page count is not refreshed: the dialog never opened
    ExpectRecord(record, expected);
    EXPECT_EQ(DialogsShown(), std::vector<int32_t>{kDialogId}) << "only the first run showed it";
}

// The simulated dialog controls behave as Win32's do where the module's
// dialogs rely on them: auto radio buttons clear only their own group, auto
// check boxes toggle, edit fields keep digits alone under ES_NUMBER and no
// more than their text limit, up-down controls report an iDelta that follows
// their range and write their buddy only under UDS_SETBUDDYINT, disabled
// controls refuse the user, and measurement fields show and read EVPUs in
// the document's unit.
//
// The controls are those of the options dialog's template, run with a probe
// procedure in place of the module's, which only notes what reaches it.
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/host_services.h"
#include "sim_fixture.h"

namespace {

constexpr int32_t kOptionsDialog = 20128;
constexpr int32_t kFontList = 103;
constexpr int32_t kStaffLines = 105;
constexpr int32_t kSystemBounds = 106;
constexpr int32_t kAllPages = 108;
constexpr int32_t kSelectedPages = 109;
constexpr int32_t kFirstPage = 110;
constexpr int32_t kLastPage = 112;
constexpr int32_t kHField = 115;
constexpr int32_t kVField = 117;
constexpr int32_t kAutoBox = 118;
constexpr int32_t kCombo = 120;
constexpr int32_t kFirstPageSpin = 122;
constexpr int32_t kLastPageSpin = 123;
constexpr int32_t kHSpin = 124;
constexpr int32_t kVSpin = 125;
constexpr int32_t kComboSpin = 126;

constexpr int32_t kClicked = 0;         // BN_CLICKED
constexpr int32_t kSelChange = 1;       // LBN_SELCHANGE, CBN_SELCHANGE
constexpr int32_t kEditChange = 0x300;  // EN_CHANGE

// What reached the probe procedure: WM_COMMAND with its id and notification
// code, or WM_NOTIFY with the sender's id, the code, iPos and iDelta.
struct Notice {
    UINT message;
    int32_t id;
    int32_t code;
    int32_t position = 0;
    int32_t delta = 0;
    friend bool operator==(const Notice&, const Notice&) = default;
};

std::vector<Notice> notices;

std::string Describe(const std::vector<Notice>& list) {
    std::string text;
    for (const Notice& n : list) {
        text += "\n  " + std::string(n.message == WM_COMMAND ? "WM_COMMAND" : "WM_NOTIFY") + " id " +
                std::to_string(n.id) + " code " + std::to_string(n.code) + " iPos " +
                std::to_string(n.position) + " iDelta " + std::to_string(n.delta);
    }
    return text;
}

// Fills the list and the combo box with three entries each, answers TRUE
// to WM_INITDIALOG and ends the dialog on Cancel.
int32_t WINAPI ProbeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, int32_t) {
    switch (message) {
        case WM_INITDIALOG:
            for (const char* item : {"a", "b", "c"}) {
                SendMessageA(GetDlgItem(dialog, kFontList), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
                SendMessageA(GetDlgItem(dialog, kCombo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            }
            return TRUE;
        case WM_COMMAND:
            notices.push_back({WM_COMMAND, LOWORD(wParam), HIWORD(wParam)});
            if (LOWORD(wParam) == IDCANCEL) HostEndDialog(dialog, HostInterfaceVersion);
            return FALSE;
        case WM_NOTIFY: {
            const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
            notices.push_back({WM_NOTIFY, static_cast<int32_t>(wParam),
                               static_cast<int32_t>(change->hdr.code), change->iPos, change->iDelta});
            return TRUE;
        }
        default: return FALSE;
    }
}

// Runs the template over the probe with the user acting inside; what the
// probe noted while opening is forgotten first.
void InDialog(const std::function<void(HWND)>& act) {
    sim::W().driveDialog = [&act](sim::UiEvent& dialog) {
        notices.clear();
        act(dialog.window);
    };
    HostRunDialog(kOptionsDialog, ProbeProc, sim::W().ownerWindow, 1, 0, HostInterfaceVersion);
    sim::W().driveDialog = nullptr;  // it refers to the caller's actions
}

sim::Control& ControlOf(HWND dialog, int32_t id) {
    sim::Control* control = sim::FindControl(dialog, id);
    EXPECT_NE(control, nullptr) << "control " << id;
    static sim::Control none;
    return control == nullptr ? none : *control;
}

void Enable(HWND dialog, int32_t id, bool enabled) {
    HostEnableControl(dialog, id, enabled ? 1 : 0, HostInterfaceVersion);
}

int32_t Get(HWND dialog, int32_t id, ControlKind kind) {
    return HostGetControl(dialog, id, kind, HostInterfaceVersion);
}

void Set(HWND dialog, int32_t id, ControlKind kind, int32_t value) {
    HostSetControl(dialog, id, kind, value, HostInterfaceVersion);
}

const char* ActionName(sim::UserAction action) {
    switch (action) {
        case sim::UserAction::Performed: return "Performed";
        case sim::UserAction::DialogClosed: return "DialogClosed";
        case sim::UserAction::Disabled: return "Disabled";
        case sim::UserAction::Unfit: return "Unfit";
    }
    return "?";
}

}  // namespace

using SimDialogControlsTest = SimTest;

// 105 and 106 form one group, 108 and 109 another that runs on to the end
// of the dialog (no later control starts a group) and holds check box 118,
// which a radio click leaves alone.
TEST_F(SimDialogControlsTest, AutoRadioClickClearsOnlyItsOwnGroup) {
    struct Row {
        const char* name;
        std::vector<int32_t> clicks;
        bool staffLines, systemBounds, allPages, selectedPages;
    };
    const Row rows[] = {
        {"106", {kSystemBounds}, false, true, true, false},
        {"109", {kSelectedPages}, true, false, false, true},
        {"106 then 105", {kSystemBounds, kStaffLines}, true, false, true, false},
        {"109 then 106: each group keeps its own", {kSelectedPages, kSystemBounds}, false, true, false, true},
        {"105, already checked, stays checked", {kStaffLines}, true, false, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("clicks on ") + row.name);
        sim::Reset();
        InDialog([&row](HWND dialog) {
            Set(dialog, kStaffLines, RadioState, 1);
            Set(dialog, kAllPages, RadioState, 1);
            Set(dialog, kAutoBox, CheckState, 1);
            std::vector<Notice> expected;
            for (int32_t id : row.clicks) {
                EXPECT_EQ(sim::ClickControl(dialog, id).action, sim::UserAction::Performed);
                EXPECT_EQ(sim::FindDialog(dialog)->focus, id) << "a click gives the button the focus";
                expected.push_back({WM_COMMAND, id, kClicked});
            }
            EXPECT_EQ(ControlOf(dialog, kStaffLines).checked, row.staffLines);
            EXPECT_EQ(ControlOf(dialog, kSystemBounds).checked, row.systemBounds);
            EXPECT_EQ(ControlOf(dialog, kAllPages).checked, row.allPages);
            EXPECT_EQ(ControlOf(dialog, kSelectedPages).checked, row.selectedPages);
            EXPECT_TRUE(ControlOf(dialog, kAutoBox).checked);
            // The host reads a radio button's state with either kind.
            EXPECT_EQ(Get(dialog, kSystemBounds, RadioState), row.systemBounds ? 1 : 0);
            EXPECT_EQ(Get(dialog, kSystemBounds, CheckState), row.systemBounds ? 1 : 0);
            EXPECT_EQ(notices, expected) << Describe(notices);
        });
        ExpectNoViolations();
    }
}

TEST_F(SimDialogControlsTest, AutoCheckBoxTogglesOnEachClickAndReadsAsZeroOrOne) {
    InDialog([](HWND dialog) {
        std::vector<int32_t> states;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(sim::ClickControl(dialog, kAutoBox).action, sim::UserAction::Performed);
            states.push_back(Get(dialog, kAutoBox, CheckState));
        }
        EXPECT_EQ(states, (std::vector<int32_t>{1, 0, 1}));
        EXPECT_EQ(notices, (std::vector<Notice>(3, Notice{WM_COMMAND, kAutoBox, kClicked})))
            << Describe(notices);

        // Any nonzero value ticks the box; the host then reports 1.
        Set(dialog, kAutoBox, CheckState, 2);
        EXPECT_EQ(Get(dialog, kAutoBox, CheckState), 1);
        Set(dialog, kAutoBox, CheckState, 0);
        EXPECT_EQ(Get(dialog, kAutoBox, CheckState), 0);
    });
}

// Typing replaces the text with what the field takes; EditInteger reads
// the whole text as a signed integer or answers 0.
TEST_F(SimDialogControlsTest, TypingKeepsWhatTheFieldTakes) {
    struct Row {
        const char* name;
        int32_t field;
        int limit;  // sent with EM_LIMITTEXT; -1 sends none
        const char* typed;
        const char* shown;
        int32_t integer;
    };
    const Row rows[] = {
        {"digits field without a limit keeps only digits", kFirstPage, -1, "12a3", "123", 123},
        {"digits field, limit 3", kFirstPage, 3, "1234", "123", 123},
        {"digits field drops the sign", kFirstPage, 3, "-5", "5", 5},
        {"dropped characters do not count against the limit", kFirstPage, 3, "a1b2c3d4", "123", 123},
        {"digits field, limit 3, 999", kLastPage, 3, "999", "999", 999},
        {"empty text reads as 0", kFirstPage, 3, "", "", 0},
        {"free field, limit 7, keeps a decimal", kHField, 7, "-1000.9", "-1000.9", 0},
        {"free field, limit 7, cuts the eighth character", kHField, 7, "12345678", "1234567", 1234567},
        {"free field keeps letters", kVField, 7, "nan", "nan", 0},
        {"blanks around an integer", kHField, -1, " -42 ", " -42 ", -42},
        {"beyond int32 reads as 0", kHField, -1, "99999999999", "99999999999", 0},
        {"limit 0 means no limit", kHField, 0, "123456789012", "123456789012", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        InDialog([&row](HWND dialog) {
            if (row.limit >= 0) {
                SendMessageA(GetDlgItem(dialog, row.field), EM_LIMITTEXT, static_cast<WPARAM>(row.limit), 0);
            }
            EXPECT_EQ(sim::TypeText(dialog, row.field, row.typed).action, sim::UserAction::Performed);
            const sim::Control& field = ControlOf(dialog, row.field);
            EXPECT_EQ(field.text, row.shown);
            EXPECT_EQ(Get(dialog, row.field, EditInteger), row.integer);
            EXPECT_EQ(sim::FindDialog(dialog)->focus, row.field);
            EXPECT_FALSE(field.AllTextSelected()) << "the caret ends after the typed text";
            EXPECT_EQ(notices, (std::vector<Notice>{{WM_COMMAND, row.field, kEditChange}}))
                << Describe(notices);
        });
        ExpectNoViolations();
    }
}

TEST_F(SimDialogControlsTest, EditIntegerWritesDecimalTextAndSelectAllSelectsIt) {
    InDialog([](HWND dialog) {
        Set(dialog, kLastPage, EditInteger, -5);
        EXPECT_EQ(ControlOf(dialog, kLastPage).text, "-5");
        EXPECT_EQ(Get(dialog, kLastPage, EditInteger), -5);
        EXPECT_FALSE(ControlOf(dialog, kLastPage).AllTextSelected()) << "setting the text selects nothing";
        SendMessageA(GetDlgItem(dialog, kLastPage), EM_SETSEL, 0, -1);
        EXPECT_TRUE(ControlOf(dialog, kLastPage).AllTextSelected());
    });
}

// Win32's default range runs from 100 down to 0, so the up arrow proposes
// -1; a range set with UDM_SETRANGE (upper end in the low word, lower end
// in the high word) that rises makes it +1. Only UDS_SETBUDDYINT controls
// take their position from the buddy and write it back, within the range.
TEST_F(SimDialogControlsTest, UpDownDeltaFollowsTheRangeAndOnlySetBuddyIntWritesTheBuddy) {
    struct Row {
        const char* name;
        int32_t upDown, buddy;
        LPARAM range;  // 0: the default range
        const char* before;
        bool up;
        int32_t position, delta;
        const char* after;
    };
    const LPARAM oneToFive = (1 << 16) | 5;
    const LPARAM fiveToOne = (5 << 16) | 1;
    const Row rows[] = {
        {"H up-down, default range, up", kHSpin, kHField, 0, "7", true, 0, -1, "7"},
        {"H up-down, default range, down", kHSpin, kHField, 0, "7", false, 0, 1, "7"},
        {"V up-down, default range, up", kVSpin, kVField, 0, "-3.5", true, 0, -1, "-3.5"},
        {"combo up-down, default range, down", kComboSpin, kCombo, 0, nullptr, false, 0, 1, nullptr},
        {"page up-down, default range, up lowers the number", kFirstPageSpin, kFirstPage, 0, "50", true, 50,
         -1, "49"},
        {"page up-down, 1..5, up", kFirstPageSpin, kFirstPage, oneToFive, "3", true, 3, 1, "4"},
        {"page up-down, 1..5, down", kLastPageSpin, kLastPage, oneToFive, "3", false, 3, -1, "2"},
        {"page up-down, 1..5, up at 5 stays", kLastPageSpin, kLastPage, oneToFive, "5", true, 5, 1, "5"},
        {"page up-down, 1..5, down at 1 stays", kFirstPageSpin, kFirstPage, oneToFive, "1", false, 1, -1,
         "1"},
        {"page up-down, 5 down to 1, up", kFirstPageSpin, kFirstPage, fiveToOne, "3", true, 3, -1, "2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        InDialog([&row](HWND dialog) {
            if (row.range != 0) SendMessageA(GetDlgItem(dialog, row.upDown), UDM_SETRANGE, 0, row.range);
            if (row.before != nullptr) sim::TypeText(dialog, row.buddy, row.before);
            notices.clear();

            EXPECT_EQ(sim::SpinUpDown(dialog, row.upDown, row.up).action, sim::UserAction::Performed);

            const Notice delta{WM_NOTIFY, row.upDown, static_cast<int32_t>(UDN_DELTAPOS), row.position,
                               row.delta};
            EXPECT_EQ(notices, std::vector<Notice>{delta}) << Describe(notices);
            if (row.after != nullptr) {
                EXPECT_EQ(ControlOf(dialog, row.buddy).text, row.after);
            }
        });
        ExpectNoViolations();
    }
}

// UDS_AUTOBUDDY takes the control just before the up-down in template order.
TEST_F(SimDialogControlsTest, EachUpDownsBuddyIsTheControlBeforeIt) {
    const std::map<int32_t, int32_t> buddies = {{kFirstPageSpin, kFirstPage},
                                                {kLastPageSpin, kLastPage},
                                                {kHSpin, kHField},
                                                {kVSpin, kVField},
                                                {kComboSpin, kCombo}};
    InDialog([&buddies](HWND dialog) {
        for (const auto& [upDown, buddy] : buddies) {
            SCOPED_TRACE("up-down " + std::to_string(upDown));
            EXPECT_EQ(ControlOf(dialog, upDown).buddy, ControlOf(dialog, buddy).window);
        }
    });
}

// A disabled control refuses every user action, and nothing reaches the
// procedure; enabled again, the same action goes ahead. Once the dialog has
// closed, no action reaches it.
TEST_F(SimDialogControlsTest, DisabledControlsAndClosedDialogsRefuseTheUser) {
    struct Row {
        const char* name;
        int32_t id;
        std::function<sim::UserOutcome(HWND)> act;
    };
    const Row rows[] = {
        {"click on a check box", kAutoBox, [](HWND d) { return sim::ClickControl(d, kAutoBox); }},
        {"click on a radio button", kSystemBounds,
         [](HWND d) { return sim::ClickControl(d, kSystemBounds); }},
        {"click on Cancel", IDCANCEL, [](HWND d) { return sim::ClickControl(d, IDCANCEL); }},
        {"selection in the list", kFontList, [](HWND d) { return sim::SelectItem(d, kFontList, 2); }},
        {"selection in the combo box", kCombo, [](HWND d) { return sim::SelectItem(d, kCombo, 1); }},
        {"typing", kVField, [](HWND d) { return sim::TypeText(d, kVField, "12"); }},
        {"up-down arrow", kVSpin, [](HWND d) { return sim::SpinUpDown(d, kVSpin, true); }},
        {"page up-down arrow", kFirstPageSpin,
         [](HWND d) { return sim::SpinUpDown(d, kFirstPageSpin, true); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        HWND closed = nullptr;
        InDialog([&row, &closed](HWND dialog) {
            closed = dialog;
            Set(dialog, kFirstPage, EditInteger, 50);
            const std::map<int32_t, sim::ControlView> before = sim::ViewDialog(dialog);
            const int32_t focus = sim::FindDialog(dialog)->focus;
            Enable(dialog, row.id, false);
            EXPECT_STREQ(ActionName(row.act(dialog).action), "Disabled");
            EXPECT_TRUE(notices.empty()) << Describe(notices);
            EXPECT_EQ(sim::FindDialog(dialog)->focus, focus) << "a disabled control takes no focus";
            EXPECT_TRUE(sim::FindDialog(dialog)->open);
            std::map<int32_t, sim::ControlView> after = sim::ViewDialog(dialog);
            for (const auto& [id, seen] : before) {
                SCOPED_TRACE("control " + std::to_string(id));
                EXPECT_EQ(after[id].text, seen.text);
                EXPECT_EQ(after[id].checked, seen.checked);
                EXPECT_EQ(after[id].selection, seen.selection);
            }

            Enable(dialog, row.id, true);
            EXPECT_STREQ(ActionName(row.act(dialog).action), "Performed");
            EXPECT_FALSE(notices.empty());
        });
        EXPECT_FALSE(sim::FindDialog(closed)->open);
        EXPECT_STREQ(ActionName(row.act(closed).action), "DialogClosed");
        ExpectNoViolations();
    }
}

TEST_F(SimDialogControlsTest, ActionsThatDoNotFitTheControlAreRefused) {
    struct Row {
        const char* name;
        std::function<sim::UserOutcome(HWND)> act;
    };
    const Row rows[] = {
        {"click on an edit field", [](HWND d) { return sim::ClickControl(d, kHField); }},
        {"selection in a check box", [](HWND d) { return sim::SelectItem(d, kAutoBox, 0); }},
        {"list entry past the last", [](HWND d) { return sim::SelectItem(d, kFontList, 3); }},
        {"negative list entry", [](HWND d) { return sim::SelectItem(d, kCombo, -1); }},
        {"typing into a list", [](HWND d) { return sim::TypeText(d, kFontList, "1"); }},
        {"arrow of an edit field", [](HWND d) { return sim::SpinUpDown(d, kHField, true); }},
        {"a control the dialog lacks", [](HWND d) { return sim::ClickControl(d, 999); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        InDialog([&row](HWND dialog) {
            const sim::UserOutcome outcome = row.act(dialog);
            EXPECT_STREQ(ActionName(outcome.action), "Unfit");
            EXPECT_FALSE(outcome.why.empty());
            EXPECT_TRUE(notices.empty()) << Describe(notices);
        });
        ExpectNoViolations();
    }
}

// A user's selection notifies the dialog; ComboIndex is the 1-based entry,
// 0 with none, and setting one outside the entries selects none.
TEST_F(SimDialogControlsTest, ListAndComboSelection) {
    InDialog([](HWND dialog) {
        EXPECT_EQ(Get(dialog, kCombo, ComboIndex), 0) << "nothing selected at first";
        EXPECT_EQ(SendMessageA(GetDlgItem(dialog, kFontList), LB_GETCURSEL, 0, 0), -1);

        sim::SelectItem(dialog, kFontList, 2);
        sim::SelectItem(dialog, kCombo, 1);
        EXPECT_EQ(SendMessageA(GetDlgItem(dialog, kFontList), LB_GETCURSEL, 0, 0), 2);
        EXPECT_EQ(Get(dialog, kCombo, ComboIndex), 2);
        EXPECT_EQ(notices, (std::vector<Notice>{{WM_COMMAND, kFontList, kSelChange},
                                                {WM_COMMAND, kCombo, kSelChange}}))
            << Describe(notices);

        Set(dialog, kCombo, ComboIndex, 3);
        EXPECT_EQ(ControlOf(dialog, kCombo).selection, 2);
        Set(dialog, kCombo, ComboIndex, 4);
        EXPECT_EQ(Get(dialog, kCombo, ComboIndex), 0);
        Set(dialog, kCombo, ComboIndex, 1);
        EXPECT_EQ(Get(dialog, kCombo, ComboIndex), 1);
        Set(dialog, kCombo, ComboIndex, 0);
        EXPECT_EQ(Get(dialog, kCombo, ComboIndex), 0);

        // LB_SETCURSEL past the entries fails and keeps the selection; -1 clears it.
        SendMessageA(GetDlgItem(dialog, kFontList), LB_SETCURSEL, 1, 0);
        EXPECT_EQ(SendMessageA(GetDlgItem(dialog, kFontList), LB_SETCURSEL, 3, 0), -1);
        EXPECT_EQ(SendMessageA(GetDlgItem(dialog, kFontList), LB_GETCURSEL, 0, 0), 1);
        SendMessageA(GetDlgItem(dialog, kFontList), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        EXPECT_EQ(SendMessageA(GetDlgItem(dialog, kFontList), LB_GETCURSEL, 0, 0), -1);
    });
}

TEST_F(SimDialogControlsTest, MeasurementTextInEachUnit) {
    struct Row {
        const char* name;
        int32_t unit;
        double evpus;
        const char* text;
    };
    const Row rows[] = {
        {"EVPUs", 1, 72, "72"},
        {"EVPUs, a fraction", 1, 999.5, "999.5"},
        {"EVPUs, negative", 1, -1000, "-1000"},
        {"inches", 2, 288, "1"},
        {"inches, half", 2, 144, "0.5"},
        {"inches, one EVPU more than one inch", 2, 289, "1.0035"},
        {"centimetres", 3, 288 / 2.54, "1"},
        {"centimetres, 100 EVPUs", 3, 100, "0.8819"},
        {"points", 4, 9, "2.25"},
        {"picas", 5, 96, "2"},
        {"spaces", 6, 36, "1.5"},
        {"an unknown code shows EVPUs", 7, 72, "72"},
        {"code 0 shows EVPUs", 0, -5, "-5"},
        {"a tiny negative shows as 0, not -0", 1, -0.00001, "0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(sim::MeasurementText(row.evpus, row.unit), row.text);
    }
}

TEST_F(SimDialogControlsTest, MeasurementTextReadsInTheUnitOrNotAtAll) {
    constexpr double kUntouched = 123.25;
    struct Row {
        const char* name;
        const char* text;
        int32_t unit;
        bool isNumber;
        double evpus;  // NaN: reads as NaN
    };
    const double nan = std::nan("");
    const Row rows[] = {
        {"EVPUs", "72", 1, true, 72},
        {"inches", "1", 2, true, 288},
        {"inches, a fraction", "0.5", 2, true, 144},
        {"centimetres", "2.54", 3, true, 288},
        {"points", "2.25", 4, true, 9},
        {"picas", "-1", 5, true, -48},
        {"spaces", "1.5", 6, true, 36},
        {"unknown code reads EVPUs", "12", 9, true, 12},
        {"blanks around", " 12 ", 1, true, 12},
        {"exponent", "1e3", 1, true, 1000},
        {"beyond int32", "1e12", 1, true, 1e12},
        {"nan", "nan", 1, true, nan},
        {"empty", "", 1, false, kUntouched},
        {"blanks only", "  ", 1, false, kUntouched},
        {"letters", "abc", 1, false, kUntouched},
        {"a number then letters", "12abc", 1, false, kUntouched},
        {"two numbers", "1 2", 1, false, kUntouched},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        double direct = kUntouched;
        EXPECT_EQ(sim::ReadMeasurementText(row.text, row.unit, &direct), row.isNumber);

        // The same through the host's service on a field of an open dialog.
        double served = kUntouched;
        int32_t answer = -1;
        sim::Reset();
        InDialog([&](HWND dialog) {
            sim::TypeText(dialog, kHField, row.text);
            answer = HostReadMeasurement(dialog, kHField, row.unit, &served, HostInterfaceVersion);
        });
        EXPECT_EQ(answer, row.isNumber ? 1 : 0);
        for (double value : {direct, served}) {
            if (std::isnan(row.evpus)) {
                EXPECT_TRUE(std::isnan(value)) << value;
            } else {
                EXPECT_DOUBLE_EQ(value, row.evpus);
            }
        }
        ExpectNoViolations();
    }
}

// What HostWriteMeasurement shows, HostReadMeasurement reads back in the
// same unit, to the four decimals the field shows.
TEST_F(SimDialogControlsTest, WrittenMeasurementReadsBack) {
    InDialog([](HWND dialog) {
        for (int32_t unit = 1; unit <= 6; ++unit) {
            SCOPED_TRACE("unit " + std::to_string(unit));
            HostWriteMeasurement(dialog, kVField, unit, 250.0, HostInterfaceVersion);
            EXPECT_FALSE(ControlOf(dialog, kVField).AllTextSelected());
            double read = 0.0;
            EXPECT_EQ(HostReadMeasurement(dialog, kVField, unit, &read, HostInterfaceVersion), 1);
            EXPECT_NEAR(read, 250.0, 0.02);
        }
    });
}

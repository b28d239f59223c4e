// The dialog templates the simulated host reads from the module's resource
// script: exactly the options dialog (20128) and the final-layout
// confirmation (20129), each with its caption, position, size, style and
// font, and every control's id, class, text, rectangle and style in
// template order, which is also the tab order and fixes each up-down
// control's buddy.
//
// The expected tables are written out here from the Win32 style constants,
// apart from the script and the reader, so that a control moved, restyled or
// retyped in either shows up by its row.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "sim_fixture.h"

namespace {

// The Win32 style values the templates use, as the system headers define them.
namespace win32 {
constexpr uint32_t WS_CHILD = 0x40000000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_CAPTION = 0x00C00000;
constexpr uint32_t WS_BORDER = 0x00800000;
constexpr uint32_t WS_VSCROLL = 0x00200000;
constexpr uint32_t WS_SYSMENU = 0x00080000;
constexpr uint32_t WS_THICKFRAME = 0x00040000;
constexpr uint32_t WS_GROUP = 0x00020000;
constexpr uint32_t WS_TABSTOP = 0x00010000;
constexpr uint32_t DS_SETFONT = 0x00000040;
constexpr uint32_t DS_MODALFRAME = 0x00000080;
constexpr uint32_t DS_CENTER = 0x00000800;
constexpr uint32_t SS_LEFT = 0x00000000;
constexpr uint32_t SS_CENTER = 0x00000001;
constexpr uint32_t SS_SUNKEN = 0x00001000;
constexpr uint32_t BS_PUSHBUTTON = 0x00000000;
constexpr uint32_t BS_DEFPUSHBUTTON = 0x00000001;
constexpr uint32_t BS_AUTOCHECKBOX = 0x00000003;
constexpr uint32_t BS_GROUPBOX = 0x00000007;
constexpr uint32_t BS_AUTORADIOBUTTON = 0x00000009;
constexpr uint32_t LBS_NOTIFY = 0x00000001;
constexpr uint32_t LBS_HASSTRINGS = 0x00000040;
constexpr uint32_t CBS_DROPDOWNLIST = 0x00000003;
constexpr uint32_t CBS_HASSTRINGS = 0x00000200;
constexpr uint32_t ES_AUTOHSCROLL = 0x00000080;
constexpr uint32_t ES_NUMBER = 0x00002000;
constexpr uint32_t UDS_SETBUDDYINT = 0x00000002;
constexpr uint32_t UDS_ALIGNRIGHT = 0x00000004;
constexpr uint32_t UDS_AUTOBUDDY = 0x00000010;
constexpr uint32_t UDS_ARROWKEYS = 0x00000020;
constexpr uint32_t UDS_NOTHOUSANDS = 0x00000080;
}  // namespace win32

using namespace win32;

// Every control is a visible child.
constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE;
// The up-down controls of the adjustments and the origin combo box.
constexpr uint32_t kPlainUpDown = kChild | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
// The page up-downs, which write their position into their buddy.
constexpr uint32_t kPageUpDown = kPlainUpDown | UDS_SETBUDDYINT;

struct ControlRow {
    int32_t id;
    const char* className;
    const char* text;
    int16_t x, y, width, height;
    uint32_t style;
};

struct DialogRow {
    int32_t id;
    const char* caption;
    int16_t x, y, width, height;
    uint32_t style;
    int16_t fontSize;
    const char* fontName;
    std::vector<ControlRow> controls;
};

const DialogRow kOptionsDialog = {
    20128,
    "Kelmoor Stavenor - v. 1.07",
    31,
    39,
    268,
    186,
    WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT,
    8,
    "MS Sans Serif",
    {
        {101, "STATIC",
         "NOTE: You must have the font 'EngraverFontSet' installed on your system to get this plug-in to "
         "work "
         "correctly.",
         6, 6, 256, 22, kChild | SS_LEFT | SS_SUNKEN},
        {102, "STATIC", "&Font size:", 7, 35, 41, 8, kChild | SS_LEFT},
        {103, "LISTBOX", "", 7, 44, 41, 137,
         kChild | LBS_NOTIFY | LBS_HASSTRINGS | WS_BORDER | WS_VSCROLL | WS_TABSTOP},
        {104, "BUTTON", "Calculate V-positions using...", 56, 40, 112, 46, kChild | BS_GROUPBOX},
        {105, "BUTTON", "last/first s&taff lines", 64, 54, 94, 10,
         kChild | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
        {106, "BUTTON", "staff s&ystems boundaries", 64, 68, 94, 10, kChild | BS_AUTORADIOBUTTON},
        {107, "BUTTON", "Process range", 56, 94, 112, 64, kChild | BS_GROUPBOX},
        {108, "BUTTON", "All &pages", 65, 106, 97, 10, kChild | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
        {109, "BUTTON", "&Selected pages", 65, 120, 97, 10, kChild | BS_AUTORADIOBUTTON},
        {110, "EDIT", "", 64, 136, 25, 12, kChild | ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        {122, "msctls_updown32", "", 90, 135, 10, 14, kPageUpDown},
        {111, "STATIC", "to", 95, 138, 21, 8, kChild | SS_CENTER},
        {112, "EDIT", "", 123, 136, 25, 12, kChild | ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        {123, "msctls_updown32", "", 149, 136, 10, 12, kPageUpDown},
        {113, "BUTTON", "Adjustments", 172, 40, 90, 64, kChild | BS_GROUPBOX},
        {114, "STATIC", "&H:", 187, 55, 20, 8, kChild | SS_LEFT},
        {115, "EDIT", "", 212, 53, 32, 12, kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        {124, "msctls_updown32", "", 245, 52, 10, 13, kPlainUpDown},
        {116, "STATIC", "&V:", 187, 73, 20, 8, kChild | SS_LEFT},
        {117, "EDIT", "", 212, 71, 32, 12, kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        {125, "msctls_updown32", "", 245, 70, 10, 13, kPlainUpDown},
        {118, "BUTTON", "&Auto-adjust V", 184, 86, 65, 10, kChild | BS_AUTOCHECKBOX | WS_TABSTOP},
        {119, "BUTTON", "R&ight margin origin", 172, 107, 90, 51, kChild | BS_GROUPBOX},
        {120, "COMBOBOX", "", 181, 121, 73, 41,
         kChild | CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP},
        {126, "msctls_updown32", "", 249, 121, 10, 14, kPlainUpDown},
        {1, "BUTTON", "OK", 104, 167, 40, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
        {2, "BUTTON", "Cancel", 153, 167, 40, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
        {121, "BUTTON", "&Remove", 222, 167, 40, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
    },
};

const DialogRow kConfirmDialog = {
    20129,
    "Are you sure?",
    19,
    33,
    181,
    69,
    // No WS_SYSMENU: the confirmation has no close box.
    WS_VISIBLE | WS_CAPTION | WS_THICKFRAME | DS_MODALFRAME | DS_CENTER | DS_SETFONT,
    8,
    "MS Sans Serif",
    {
        {6, "BUTTON", "&Yes", 45, 38, 33, 12, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
        {7, "BUTTON", "&No", 101, 38, 33, 12, kChild | BS_PUSHBUTTON | WS_TABSTOP},
        {130, "BUTTON", "&Don't show this message in the future", 22, 57, 139, 10,
         kChild | BS_AUTOCHECKBOX | WS_TABSTOP},
        {101, "STATIC", "Apply this plug-in ONLY on your FINAL LAYOUT. Continue?", 7, 6, 168, 30,
         kChild | SS_LEFT},
    },
};

std::string Hex32(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

void ExpectDialog(const DialogRow& expected) {
    SCOPED_TRACE("dialog " + std::to_string(expected.id));
    const sim::DialogTemplate* actual = sim::FindDialogTemplate(expected.id);
    ASSERT_NE(actual, nullptr);
    EXPECT_EQ(actual->caption, expected.caption);
    EXPECT_EQ(actual->x, expected.x);
    EXPECT_EQ(actual->y, expected.y);
    EXPECT_EQ(actual->width, expected.width);
    EXPECT_EQ(actual->height, expected.height);
    EXPECT_EQ(Hex32(actual->style), Hex32(expected.style));
    EXPECT_EQ(actual->fontSize, expected.fontSize);
    EXPECT_EQ(actual->fontName, expected.fontName);

    ASSERT_EQ(actual->controls.size(), expected.controls.size());
    for (size_t i = 0; i < expected.controls.size(); ++i) {
        const ControlRow& want = expected.controls[i];
        const sim::ControlTemplate& got = actual->controls[i];
        SCOPED_TRACE("control " + std::to_string(want.id) + ", number " + std::to_string(i + 1) +
                     " in order");
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.className, want.className);
        EXPECT_EQ(got.text, want.text);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.width, want.width);
        EXPECT_EQ(got.height, want.height);
        EXPECT_EQ(Hex32(got.style), Hex32(want.style));
    }
}

}  // namespace

using DialogTemplatesTest = SimTest;

TEST_F(DialogTemplatesTest, ScriptHoldsExactlyTheTwoDialogs) {
    std::vector<int32_t> ids;
    for (const sim::DialogTemplate& dialog : sim::DialogTemplates()) ids.push_back(dialog.id);
    EXPECT_EQ(ids, (std::vector<int32_t>{20128, 20129}));
    EXPECT_EQ(sim::FindDialogTemplate(20130), nullptr);
}

TEST_F(DialogTemplatesTest, OptionsDialogTemplate) { ExpectDialog(kOptionsDialog); }

TEST_F(DialogTemplatesTest, ConfirmationTemplate) { ExpectDialog(kConfirmDialog); }

// No control of either dialog starts disabled or hidden: each carries
// exactly the visible-child bits besides its own, checked apart from the
// tables so that a WS_DISABLED slipped into a row and the script alike is
// caught.
TEST_F(DialogTemplatesTest, EveryControlStartsAsAnEnabledVisibleChild) {
    constexpr uint32_t kDisabled = 0x08000000;  // WS_DISABLED
    for (const sim::DialogTemplate& dialog : sim::DialogTemplates()) {
        for (const sim::ControlTemplate& control : dialog.controls) {
            SCOPED_TRACE("dialog " + std::to_string(dialog.id) + ", control " + std::to_string(control.id));
            EXPECT_EQ(control.style & kChild, kChild);
            EXPECT_EQ(control.style & kDisabled, 0u);
        }
    }
}

// What the simulated dialog manager's files share. Only sim/ includes this.
#pragma once

#include <string>

#include "sim/world_internals.h"

namespace sim::detail {

// The window and control styles the dialog manager acts on.
namespace style {
constexpr uint32_t kDisabled = 0x08000000;        // WS_DISABLED
constexpr uint32_t kGroup = 0x00020000;           // WS_GROUP
constexpr uint32_t kTabStop = 0x00010000;         // WS_TABSTOP
constexpr uint32_t kButtonTypeMask = 0x0000000F;  // BS_PUSHBUTTON .. BS_AUTORADIOBUTTON
constexpr uint32_t kAutoCheckBox = 0x3;           // BS_AUTOCHECKBOX
constexpr uint32_t kAuto3State = 0x6;             // BS_AUTO3STATE
constexpr uint32_t kAutoRadioButton = 0x9;        // BS_AUTORADIOBUTTON
constexpr uint32_t kNumber = 0x00002000;          // ES_NUMBER
constexpr uint32_t kSetBuddyInt = 0x00000002;     // UDS_SETBUDDYINT
constexpr uint32_t kAutoBuddy = 0x00000010;       // UDS_AUTOBUDDY
}  // namespace style

// Creates the template's controls as children of the dialog, in order.
void MakeControls(DialogWindow& dialog, const DialogTemplate& dialogTemplate);
// The control behind a window handle, or null.
Control* FindControl(HWND window);
// Replaces an edit field's text as SetWindowText does: no text selected.
void SetEditText(Control& control, const std::string& text);
// An edit field's text as a signed integer: its whole text, blanks around it
// aside, is an optional sign and decimal digits within the int32 range.
bool ReadEditInteger(const std::string& text, int32_t* value);
// Sends WM_COMMAND from a control to its open dialog's procedure.
int32_t NotifyCommand(const Control& control, int32_t notification);

}  // namespace sim::detail

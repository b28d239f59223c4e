// What the simulated dialog manager's files share. Only sim/ includes this.
#pragma once

#include <string>

#include "sim/world_internals.h"

namespace sim::detail {

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

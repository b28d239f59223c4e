// Finding the command in the host's menus by its menu text.
#pragma once

#include "platform/win32.h"

// The identifier of the first item, depth first, whose text begins with the
// whole menu text (case and ampersands count); 0 when none does or there is
// no menu. Items without text are skipped together with their submenus.
UINT FindMenuCommand(HMENU menu, const char* menuText);

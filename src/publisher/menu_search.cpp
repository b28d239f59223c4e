// The depth-first search of a menu and its submenus for the command's text.
#include "publisher/menu_search.h"

#include <cstring>

namespace {

// At most 99 characters of an item's text and the terminating zero.
constexpr int kItemTextSize = 100;

}  // namespace

UINT FindMenuCommand(HMENU menu, const char* menuText) {
    // A menu that is not there answers -1 and counts as empty.
    const int count = GetMenuItemCount(menu);
    const size_t textLength = std::strlen(menuText);
    for (int position = 0; position < count; ++position) {
        char text[kItemTextSize];
        if (GetMenuStringA(menu, static_cast<UINT>(position), text, kItemTextSize, MF_BYPOSITION) == 0) {
            continue;  // no text: neither descended into nor compared
        }
        HMENU submenu = GetSubMenu(menu, position);
        if (submenu != nullptr) {
            const UINT found = FindMenuCommand(submenu, menuText);
            if (found != 0) return found;
        }
        if (std::strncmp(text, menuText, textLength) == 0) return GetMenuItemID(menu, position);
    }
    return 0;
}

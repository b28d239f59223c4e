// Menus: a window's menu bar and its submenus, items with or without text,
// read by position (or by command) as Windows answers.
#include <algorithm>
#include <cstring>

#include "sim/world_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

constexpr uintptr_t kFirstMenuHandle = 0x0B000000u;
constexpr uintptr_t kHandleStep = 4;
constexpr UINT kNoIdentifier = 0xFFFFFFFFu;  // GetMenuItemID's -1
constexpr DWORD kErrorInvalidMenuHandle = 1401;

uintptr_t nextMenuHandle = kFirstMenuHandle;

using Entries = std::vector<Internals::MenuEntry>;

// A menu's items; null for a null handle and, with a breach, for a handle
// the simulation never gave.
const Entries* FindMenu(HMENU menu, const char* function) {
    if (menu == nullptr) {
        W().lastError = kErrorInvalidMenuHandle;
        return nullptr;
    }
    auto found = I().menus.find(menu);
    if (found == I().menus.end()) {
        Breach(Format("%s: unknown menu handle", function));
        W().lastError = kErrorInvalidMenuHandle;
        return nullptr;
    }
    return &found->second;
}

const Internals::MenuEntry* AtPosition(const Entries& entries, int64_t position) {
    if (position < 0 || position >= static_cast<int64_t>(entries.size())) return nullptr;
    return &entries[static_cast<size_t>(position)];
}

// The first item with this identifier, depth first, as Windows searches
// submenus too when an item is given by command.
const Internals::MenuEntry* ByCommand(const Entries& entries, UINT id) {
    for (const Internals::MenuEntry& entry : entries) {
        if (entry.submenu != nullptr) {
            const Entries* inner = FindMenu(entry.submenu, "GetMenuStringA");
            const Internals::MenuEntry* found = inner ? ByCommand(*inner, id) : nullptr;
            if (found != nullptr) return found;
        } else if (entry.id == id) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

namespace sim {

HMENU MakeMenu(const std::vector<MenuItem>& items) {
    HMENU menu = reinterpret_cast<HMENU>(nextMenuHandle);
    nextMenuHandle += kHandleStep;
    Entries entries;
    for (const MenuItem& item : items) {
        Internals::MenuEntry entry;
        entry.text = item.text;
        entry.id = item.id;
        if (item.opensSubmenu) entry.submenu = MakeMenu(item.items);
        entries.push_back(entry);
    }
    I().menus[menu] = entries;
    return menu;
}

HMENU SetMenuBar(HWND window, const std::vector<MenuItem>& items) {
    HMENU menu = MakeMenu(items);
    W().windowMenus[window] = menu;
    return menu;
}

}  // namespace sim

HMENU WINAPI GetMenu(HWND window) {
    CountWin32("GetMenu");
    auto found = W().windowMenus.find(window);
    return found == W().windowMenus.end() ? nullptr : found->second;
}

HMENU WINAPI GetSubMenu(HMENU menu, int position) {
    CountWin32("GetSubMenu");
    const Entries* entries = FindMenu(menu, "GetSubMenu");
    const Internals::MenuEntry* entry = entries ? AtPosition(*entries, position) : nullptr;
    return entry == nullptr ? nullptr : entry->submenu;
}

int WINAPI GetMenuItemCount(HMENU menu) {
    CountWin32("GetMenuItemCount");
    const Entries* entries = FindMenu(menu, "GetMenuItemCount");
    return entries == nullptr ? -1 : static_cast<int>(entries->size());
}

UINT WINAPI GetMenuItemID(HMENU menu, int position) {
    CountWin32("GetMenuItemID");
    const Entries* entries = FindMenu(menu, "GetMenuItemID");
    const Internals::MenuEntry* entry = entries ? AtPosition(*entries, position) : nullptr;
    if (entry == nullptr || entry->submenu != nullptr) return kNoIdentifier;
    return entry->id;
}

// The number of characters copied, without the terminating zero: at most
// maxCount - 1 of them. 0 for an item without text or no such item. With no
// buffer or no room it answers the text's length and copies nothing.
int WINAPI GetMenuStringA(HMENU menu, UINT item, LPSTR text, int maxCount, UINT flags) {
    CountWin32("GetMenuStringA");
    const Entries* entries = FindMenu(menu, "GetMenuStringA");
    if (entries == nullptr) return 0;
    const Internals::MenuEntry* entry =
        (flags & MF_BYPOSITION) != 0 ? AtPosition(*entries, item) : ByCommand(*entries, item);
    if (entry == nullptr) return 0;
    const std::string itemText = entry->text.value_or(std::string());
    if (text == nullptr || maxCount <= 0) return static_cast<int>(itemText.size());
    const size_t copied = std::min(itemText.size(), static_cast<size_t>(maxCount) - 1);
    std::memcpy(text, itemText.data(), copied);
    text[copied] = '\0';
    return static_cast<int>(copied);
}

// The hook procedure: it sees every message sent to a window of the host's
// user-interface thread and waits for the first WM_MDICREATE, the host
// asking for its first document window. By then the host has built its
// menu bar with the command in it.
#include "publisher/menu_publisher.h"
#include "publisher/menu_search.h"
#include "publisher/published_block.h"
#include "publisher/publisher_state.h"

namespace {

constexpr int kFirstItemTextSize = 48;
// The menu that holds the command, counted from 0. An item without text in
// front of the menus (the system menu of a maximised document window, which
// an MDI host shows in its menu bar) moves every menu one place on.
constexpr int kCommandMenuPosition = 5;
constexpr int kCommandMenuPositionAfterIcon = 6;

HMENU CommandMenu(HMENU menuBar) {
    char firstText[kFirstItemTextSize];
    const bool firstHasText = GetMenuStringA(menuBar, 0, firstText, kFirstItemTextSize, MF_BYPOSITION) > 0;
    return GetSubMenu(menuBar, firstHasText ? kCommandMenuPosition : kCommandMenuPositionAfterIcon);
}

}  // namespace

LRESULT CALLBACK MenuPublisherHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code != 0) return CallNextHookEx(publisherHook, code, wParam, lParam);
    const LRESULT result = CallNextHookEx(publisherHook, code, wParam, lParam);
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call == nullptr || call->message != WM_MDICREATE) return result;

    publishedMenuId = FindMenuCommand(CommandMenu(GetMenu(publisherHostWindow)), publisherMenuText);
    // Published whatever the search found, so that a block holding 0 says
    // that the command was not found.
    publisherMapping = PublishMenuCommand(publisherProgramName);
    UnhookWindowsHookEx(publisherHook);
    publisherHook = nullptr;
    return result;
}

// The simulated world the native build runs the module in: the Finale host's
// document and services, the helper plug-in "Tamber2000.fxt", and the Win32
// subset the module calls (registry, message boxes, key state, libraries,
// windows).
//
// Everything lives in one World that tests and the scenario runner set up
// before they call the module's entry points, and read back afterwards.
// Reset() gives a fresh world. None of this is part of the module.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/helper_api.h"
#include "platform/host_services.h"
#include "platform/win32.h"

namespace sim {

using Bytes = std::vector<uint8_t>;

struct Key {
    int16_t number = 0;
    int16_t sub = 0;
    friend bool operator<(const Key& a, const Key& b) {
        return a.number != b.number ? a.number < b.number : a.sub < b.sub;
    }
    friend bool operator==(const Key& a, const Key& b) { return a.number == b.number && a.sub == b.sub; }
};

// ---------------------------------------------------------------- score
struct SystemModel {
    int32_t spaceAbove = 0;
    int32_t height = 0;
    int32_t topLineDrop = 0;
    int32_t lastLineRise = 0;
    int16_t resizePercent = 100;
    int16_t isResized = 0;
    int16_t lastStaff = 1;
    int16_t staffPercent = 100;  // what pFTX_GetStaffEnduction answers for lastStaff
};

struct PageModel {
    std::vector<SystemModel> systems;
};

// ---------------------------------------------------------------- helper
struct HelperModel {
    bool present = true;                  // LoadLibraryA("Tamber2000.fxt") finds it
    int32_t initByFinale = 1;             // pTAMBER_InitByFinale's answer
    int32_t version = 2;                  // pTAMBER_Version's answer
    int32_t handshake = 1;                // pTAMBER_HandShake's answer
    int32_t hostVersion = 2000;           // pFTX_FinaleVersion's answer
    std::set<std::string> missing;        // entry names left out of the library
    std::set<int> failSystemRangeOnPage;  // pages whose range query fails
    std::set<int> failLayoutInfo;         // systems whose layout query fails
    std::vector<PageModel> pages;         // systems numbered from 1 across pages

    // Observed.
    int references = 0;                 // LoadLibraryA minus FreeLibrary
    std::vector<std::string> lookedUp;  // GetProcAddress names, in order
    std::vector<std::pair<int32_t, int32_t>> handshakeArgs;
};

// The 85 entry names the helper exports, in the binding's list order.
extern const char* const kEntryNames[85];

// ---------------------------------------------------------------- user interface
struct UiEvent {
    enum Kind { MessageBox, Dialog } kind = MessageBox;
    // Message box.
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    uint32_t style = 0;
    int answer = 0;
    // Dialog.
    int32_t templateId = 0;
    HWND parent = nullptr;
    HWND window = nullptr;
    bool leftOpen = false;  // the driver left it open; closed as a user would
    // Either.
    bool unscripted = false;  // the script did not foresee it
};

// The answer a user gives by closing a message box of this style: Cancel
// where there is one, else No, else the only (OK) button.
int ClosingAnswer(uint32_t style);
// The command a user's closing sends to one of the module's dialogs:
// Cancel (2) for the options dialog, No (7) for the confirmation.
int32_t ClosingCommand(int32_t templateId);

// A dialog control's child window, as GetDlgItem answers it and SendMessageA
// reaches it. List and combo boxes keep their items and selection; every
// message is kept in order.
struct SentMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

struct ChildControl {
    HWND dialog = nullptr;
    int32_t controlId = 0;
    std::vector<std::string> items;  // LB_ADDSTRING, CB_ADDSTRING texts in order
    int32_t selection = -1;          // LB_SETCURSEL, CB_SETCURSEL; -1 none
    std::vector<SentMessage> messages;
};

// ---------------------------------------------------------------- registry
struct RegValue {
    std::string name;   // as written
    uint32_t type = 3;  // REG_BINARY
    Bytes data;
};

struct RegistryKey {
    std::string path;                        // as created
    std::map<std::string, RegValue> values;  // by lower-cased name
};

// ---------------------------------------------------------------- threads, hooks, menus, shared memory
// The host's process and its user-interface thread, which owns every window
// the simulation makes.
constexpr DWORD kHostProcessId = 0x0F10;
constexpr DWORD kHostThreadId = 0x0A2C;

// One item of a menu. An item that opens a submenu answers -1 (0xFFFFFFFF)
// to GetMenuItemID, as Windows does, whatever its id.
struct MenuItem {
    std::optional<std::string> text;  // unset: an item without text (a separator, a picture)
    uint32_t id = 0;
    bool opensSubmenu = false;
    std::vector<MenuItem> items;  // the submenu's items
};

// An installed hook.
struct HookModel {
    HHOOK handle = nullptr;
    int type = 0;
    HOOKPROC procedure = nullptr;
    HINSTANCE module = nullptr;
    DWORD thread = 0;
};

// A message that reached its window after the hooks of the window's thread.
struct DeliveredMessage {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// ---------------------------------------------------------------- world
struct World {
    // Document: records by tag, then key in (number, sub) order. Text blocks
    // are keyed by number alone (sub is always 0 in the store and never
    // written back).
    std::map<uint32_t, std::map<Key, Bytes>> records;
    std::map<uint32_t, int> creations;                // HostCreateRecord calls per tag
    std::set<std::pair<uint32_t, int>> refuseCreate;  // (tag, nth creation, 1-based)
    bool junkHighBits = true;                         // 16-bit answers carry garbage in bits 16..31

    // Counts by service or entry name, and one ordered log of both, e.g.
    // "HostCreateRecord(0x7478626c)", "pFTX_GetLayoutInfo(3)".
    std::map<std::string, int> hostCalls;
    std::map<std::string, int> helperCalls;
    std::map<std::string, int> win32Calls;
    std::vector<std::string> callLog;

    // Every breach of a contract the host or helper relies on (a wrong
    // version argument, a layout query without infoSize 102, a call of an
    // entry that is never called, ...). Tests expect it empty.
    std::vector<std::string> violations;

    HelperModel helper;

    // Registry under HKEY_CURRENT_USER, by lower-cased path.
    std::map<std::string, RegistryKey> registry;
    int32_t openKeyError = 0;    // nonzero: RegOpenKeyExA fails with it
    int32_t createKeyError = 0;  // nonzero: RegCreateKeyExA fails with it
    int openKeys = 0;            // handles opened and not yet closed

    // User interface.
    std::vector<UiEvent> ui;
    // Answers a message box (IDOK, IDYES, ...); unset: ClosingAnswer.
    std::function<int(UiEvent&)> answerMessageBox;
    // Performs the user's actions in an open dialog; unset: nothing. The
    // dialog is then closed as a user would if it is still open.
    std::function<void(UiEvent&)> driveDialog;
    bool ctrlDown = false;
    bool shiftDown = false;
    std::vector<int> keyStateQueries;  // virtual keys asked, in order

    // Windows, named for results free of handles.
    HWND hostWindow = nullptr;    // given to FinaleExtensionInit
    HWND ownerWindow = nullptr;   // given to FinaleExtensionInvoke
    HWND activeWindow = nullptr;  // what GetActiveWindow answers

    // Open dialogs: window -> template id, and control values set through
    // the host's control services.
    std::map<HWND, int32_t> openDialogs;
    std::map<HWND, std::map<int32_t, int32_t>> controlValues;
    std::map<HWND, std::map<int32_t, double>> measurementValues;
    // The last HostEnableControl flag per control, and the control that last
    // got the focus through HostFocusControl (absent: none yet).
    std::map<HWND, std::map<int32_t, int32_t>> enableFlags;
    std::map<HWND, int32_t> focusedControl;
    // Child windows handed out by GetDlgItem (or DialogItem), by handle.
    std::map<HWND, ChildControl> children;

    int prePlacements = 0;

    // Threads and processes: the thread that owns each window (a window
    // absent here has none, as for a destroyed one) and the process of each
    // thread. MakeWindow gives every window to the host's UI thread.
    std::map<HWND, DWORD> windowThreads;
    std::map<DWORD, DWORD> threadProcesses = {{kHostThreadId, kHostProcessId}};
    HWND mdiClient = nullptr;  // the host's MDI client, which gets WM_MDICREATE
    int documentWindows = 0;   // made by OpenDocumentWindow
    std::vector<DeliveredMessage> delivered;
    std::vector<HookModel> hooks;       // installed, oldest first
    std::map<HWND, HMENU> windowMenus;  // what GetMenu answers; absent: no menu bar
    DWORD lastError = 0;                // set by the publisher's functions as GetLastError would answer
    bool refuseOpenProcess = false;     // OpenProcess fails with ERROR_ACCESS_DENIED
    bool refuseHook = false;            // SetWindowsHookExA fails with ERROR_ACCESS_DENIED
    bool refuseMapping = false;         // CreateFileMappingA fails with ERROR_ACCESS_DENIED
    bool refuseView = false;            // MapViewOfFile fails with ERROR_NOT_ENOUGH_MEMORY
};

World& W();
void Reset();

HWND MakeWindow(const std::string& name);
std::string WindowName(HWND window);  // "" for an unknown handle
HINSTANCE ModuleInstance();           // the handle the loader gives the module

// Document set-up.
void PutRecord(uint32_t tag, Key key, const Bytes& bytes);
std::optional<Bytes> GetRecord(uint32_t tag, Key key);
// The score: a PageSpecRecord per page and the helper's page model.
void SetScore(const std::vector<PageModel>& pages);
void SetUnit(int16_t code);      // UnitPrefsRecord with the code at offset 30
void SetPartMode(int16_t mode);  // PartModeRecord (-2, 0) with the mode at offset 8
void PutTextBlock(int16_t number, const std::string& latin1Text);  // text and its zero
void PutTextLayout(Key key, int16_t textBlock);
void PutPageText(Key key, int16_t textLayout);

// For driveDialog, acting as the user in an open dialog. DialogItem is the
// control's child window, as GetDlgItem answers it, without counting a call.
// SendToDialog delivers a message to the dialog's procedure as the host's
// modal loop would and answers the procedure's result; SendCommand sends
// WM_COMMAND from a control with the notification code in the high word.
HWND DialogItem(HWND dialog, int32_t controlId);
int32_t SendToDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
int32_t SendCommand(HWND dialog, int32_t controlId, int32_t notification = 0);

// Registry set-up and read-back for the plug-in's key.
void PutRegistryValue(const std::string& keyPath, const std::string& name, uint32_t type, const Bytes& data);
const RegistryKey* FindRegistryKey(const std::string& keyPath);

// ---------------------------------------------------------------- threads, hooks, menus, shared memory

// Menus: a menu (with its submenus) made from items, and a window's menu bar.
HMENU MakeMenu(const std::vector<MenuItem>& items);
HMENU SetMenuBar(HWND window, const std::vector<MenuItem>& items);

// The host sending a message on its UI thread: the WH_CALLWNDPROC hooks of
// the window's thread see it first, newest first, then the window gets it
// (World::delivered) and answers 0.
LRESULT SendWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The host opening a document window: WM_MDICREATE to mdiClient, then a new
// window named "document:N" (N from 1) on the host's UI thread.
HWND OpenDocumentWindow();
// Runs the WH_CALLWNDPROC chain of a thread with any hook code and answers
// what the newest hook answered (0 when there is none).
LRESULT CallHooks(DWORD thread, int code, WPARAM wParam, LPARAM lParam);

// Named shared memory as another process sees it. HoldSharedBlock opens the
// block of that name for another process, creating it with the bytes (at
// least one) when there is none; ReleaseSharedBlock closes that process's
// handle again. ReadSharedBlock answers a block's bytes, or nothing when no
// block of that name exists (names are case-sensitive).
void HoldSharedBlock(const std::string& name, const Bytes& bytes);
void ReleaseSharedBlock(const std::string& name);
std::optional<Bytes> ReadSharedBlock(const std::string& name);
std::vector<std::string> SharedBlockNames();  // sorted
// What the module holds: its open kernel handles ("process 3856",
// "mapping stavenor0") in the order opened, and its mapped views.
std::vector<std::string> OpenKernelHandles();
size_t MappedViews();

}  // namespace sim

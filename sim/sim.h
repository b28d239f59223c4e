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

// ---------------------------------------------------------------- dialog templates
// The module's dialog templates as its resource script declares them; the
// simulated host runs its dialogs from these.
struct ControlTemplate {
    int32_t id = 0;
    std::string className;  // a predefined class in capitals ("BUTTON", "EDIT", ...) or the name written
    std::string text;
    int16_t x = 0, y = 0, width = 0, height = 0;
    uint32_t style = 0;
};

struct DialogTemplate {
    int32_t id = 0;
    int16_t x = 0, y = 0, width = 0, height = 0;
    uint32_t style = 0;
    std::string caption;
    int16_t fontSize = 0;
    std::string fontName;
    std::vector<ControlTemplate> controls;  // in template order, the tab order
};

// Every template of the resource script, in the order it declares them.
const std::vector<DialogTemplate>& DialogTemplates();
const DialogTemplate* FindDialogTemplate(int32_t id);

// ---------------------------------------------------------------- dialogs
// A message sent to a control window, kept in order.
struct SentMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// One control of an open (or closed) dialog, behaving as the Win32 control
// of its class does for what the module uses.
struct Control {
    enum Kind { Static, PushButton, CheckBox, RadioButton, GroupBox, ListBox, ComboBox, Edit, UpDown, Other };
    HWND window = nullptr;
    HWND dialog = nullptr;
    int32_t id = 0;
    Kind kind = Other;
    uint32_t style = 0;
    std::string text;  // a caption, or an edit field's contents
    bool enabled = true;
    bool checked = false;            // check boxes and radio buttons
    std::vector<std::string> items;  // list and combo boxes
    int32_t selection = -1;          // list and combo boxes; -1 none
    int32_t textLimit = 32767;       // edit fields (EM_LIMITTEXT)
    int32_t selectionStart = 0;      // edit fields: the selected text (EM_SETSEL)
    int32_t selectionEnd = 0;
    int32_t lower = 100, upper = 0;     // up-down range; Win32's default runs from 100 down to 0
    int32_t position = 0;               // up-down position
    HWND buddy = nullptr;               // up-down: the control before it (UDS_AUTOBUDDY)
    std::vector<SentMessage> messages;  // every message sent to the control

    bool AllTextSelected() const {
        return selectionStart == 0 && selectionEnd >= static_cast<int32_t>(text.size()) && !text.empty();
    }
};

// A dialog HostRunDialog created. It stays here after it closes, so that
// tests can read what it showed last.
struct DialogWindow {
    HWND window = nullptr;
    int32_t templateId = 0;
    HWND parent = nullptr;
    std::vector<HWND> controls;  // in template order
    int32_t focus = 0;           // id of the control with the keyboard focus; 0 none
    bool open = false;
};

// What a user saw of one control when a dialog opened.
struct ControlView {
    std::optional<std::string> text;
    std::optional<bool> checked;
    bool enabled = true;
    std::optional<int32_t> selection;
};

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
    bool leftOpen = false;                  // the driver left it open; closed as a user would
    std::map<int32_t, ControlView> opened;  // its controls once WM_INITDIALOG was handled
    std::vector<bool> refused;              // per action the driver tried: the user could not
    // Either.
    bool unscripted = false;  // the script did not foresee it
};

// The answer a user gives by closing a message box of this style: Cancel
// where there is one, else No, else the only (OK) button.
int ClosingAnswer(uint32_t style);
// The command a user's closing sends to one of the module's dialogs:
// Cancel (2) for the options dialog, No (7) for the confirmation.
int32_t ClosingCommand(int32_t templateId);

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

    // Dialogs by window, open or closed, and their controls by window.
    std::map<HWND, DialogWindow> dialogs;
    std::map<HWND, Control> controls;

    int prePlacements = 0;

    // Document: how the host answers a scan of its records.
    // Text blocks, by number, whose size query (HostLoadRecord with a null
    // buffer) answers 0 with *size untouched.
    std::set<int16_t> failTextBlockSize;
    // Sizes the size query reports for these text blocks instead of the
    // stored size; loading still copies min(*size, stored size) bytes.
    std::map<int16_t, int32_t> reportedTextBlockSize;
    // HostNextRecord reads key numbers as unsigned 16-bit, so 0x8000 and up
    // come after 32767.
    bool unsignedKeyNumbers = false;
    // Observed: the tag and key of every HostDeleteRecord, in call order,
    // whether a record was there or not.
    std::vector<std::pair<uint32_t, Key>> deletions;

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

    // Dialogs: templates the host cannot show. HostRunDialog answers 0 for
    // these ids at once, as when the host cannot make the dialog: no dialog
    // window, no WM_INITDIALOG, no driver, no UiEvent.
    std::set<int32_t> unshowableDialogs;
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

// Dialogs and their controls. FindControl answers null for a control the
// dialog does not have. SendToDialog delivers a message to an open dialog's
// procedure as the host's modal loop would and answers the procedure's
// result; SendCommand sends WM_COMMAND from a control with the notification
// code in the high word.
DialogWindow* FindDialog(HWND dialog);
Control* FindControl(HWND dialog, int32_t controlId);
int32_t SendToDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
int32_t SendCommand(HWND dialog, int32_t controlId, int32_t notification = 0);
// The controls of a dialog as a user sees them, by id.
std::map<int32_t, ControlView> ViewDialog(HWND dialog);

// What a user does in an open dialog, with the messages a user's mouse and
// keyboard would make the controls send. Each answers Performed, or why the
// user could not: the dialog is closed, the control is disabled, or the
// action does not fit the control (the text then says why).
enum class UserAction { Performed, DialogClosed, Disabled, Unfit };
struct UserOutcome {
    UserAction action = UserAction::Performed;
    std::string why;  // for Unfit
};
UserOutcome ClickControl(HWND dialog, int32_t controlId);
UserOutcome SelectItem(HWND dialog, int32_t controlId, int32_t index);
UserOutcome TypeText(HWND dialog, int32_t controlId, const std::string& text);
UserOutcome SpinUpDown(HWND dialog, int32_t controlId, bool up);

// How a measurement field shows EVPUs in a unit, and how its text reads:
// false when the text is not a number.
std::string MeasurementText(double evpus, int32_t unit);
bool ReadMeasurementText(const std::string& text, int32_t unit, double* evpus);

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

// The Win32 subset the module calls.
//
// On Windows this is the system's own <windows.h>. On the native build the
// same names and values are declared here and implemented by the simulated
// world that the tests link in.
#pragma once

#if defined(_WIN32)

#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#else

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK

typedef int BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef int16_t SHORT;
typedef char CHAR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* PVOID;
typedef LONG LSTATUS;
typedef DWORD REGSAM;

struct HWND__;
struct HINSTANCE__;
struct HKEY__;
struct HHOOK__;
struct HMENU__;
typedef HWND__* HWND;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef HKEY__* HKEY;
typedef HKEY* PHKEY;
typedef HHOOK__* HHOOK;
typedef HMENU__* HMENU;
typedef void* HANDLE;
typedef intptr_t(WINAPI* FARPROC)();

#define TRUE 1
#define FALSE 0

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

// Message boxes.
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_ICONERROR 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONINFORMATION 0x00000040L
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

// Keys.
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11

// Registry.
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u)))
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define REG_NONE 0
#define REG_SZ 1
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_MORE_DATA 234L

// Window messages the dialogs and the publisher see.
#define WM_NOTIFY 0x004E
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_MDICREATE 0x0220

#define LOWORD(l) (static_cast<WORD>(static_cast<uintptr_t>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<uintptr_t>(l) >> 16) & 0xffff))

// Dialog controls: list and combo boxes, edit fields and up-down controls.
#define WM_USER 0x0400
#define LB_ADDSTRING 0x0180
#define LB_SETCURSEL 0x0186
#define LB_GETCURSEL 0x0188
#define LBN_SELCHANGE 1
#define CB_ADDSTRING 0x0143
#define EM_SETSEL 0x00B1
#define EM_LIMITTEXT 0x00C5
#define UDM_SETRANGE (WM_USER + 101)
#define UDN_FIRST (0U - 721)
#define UDN_DELTAPOS (UDN_FIRST - 1)

#define MAKELONG(low, high)                                              \
    (static_cast<LONG>((static_cast<uint32_t>(static_cast<WORD>(low))) | \
                       (static_cast<uint32_t>(static_cast<WORD>(high)) << 16)))

typedef uintptr_t UINT_PTR;

// What a control sends its dialog with WM_NOTIFY.
struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};

// An up-down control's UDN_DELTAPOS: its position and the proposed change.
struct NMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
};

struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

// User interface.
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style);
SHORT WINAPI GetKeyState(int virtualKey);
HWND WINAPI GetActiveWindow();
HWND WINAPI GetDlgItem(HWND dialog, int controlId);
LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Formats into a buffer of at least 1025 bytes, as the system's wsprintfA.
int wsprintfA(LPSTR buffer, LPCSTR format, ...);

// Libraries.
HMODULE WINAPI LoadLibraryA(LPCSTR fileName);
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name);
BOOL WINAPI FreeLibrary(HMODULE module);

// Registry under HKEY_CURRENT_USER.
LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
LSTATUS WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                               REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result,
                               LPDWORD disposition);
LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                LPDWORD dataSize);
LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                              DWORD dataSize);
LSTATUS WINAPI RegCloseKey(HKEY key);

// ---------------------------------------------------------------- menu command publisher
// Window owners, message hooks, menus and named shared memory.

typedef size_t SIZE_T;

typedef LRESULT(CALLBACK* HOOKPROC)(int code, WPARAM wParam, LPARAM lParam);

// What a WH_CALLWNDPROC hook gets through lParam: the message about to be
// handled by the window.
struct CWPSTRUCT {
    LPARAM lParam;
    WPARAM wParam;
    UINT message;
    HWND hwnd;
};
typedef CWPSTRUCT* PCWPSTRUCT;
typedef CWPSTRUCT* LPCWPSTRUCT;

#define WH_CALLWNDPROC 4
#define HC_ACTION 0

#define MF_BYCOMMAND 0x00000000L
#define MF_BYPOSITION 0x00000400L

// The all-access right set as the Windows headers define it for Vista and
// later; the set of the older systems is 0x1F0FFF.
#define PROCESS_ALL_ACCESS 0x1FFFFF

#define PAGE_READONLY 0x02
#define PAGE_READWRITE 0x04
#define SEC_COMMIT 0x8000000
#define FILE_MAP_WRITE 0x0002
#define FILE_MAP_READ 0x0004
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))

#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_ALREADY_EXISTS 183L

// Threads and processes.
DWORD WINAPI GetWindowThreadProcessId(HWND window, LPDWORD processId);
HANDLE WINAPI OpenProcess(DWORD access, BOOL inheritHandle, DWORD processId);
BOOL WINAPI CloseHandle(HANDLE object);

// Message hooks.
HHOOK WINAPI SetWindowsHookExA(int hookType, HOOKPROC procedure, HINSTANCE module, DWORD threadId);
LRESULT WINAPI CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
BOOL WINAPI UnhookWindowsHookEx(HHOOK hook);

// Menus.
HMENU WINAPI GetMenu(HWND window);
HMENU WINAPI GetSubMenu(HMENU menu, int position);
int WINAPI GetMenuItemCount(HMENU menu);
int WINAPI GetMenuStringA(HMENU menu, UINT item, LPSTR text, int maxCount, UINT flags);
UINT WINAPI GetMenuItemID(HMENU menu, int position);

// Named shared memory.
HANDLE WINAPI CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protect,
                                 DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCSTR name);
LPVOID WINAPI MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes);
BOOL WINAPI UnmapViewOfFile(LPCVOID base);

#endif

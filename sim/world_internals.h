// What the simulation keeps apart from the World that tests see: handle
// tables and the small helpers every service shares (counting, logging,
// contract checks, 16-bit answers). Only sim/ includes this.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/sim.h"

namespace sim::detail {

// State that is not part of World but is cleared with it by Reset().
struct Internals {
    std::map<HWND, std::string> windowNames;
    // Open registry handles: the lower-cased key path and the access asked.
    struct KeyHandle {
        std::string path;
        REGSAM access = 0;
    };
    std::map<HKEY, KeyHandle> keyHandles;
    // The procedure of each open dialog, for messages sent to it.
    std::map<HWND, HostDialogProc> dialogProcs;
    // ------------------------------------------------ threads, hooks, menus, shared memory
    // Menus by handle: each item's text, identifier and submenu.
    struct MenuEntry {
        std::optional<std::string> text;
        uint32_t id = 0;
        HMENU submenu = nullptr;
    };
    std::map<HMENU, std::vector<MenuEntry>> menus;
    // The hook procedures running, innermost last: the chain each was called
    // from (newest hook first) and the place of the running one in it.
    struct HookFrame {
        std::vector<HHOOK> chain;
        size_t index = 0;
    };
    std::vector<HookFrame> hookFrames;
    // Named blocks of shared memory by creation number. A block ends when no
    // handle, no view and no other process holds it any more. Its bytes are
    // allocated once, at its exact size, and its views point into them.
    struct SharedBlock {
        std::string name;  // empty: unnamed
        DWORD protection = 0;
        std::vector<uint8_t> bytes;
        int handles = 0;        // the module's open handles
        int views = 0;          // the module's mapped views
        int heldElsewhere = 0;  // other processes' handles
    };
    std::map<int, SharedBlock> blocks;
    int nextBlock = 1;
    std::multimap<const void*, int> views;  // base address -> block
    // The module's kernel handles: an open process or a block.
    struct KernelObject {
        enum Kind { Process, Mapping } kind = Process;
        DWORD processId = 0;
        int block = 0;
    };
    std::map<HANDLE, KernelObject> kernelHandles;
};

Internals& I();
void ResetInternals();

// Fresh handles, never handed out twice in one process, so a handle kept
// from an earlier world is unknown in the next one.
HWND NewWindowHandle();
HKEY NewKeyHandle();

// Fresh kernel handles (processes, blocks), never null nor
// INVALID_HANDLE_VALUE and never handed out twice in one process.
HANDLE NewKernelHandle();

// Passes a message sent to a window through the WH_CALLWNDPROC hooks of the
// window's thread, as Windows does before the window handles it.
void RunCallWndProcHooks(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The module closing its handle on a block.
void CloseBlockHandle(int block);

// printf-style formatting into a string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Counting and the ordered log of host services and helper entries.
void LogHost(const char* service, const std::string& arguments);
void LogHelper(const char* entry, const std::string& arguments);
void CountWin32(const char* function);
void Breach(const std::string& what);

// A breach unless the version argument is HostInterfaceVersion.
void CheckVersion(const char* service, int32_t version);

// A 16-bit answer as the host or the helper gives it: the value in the low
// 16 bits and, with World::junkHighBits, 0x5A5A above them.
int32_t Answer16(int32_t value);

// The low 16 bits of a 32-bit argument slot, read as a signed number, as
// the callee of a 16-bit argument reads it.
int16_t Arg16(int32_t slot);

// Lower-cased copy (ASCII), for case-insensitive names.
std::string Lower(const std::string& text);

// Text blocks are keyed by number alone: their sub is 0 in the store and is
// neither read from nor written back to a caller's key.
constexpr uint32_t kTextBlockTag = 0x7478626Cu;
Key StoredKey(uint32_t tag, Key key);

}  // namespace sim::detail

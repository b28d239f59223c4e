// Window-message hooks: a WH_CALLWNDPROC chain per thread, newest hook
// first, that sees each message sent to a window of the thread before the
// window does. Each hook passes the call on with CallNextHookEx.
#include <algorithm>
#include <cstring>

#include "sim/world_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

constexpr uintptr_t kFirstHookHandle = 0x0C000000u;
constexpr uintptr_t kHandleStep = 4;
constexpr DWORD kErrorInvalidFilterProc = 1427;
constexpr WPARAM kSentByCurrentThread = 1;

uintptr_t nextHookHandle = kFirstHookHandle;

HHOOK NewHookHandle() {
    HHOOK handle = reinterpret_cast<HHOOK>(nextHookHandle);
    nextHookHandle += kHandleStep;
    return handle;
}

const HookModel* FindHook(HHOOK handle) {
    for (const HookModel& hook : W().hooks) {
        if (hook.handle == handle) return &hook;
    }
    return nullptr;
}

bool KnownThread(DWORD thread) { return W().threadProcesses.count(thread) != 0; }

// Calls the first hook from the place given on that is still installed (a
// hook may remove itself or another while the chain runs); 0 past the end.
LRESULT CallFrom(size_t frame, size_t place, int code, WPARAM wParam, LPARAM lParam) {
    for (size_t i = place; i < I().hookFrames[frame].chain.size(); ++i) {
        const HookModel* hook = FindHook(I().hookFrames[frame].chain[i]);
        if (hook == nullptr) continue;
        I().hookFrames[frame].index = i;
        HOOKPROC procedure = hook->procedure;
        return procedure(code, wParam, lParam);
    }
    return 0;
}

}  // namespace

namespace sim {

LRESULT CallHooks(DWORD thread, int code, WPARAM wParam, LPARAM lParam) {
    Internals::HookFrame frame;
    for (auto hook = W().hooks.rbegin(); hook != W().hooks.rend(); ++hook) {
        if (hook->thread == thread && hook->type == WH_CALLWNDPROC) frame.chain.push_back(hook->handle);
    }
    if (frame.chain.empty()) return 0;
    I().hookFrames.push_back(frame);
    const LRESULT result = CallFrom(I().hookFrames.size() - 1, 0, code, wParam, lParam);
    I().hookFrames.pop_back();
    return result;
}

namespace detail {

void RunCallWndProcHooks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto owner = W().windowThreads.find(window);
    if (owner == W().windowThreads.end()) return;
    CWPSTRUCT call{lParam, wParam, message, window};
    const CWPSTRUCT sent = call;
    CallHooks(owner->second, HC_ACTION, kSentByCurrentThread, reinterpret_cast<LPARAM>(&call));
    if (std::memcmp(&call, &sent, sizeof call) != 0) {
        Breach(Format("a WH_CALLWNDPROC hook changed the message 0x%04x it was shown", message));
    }
}

}  // namespace detail

}  // namespace sim

HHOOK WINAPI SetWindowsHookExA(int hookType, HOOKPROC procedure, HINSTANCE module, DWORD threadId) {
    CountWin32("SetWindowsHookExA");
    if (hookType != WH_CALLWNDPROC) {
        Breach(Format("SetWindowsHookExA: hook type %d; the host's messages are seen with WH_CALLWNDPROC (4)",
                      hookType));
        W().lastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    if (procedure == nullptr) {
        Breach("SetWindowsHookExA: no hook procedure");
        W().lastError = kErrorInvalidFilterProc;
        return nullptr;
    }
    if (threadId == 0) {
        Breach("SetWindowsHookExA: thread id 0 hooks every thread of the desktop, not the host's");
        W().lastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    if (!KnownThread(threadId)) {
        Breach(Format("SetWindowsHookExA: no thread %u", static_cast<unsigned>(threadId)));
        W().lastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    if (module != nullptr && module != ModuleInstance()) {
        Breach("SetWindowsHookExA: the module handle is not the module's instance");
    }
    if (W().refuseHook) {
        W().lastError = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    HookModel hook;
    hook.handle = NewHookHandle();
    hook.type = hookType;
    hook.procedure = procedure;
    hook.module = module;
    hook.thread = threadId;
    W().hooks.push_back(hook);
    W().lastError = ERROR_SUCCESS;
    return hook.handle;
}

LRESULT WINAPI CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    CountWin32("CallNextHookEx");
    if (I().hookFrames.empty()) {
        Breach("CallNextHookEx outside a hook procedure");
        return 0;
    }
    const size_t frame = I().hookFrames.size() - 1;
    const size_t running = I().hookFrames[frame].index;
    if (hook != I().hookFrames[frame].chain[running]) {
        Breach("CallNextHookEx: the handle is not that of the hook whose procedure is running");
    }
    const LRESULT result = CallFrom(frame, running + 1, code, wParam, lParam);
    I().hookFrames[frame].index = running;
    return result;
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hook) {
    CountWin32("UnhookWindowsHookEx");
    auto& hooks = W().hooks;
    auto found =
        std::find_if(hooks.begin(), hooks.end(), [&](const HookModel& h) { return h.handle == hook; });
    if (found == hooks.end()) {
        Breach("UnhookWindowsHookEx: not an installed hook (removed twice?)");
        W().lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    hooks.erase(found);
    W().lastError = ERROR_SUCCESS;
    return TRUE;
}

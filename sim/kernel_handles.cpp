// Processes and the kernel handles the module holds: OpenProcess gives a
// handle that must be closed; CloseHandle closes process and block handles
// alike, and a handle the module does not hold is a breach.
#include "sim/world_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

constexpr uintptr_t kFirstKernelHandle = 0x0D000000u;
constexpr uintptr_t kHandleStep = 4;
// All access rights to a process, as the host's systems know them.
constexpr DWORD kProcessAllAccess = 0x1F0FFF;

uintptr_t nextKernelHandle = kFirstKernelHandle;

bool KnownProcess(DWORD processId) {
    for (const auto& [thread, process] : W().threadProcesses) {
        if (process == processId) return true;
    }
    return false;
}

}  // namespace

namespace sim {

namespace detail {

HANDLE NewKernelHandle() {
    HANDLE handle = reinterpret_cast<HANDLE>(nextKernelHandle);
    nextKernelHandle += kHandleStep;
    return handle;
}

}  // namespace detail

std::vector<std::string> OpenKernelHandles() {
    std::vector<std::string> open;
    for (const auto& [handle, object] : I().kernelHandles) {
        if (object.kind == Internals::KernelObject::Process) {
            open.push_back(Format("process %u", static_cast<unsigned>(object.processId)));
        } else {
            auto block = I().blocks.find(object.block);
            open.push_back("mapping " + (block == I().blocks.end() ? std::string("?") : block->second.name));
        }
    }
    return open;
}

}  // namespace sim

HANDLE WINAPI OpenProcess(DWORD access, BOOL inheritHandle, DWORD processId) {
    CountWin32("OpenProcess");
    if (access != kProcessAllAccess) {
        Breach(Format("OpenProcess: access 0x%08x, not all access 0x%08x", static_cast<unsigned>(access),
                      static_cast<unsigned>(kProcessAllAccess)));
    }
    if (inheritHandle != FALSE) Breach("OpenProcess: an inheritable handle");
    if (!KnownProcess(processId)) {
        Breach(Format("OpenProcess: no process %u", static_cast<unsigned>(processId)));
        W().lastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    if (W().refuseOpenProcess) {
        W().lastError = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    HANDLE handle = NewKernelHandle();
    Internals::KernelObject object;
    object.kind = Internals::KernelObject::Process;
    object.processId = processId;
    I().kernelHandles[handle] = object;
    W().lastError = ERROR_SUCCESS;
    return handle;
}

BOOL WINAPI CloseHandle(HANDLE object) {
    CountWin32("CloseHandle");
    auto found = I().kernelHandles.find(object);
    if (found == I().kernelHandles.end()) {
        Breach("CloseHandle: not a handle the module holds (closed twice?)");
        W().lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    const Internals::KernelObject closed = found->second;
    I().kernelHandles.erase(found);
    if (closed.kind == Internals::KernelObject::Mapping) CloseBlockHandle(closed.block);
    W().lastError = ERROR_SUCCESS;
    return TRUE;
}

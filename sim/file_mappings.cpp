// Named shared memory backed by the paging file: blocks that one name
// reaches from any process of the simulated system, counted by the handles
// and views that hold them, and read by "another process" through the
// sim:: functions.
#include <algorithm>
#include <cstring>

#include "sim/world_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

// What the module's block must be: read/write, committed at creation, 4 bytes.
constexpr DWORD kBlockProtection = 0x08000004;
constexpr DWORD kBlockSize = 4;
constexpr DWORD kProtectionMask = 0xFF;
// The largest block the simulation makes.
constexpr uint64_t kLargestBlock = 1u << 20;

int FindBlock(const std::string& name) {
    if (name.empty()) return 0;
    for (const auto& [number, block] : I().blocks) {
        if (block.name == name) return number;
    }
    return 0;
}

void EndIfUnused(int number) {
    auto found = I().blocks.find(number);
    if (found == I().blocks.end()) return;
    const Internals::SharedBlock& block = found->second;
    if (block.handles + block.views + block.heldElsewhere == 0) I().blocks.erase(found);
}

int NewBlock(const std::string& name, DWORD protection, size_t size) {
    const int number = I().nextBlock++;
    Internals::SharedBlock& block = I().blocks[number];
    block.name = name;
    block.protection = protection;
    block.bytes.assign(size, 0);
    return number;
}

HANDLE NewBlockHandle(int number) {
    ++I().blocks[number].handles;
    HANDLE handle = NewKernelHandle();
    Internals::KernelObject object;
    object.kind = Internals::KernelObject::Mapping;
    object.block = number;
    I().kernelHandles[handle] = object;
    return handle;
}

void CheckBlockRequest(LPSECURITY_ATTRIBUTES security, DWORD protect, DWORD sizeHigh, DWORD sizeLow,
                       LPCSTR name) {
    if (security != nullptr)
        Breach("CreateFileMappingA: security attributes given, not the default security");
    if (protect != kBlockProtection) {
        Breach(Format("CreateFileMappingA: protection 0x%08x, not PAGE_READWRITE | SEC_COMMIT (0x%08x)",
                      static_cast<unsigned>(protect), static_cast<unsigned>(kBlockProtection)));
    }
    if (sizeHigh != 0 || sizeLow != kBlockSize) {
        Breach(Format("CreateFileMappingA: size %u:%u, not 4 bytes", static_cast<unsigned>(sizeHigh),
                      static_cast<unsigned>(sizeLow)));
    }
    if (name == nullptr) {
        Breach("CreateFileMappingA: no name");
    } else if (std::strchr(name, '\\') != nullptr) {
        Breach(Format("CreateFileMappingA: the name \"%s\" has a namespace prefix or a backslash", name));
    }
}

}  // namespace

namespace sim {

namespace detail {

void CloseBlockHandle(int number) {
    auto found = I().blocks.find(number);
    if (found == I().blocks.end()) return;
    Internals::SharedBlock& block = found->second;
    --block.handles;
    if (block.views > 0) {
        Breach(
            Format("CloseHandle: the block \"%s\" is closed with a view still mapped", block.name.c_str()));
    }
    EndIfUnused(number);
}

}  // namespace detail

void HoldSharedBlock(const std::string& name, const Bytes& bytes) {
    int number = FindBlock(name);
    if (number == 0) {
        number = NewBlock(name, PAGE_READWRITE, bytes.size());
        I().blocks[number].bytes = bytes;
    }
    ++I().blocks[number].heldElsewhere;
}

void ReleaseSharedBlock(const std::string& name) {
    const int number = FindBlock(name);
    if (number == 0 || I().blocks[number].heldElsewhere == 0) return;
    --I().blocks[number].heldElsewhere;
    EndIfUnused(number);
}

std::optional<Bytes> ReadSharedBlock(const std::string& name) {
    const int number = FindBlock(name);
    if (number == 0) return std::nullopt;
    return I().blocks[number].bytes;
}

std::vector<std::string> SharedBlockNames() {
    std::vector<std::string> names;
    for (const auto& [number, block] : I().blocks) {
        if (!block.name.empty()) names.push_back(block.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

size_t MappedViews() { return I().views.size(); }

}  // namespace sim

HANDLE WINAPI CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protect,
                                 DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCSTR name) {
    CountWin32("CreateFileMappingA");
    if (file != INVALID_HANDLE_VALUE) {
        Breach("CreateFileMappingA: backed by a file handle, not by the paging file (INVALID_HANDLE_VALUE)");
        W().lastError = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    CheckBlockRequest(security, protect, maximumSizeHigh, maximumSizeLow, name);
    if (W().refuseMapping) {
        W().lastError = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    const std::string blockName = name == nullptr ? std::string() : std::string(name);
    // A block of that name is opened as it is, whatever size is asked.
    if (const int existing = FindBlock(blockName); existing != 0) {
        HANDLE handle = NewBlockHandle(existing);
        W().lastError = ERROR_ALREADY_EXISTS;
        return handle;
    }
    const DWORD base = protect & kProtectionMask;
    const uint64_t size = (static_cast<uint64_t>(maximumSizeHigh) << 32) | maximumSizeLow;
    if ((base != PAGE_READONLY && base != PAGE_READWRITE) || size == 0) {
        W().lastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    if (size > kLargestBlock) {
        W().lastError = ERROR_NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    HANDLE handle = NewBlockHandle(NewBlock(blockName, base, static_cast<size_t>(size)));
    W().lastError = ERROR_SUCCESS;
    return handle;
}

LPVOID WINAPI MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes) {
    CountWin32("MapViewOfFile");
    auto found = I().kernelHandles.find(mapping);
    if (found == I().kernelHandles.end() || found->second.kind != Internals::KernelObject::Mapping) {
        Breach("MapViewOfFile: not a handle of a block");
        W().lastError = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    if ((access & FILE_MAP_WRITE) == 0) {
        Breach(
            Format("MapViewOfFile: access 0x%04x without FILE_MAP_WRITE gives a view that cannot be written",
                   static_cast<unsigned>(access)));
    }
    if (offsetHigh != 0 || offsetLow != 0)
        Breach("MapViewOfFile: the view does not start at the block's start");
    const int number = found->second.block;
    Internals::SharedBlock& block = I().blocks[number];
    if ((access & FILE_MAP_WRITE) != 0 && block.protection == PAGE_READONLY) {
        W().lastError = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    if (bytes > block.bytes.size()) {
        Breach(Format("MapViewOfFile: %zu bytes asked of a block of %zu", bytes, block.bytes.size()));
        W().lastError = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    if (W().refuseView) {
        W().lastError = ERROR_NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    ++block.views;
    I().views.emplace(block.bytes.data(), number);
    W().lastError = ERROR_SUCCESS;
    return block.bytes.data();
}

BOOL WINAPI UnmapViewOfFile(LPCVOID base) {
    CountWin32("UnmapViewOfFile");
    auto found = I().views.find(base);
    if (found == I().views.end()) {
        Breach("UnmapViewOfFile: not the start of a mapped view (unmapped twice?)");
        W().lastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    const int number = found->second;
    I().views.erase(found);
    --I().blocks[number].views;
    EndIfUnused(number);
    W().lastError = ERROR_SUCCESS;
    return TRUE;
}

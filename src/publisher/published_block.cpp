// Writing the menu identifier into the named block, backed by the paging
// file, that other processes open by its name.
#include "publisher/published_block.h"

#include <cstdio>
#include <cstring>

#include "publisher/publisher_state.h"

namespace {

constexpr DWORD kBlockSize = 4;
// Read/write, the whole block committed at creation.
constexpr DWORD kBlockProtection = PAGE_READWRITE | SEC_COMMIT;
static_assert(kBlockProtection == 0x08000004);

}  // namespace

void FormatBlockName(char (&name)[kBlockNameSize], const char* programName, int32_t versionValue) {
    // snprintf cuts a name too long for the buffer and always ends it.
    const int written = std::snprintf(name, sizeof name, "%s%d", programName, static_cast<int>(versionValue));
    if (written < 0) name[0] = '\0';
}

HANDLE PublishMenuCommand(const char* programName) {
    char name[kBlockNameSize];
    FormatBlockName(name, programName, publisherVersionValue);
    // A block of that name that exists already is opened instead.
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, kBlockProtection, 0, kBlockSize, name);
    if (mapping == nullptr) return nullptr;
    void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0);
    if (view == nullptr) {
        CloseHandle(mapping);
        return nullptr;
    }
    // A 32-bit little-endian integer at offset 0.
    const UINT menuId = publishedMenuId;
    std::memcpy(view, &menuId, sizeof menuId);
    UnmapViewOfFile(view);
    return mapping;
}

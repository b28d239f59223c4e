// The current user's registry: keys by path and values by name, both
// case-insensitive, reached through open handles as Windows hands them out.
#include <algorithm>
#include <cstring>

#include "sim/world_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

constexpr LSTATUS kErrorInvalidParameter = 87;
constexpr REGSAM kQueryValue = 0x0001;  // KEY_QUERY_VALUE, part of KEY_READ
constexpr REGSAM kSetValue = 0x0002;    // KEY_SET_VALUE, part of KEY_WRITE
constexpr REGSAM kAllAccess = 0xF003F;  // KEY_ALL_ACCESS
constexpr uint8_t kUndefinedByte = 0xCD;

std::string PathOf(LPCSTR subKey) { return subKey == nullptr ? std::string() : std::string(subKey); }

// A key exists when it was created or lies on the path of one that was, as
// Windows creates every key on the way.
bool KeyExists(const std::string& lowerPath) {
    if (lowerPath.empty()) return true;
    for (const auto& [path, key] : W().registry) {
        if (path == lowerPath) return true;
        if (path.size() > lowerPath.size() && path.compare(0, lowerPath.size(), lowerPath) == 0 &&
            path[lowerPath.size()] == '\\')
            return true;
    }
    return false;
}

HKEY OpenHandle(const std::string& lowerPath, REGSAM access) {
    HKEY handle = NewKeyHandle();
    I().keyHandles[handle] = Internals::KeyHandle{lowerPath, access};
    ++W().openKeys;
    return handle;
}

// The key a handle stands for, or null for an unknown handle. The user's
// root key is a handle of its own with every access.
const Internals::KeyHandle* FindHandle(HKEY key) {
    static const Internals::KeyHandle root{std::string(), kAllAccess};
    if (key == HKEY_CURRENT_USER) return &root;
    auto found = I().keyHandles.find(key);
    return found == I().keyHandles.end() ? nullptr : &found->second;
}

RegistryKey& KeyAt(const std::string& path) {
    RegistryKey& key = W().registry[Lower(path)];
    if (key.path.empty()) key.path = path;
    return key;
}

void SetValue(RegistryKey& key, const std::string& name, uint32_t type, Bytes data) {
    RegValue& value = key.values[Lower(name)];
    if (value.name.empty()) value.name = name;  // the first spelling stays
    value.type = type;
    value.data = std::move(data);
}

}  // namespace

namespace sim {

void PutRegistryValue(const std::string& keyPath, const std::string& name, uint32_t type, const Bytes& data) {
    SetValue(KeyAt(keyPath), name, type, data);
}

const RegistryKey* FindRegistryKey(const std::string& keyPath) {
    auto found = W().registry.find(Lower(keyPath));
    return found == W().registry.end() ? nullptr : &found->second;
}

}  // namespace sim

LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM access, PHKEY result) {
    CountWin32("RegOpenKeyExA");
    if (result == nullptr) return kErrorInvalidParameter;
    *result = nullptr;
    if (key != HKEY_CURRENT_USER) return ERROR_FILE_NOT_FOUND;
    if (W().openKeyError != 0) return W().openKeyError;
    std::string lowerPath = Lower(PathOf(subKey));
    if (!KeyExists(lowerPath)) return ERROR_FILE_NOT_FOUND;
    *result = OpenHandle(lowerPath, access);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM access,
                               LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
    CountWin32("RegCreateKeyExA");
    if (result == nullptr) return kErrorInvalidParameter;
    *result = nullptr;
    if (key != HKEY_CURRENT_USER) return ERROR_FILE_NOT_FOUND;
    if (W().createKeyError != 0) return W().createKeyError;
    std::string path = PathOf(subKey);
    std::string lowerPath = Lower(path);
    bool existed = KeyExists(lowerPath);
    if (!lowerPath.empty()) KeyAt(path);
    if (disposition != nullptr) *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = OpenHandle(lowerPath, access);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data,
                                LPDWORD dataSize) {
    CountWin32("RegQueryValueExA");
    const Internals::KeyHandle* handle = FindHandle(key);
    if (handle == nullptr) return ERROR_INVALID_HANDLE;
    if ((handle->access & kQueryValue) == 0) return ERROR_ACCESS_DENIED;
    if (data != nullptr && dataSize == nullptr) return kErrorInvalidParameter;

    auto stored = W().registry.find(handle->path);
    if (stored == W().registry.end()) return ERROR_FILE_NOT_FOUND;
    auto found = stored->second.values.find(Lower(PathOf(valueName)));
    if (found == stored->second.values.end()) return ERROR_FILE_NOT_FOUND;
    const RegValue& value = found->second;

    if (type != nullptr) *type = value.type;
    DWORD needed = static_cast<DWORD>(value.data.size());
    if (data == nullptr) {
        if (dataSize != nullptr) *dataSize = needed;
        return ERROR_SUCCESS;
    }
    if (*dataSize < needed) {
        // Windows leaves the buffer's content undefined.
        std::memset(data, kUndefinedByte, *dataSize);
        *dataSize = needed;
        return ERROR_MORE_DATA;
    }
    if (needed > 0) std::memcpy(data, value.data.data(), needed);
    *dataSize = needed;
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data,
                              DWORD dataSize) {
    CountWin32("RegSetValueExA");
    const Internals::KeyHandle* handle = FindHandle(key);
    if (handle == nullptr) return ERROR_INVALID_HANDLE;
    if ((handle->access & kSetValue) == 0) return ERROR_ACCESS_DENIED;
    if (data == nullptr && dataSize != 0) return kErrorInvalidParameter;
    Bytes bytes = dataSize == 0 ? Bytes() : Bytes(data, data + dataSize);
    // The key may be one that lies only on the path of another.
    RegistryKey& stored = W().registry[handle->path];
    if (stored.path.empty()) stored.path = handle->path;
    SetValue(stored, PathOf(valueName), type, std::move(bytes));
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY key) {
    CountWin32("RegCloseKey");
    if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
    if (I().keyHandles.erase(key) == 0) {
        auto value = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(key));
        Breach(Format("RegCloseKey: unknown handle 0x%lx", value));
        return ERROR_INVALID_HANDLE;
    }
    --W().openKeys;
    return ERROR_SUCCESS;
}

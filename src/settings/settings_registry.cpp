// Keeps the settings record and the confirmation flag in the current user's
// registry. The key is opened and closed around each single read or write;
// the type of a stored value is never examined.
#include <cstring>

#include "platform/win32.h"
#include "settings/divider_settings.h"

const char kSettingsKey[] = "Software\\KelmoorPlugins\\Stavenor";

namespace {

const char kShowWarningValue[] = "ShowWarning";
const char kUserDialogValue[] = "UserDialog";

LSTATUS OpenForReading(HKEY* key) { return RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key); }

int32_t WriteValue(const char* name, const void* data, DWORD size) {
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return status;
    RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
    return RegCloseKey(key);
}

}  // namespace

int32_t LoadShowWarning(int16_t* flag) {
    HKEY key = nullptr;
    LSTATUS status = OpenForReading(&key);
    if (status != ERROR_SUCCESS) return status;
    // Straight into the flag: a value shorter than two bytes replaces only
    // the low-order bytes it holds. A missing or longer value shows the
    // confirmation.
    DWORD size = sizeof *flag;
    if (RegQueryValueExA(key, kShowWarningValue, nullptr, nullptr, reinterpret_cast<LPBYTE>(flag), &size) !=
        ERROR_SUCCESS) {
        *flag = 1;
    }
    return RegCloseKey(key);
}

int32_t LoadDividerSettings(DividerSettings* record) {
    SetDefaultSettings(record);
    HKEY key = nullptr;
    LSTATUS status = OpenForReading(&key);
    if (status != ERROR_SUCCESS) return status;
    // Only a whole record replaces the defaults: a shorter value is not a
    // record this module wrote, and a longer one does not fit.
    BYTE stored[sizeof(DividerSettings)] = {};
    DWORD size = sizeof stored;
    if (RegQueryValueExA(key, kUserDialogValue, nullptr, nullptr, stored, &size) == ERROR_SUCCESS &&
        size == sizeof stored) {
        std::memcpy(record, stored, sizeof stored);
    }
    return RegCloseKey(key);
}

int32_t SaveDividerSettings(const DividerSettings* record) {
    return WriteValue(kUserDialogValue, record, sizeof *record);
}

int32_t SaveShowWarning(int16_t flag) { return WriteValue(kShowWarningValue, &flag, sizeof flag); }

// The one World, its reset, the named windows, the shared helpers of every
// service, and the set-up helpers for the document.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "sim/world_internals.h"

namespace sim {

namespace detail {

namespace {

// Handle ranges apart from each other, from null and from the predefined
// registry keys (0x80000000 and up).
constexpr uintptr_t kFirstWindowHandle = 0x00010000u;
constexpr uintptr_t kFirstKeyHandle = 0x0A000000u;
constexpr uintptr_t kHandleStep = 4;
constexpr uintptr_t kModuleInstance = 0x10000000u;

uintptr_t nextWindowHandle = kFirstWindowHandle;
uintptr_t nextKeyHandle = kFirstKeyHandle;

}  // namespace

Internals& I() {
    static Internals internals;
    return internals;
}

void ResetInternals() { I() = Internals{}; }

HWND NewWindowHandle() {
    HWND handle = reinterpret_cast<HWND>(nextWindowHandle);
    nextWindowHandle += kHandleStep;
    return handle;
}

HKEY NewKeyHandle() {
    HKEY handle = reinterpret_cast<HKEY>(nextKeyHandle);
    nextKeyHandle += kHandleStep;
    return handle;
}

std::string Format(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

void LogHost(const char* service, const std::string& arguments) {
    ++W().hostCalls[service];
    W().callLog.push_back(std::string(service) + "(" + arguments + ")");
}

void LogHelper(const char* entry, const std::string& arguments) {
    ++W().helperCalls[entry];
    W().callLog.push_back(std::string(entry) + "(" + arguments + ")");
}

void CountWin32(const char* function) { ++W().win32Calls[function]; }

void Breach(const std::string& what) { W().violations.push_back(what); }

void CheckVersion(const char* service, int32_t version) {
    if (version == HostInterfaceVersion) return;
    Breach(Format("%s: version argument 0x%08x is not HostInterfaceVersion 0x%08x", service,
                  static_cast<uint32_t>(version), static_cast<uint32_t>(HostInterfaceVersion)));
}

int32_t Answer16(int32_t value) {
    uint16_t low = static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu);
    if (W().junkHighBits) return static_cast<int32_t>(0x5A5A0000u | low);
    return static_cast<int16_t>(low);
}

int16_t Arg16(int32_t slot) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(slot) & 0xFFFFu));
}

Key StoredKey(uint32_t tag, Key key) {
    if (tag == kTextBlockTag) key.sub = 0;
    return key;
}

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

}  // namespace detail

using namespace detail;

World& W() {
    static World world;
    return world;
}

void Reset() {
    W() = World{};
    ResetInternals();
    W().hostWindow = MakeWindow("host");
    W().ownerWindow = MakeWindow("owner");
    W().activeWindow = MakeWindow("active");
    W().mdiClient = MakeWindow("mdiclient");
}

HWND MakeWindow(const std::string& name) {
    HWND window = NewWindowHandle();
    I().windowNames[window] = name;
    W().windowThreads[window] = kHostThreadId;
    return window;
}

std::string WindowName(HWND window) {
    auto found = I().windowNames.find(window);
    return found == I().windowNames.end() ? std::string() : found->second;
}

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(kModuleInstance); }

// ---------------------------------------------------------------- document set-up

namespace {

constexpr uint32_t kTextLayoutTag = 0x534F5458u;
constexpr uint32_t kPageTextTag = 0x4F027054u;
constexpr uint32_t kPageSpecTag = 0x534F5053u;
constexpr uint32_t kUnitPrefsTag = 0x70666770u;
constexpr uint32_t kPartModeTag = 0x6F743233u;

constexpr size_t kPageSpecSize = 22;
constexpr size_t kUnitPrefsSize = 61;
constexpr size_t kUnitCodeOffset = 30;
constexpr size_t kPartModeSize = 12;
constexpr size_t kPartModeOffset = 8;
constexpr int16_t kPartModeNumber = -2;
constexpr size_t kTextLayoutSize = 48;
constexpr size_t kPageTextSize = 24;

void Put16(Bytes& bytes, size_t offset, int16_t value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

}  // namespace

void PutRecord(uint32_t tag, Key key, const Bytes& bytes) { W().records[tag][StoredKey(tag, key)] = bytes; }

std::optional<Bytes> GetRecord(uint32_t tag, Key key) {
    auto byTag = W().records.find(tag);
    if (byTag == W().records.end()) return std::nullopt;
    auto found = byTag->second.find(StoredKey(tag, key));
    if (found == byTag->second.end()) return std::nullopt;
    return found->second;
}

void SetScore(const std::vector<PageModel>& pages) {
    W().records.erase(kPageSpecTag);
    for (size_t page = 1; page <= pages.size(); ++page) {
        PutRecord(kPageSpecTag, Key{static_cast<int16_t>(page), 0}, Bytes(kPageSpecSize, 0));
    }
    W().helper.pages = pages;
}

void SetUnit(int16_t code) {
    Bytes record(kUnitPrefsSize, 0);
    Put16(record, kUnitCodeOffset, code);
    PutRecord(kUnitPrefsTag, Key{0, 0}, record);
}

void SetPartMode(int16_t mode) {
    Bytes record(kPartModeSize, 0);
    Put16(record, kPartModeOffset, mode);
    PutRecord(kPartModeTag, Key{kPartModeNumber, 0}, record);
}

void PutTextBlock(int16_t number, const std::string& latin1Text) {
    Bytes record(latin1Text.begin(), latin1Text.end());
    record.push_back(0);
    PutRecord(kTextBlockTag, Key{number, 0}, record);
}

void PutTextLayout(Key key, int16_t textBlock) {
    // As the module writes its own: the text block, 100 at 8, 0x1A08 at 14.
    Bytes record(kTextLayoutSize, 0);
    Put16(record, 0, textBlock);
    Put16(record, 8, 100);
    Put16(record, 14, 0x1A08);
    PutRecord(kTextLayoutTag, key, record);
}

void PutPageText(Key key, int16_t textLayout) {
    // The layout, no offsets, and the key's page as start and end page.
    Bytes record(kPageTextSize, 0);
    Put16(record, 0, textLayout);
    Put16(record, 6, key.number);
    Put16(record, 8, key.number);
    PutRecord(kPageTextTag, key, record);
}

}  // namespace sim

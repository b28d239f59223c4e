// What every unit test shares: a fresh simulated world per test, the check
// that the module kept the host's and the helper's contracts, and small
// helpers to read records and logs back.
//
// The module's state is process-global and lives from load to unload, as in
// the host. CTest runs every test in a process of its own, so each test sees
// a freshly loaded module; running the whole binary at once lets the helper
// binding of one test carry over into the next (use --gtest_filter for one).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "sim/sim.h"

// Record tags as the host knows them, written out here so that a wrong tag in
// the module shows up as a missing record.
namespace tags {
constexpr uint32_t TextBlock = 0x7478626C;
constexpr uint32_t TextLayout = 0x534F5458;
constexpr uint32_t PageText = 0x4F027054;
constexpr uint32_t PageSpec = 0x534F5053;
constexpr uint32_t UnitPrefs = 0x70666770;
constexpr uint32_t PartMode = 0x6F743233;
}  // namespace tags

// The plug-in's registry key, written out as the user's registry holds it.
inline constexpr char kKey[] = "Software\\KelmoorPlugins\\Stavenor";

// A value under the plug-in's key by its name as written, or null.
inline const sim::RegValue* StoredValue(const char* name) {
    const sim::RegistryKey* key = sim::FindRegistryKey(kKey);
    if (key == nullptr) return nullptr;
    for (const auto& [lowerName, value] : key->values) {
        if (value.name == name) return &value;
    }
    return nullptr;
}

inline std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += "\n  " + line;
    return out;
}

inline void ExpectNoViolations() {
    EXPECT_TRUE(sim::W().violations.empty()) << "contract breaches:" << Joined(sim::W().violations);
}

// Lower-case hex of a byte image, two digits per byte, no separators.
inline std::string Hex(const void* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 0xF];
    }
    return out;
}
inline std::string Hex(const sim::Bytes& bytes) { return Hex(bytes.data(), bytes.size()); }

// An expected hex image written with spaces for readability.
inline std::string Squeezed(const std::string& hex) {
    std::string out;
    for (char c : hex) {
        if (c != ' ') out += c;
    }
    return out;
}

inline sim::Bytes FromHex(const std::string& spacedHex) {
    const std::string hex = Squeezed(spacedHex);
    sim::Bytes bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

template <typename Record>
sim::Bytes BytesOf(const Record& record) {
    sim::Bytes bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

inline sim::Bytes BytesOf(const std::string& text) { return sim::Bytes(text.begin(), text.end()); }

// A field of a packed record, by value: gtest's macros bind references, and a
// packed field may not sit at its type's alignment.
template <typename T>
T FieldValue(T field) {
    return field;
}

// A result the host reads as 16 bits.
inline int16_t Low16Bits(int32_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu));
}

// The little-endian int16 at an offset of a record image.
inline int16_t Int16At(const sim::Bytes& bytes, size_t offset) {
    if (offset + 2 > bytes.size()) {
        ADD_FAILURE() << "no int16 at offset " << offset << " of " << bytes.size() << " bytes";
        return 0;
    }
    return static_cast<int16_t>(static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8)));
}

inline int Count(const std::map<std::string, int>& counts, const std::string& name) {
    auto it = counts.find(name);
    return it == counts.end() ? 0 : it->second;
}

// The names counted at least once.
inline std::vector<std::string> NamesCalled(const std::map<std::string, int>& counts) {
    std::vector<std::string> names;
    for (const auto& [name, count] : counts) {
        if (count > 0) names.push_back(name);
    }
    return names;
}

inline std::vector<sim::UiEvent> MessageBoxes() {
    std::vector<sim::UiEvent> boxes;
    for (const sim::UiEvent& event : sim::W().ui) {
        if (event.kind == sim::UiEvent::MessageBox) boxes.push_back(event);
    }
    return boxes;
}

inline std::vector<int32_t> DialogsShown() {
    std::vector<int32_t> ids;
    for (const sim::UiEvent& event : sim::W().ui) {
        if (event.kind == sim::UiEvent::Dialog) ids.push_back(event.templateId);
    }
    return ids;
}

// Every test starts from a fresh world and ends with the contracts kept.
class SimTest : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
    void TearDown() override { ExpectNoViolations(); }
};

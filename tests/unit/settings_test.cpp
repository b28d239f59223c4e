// The settings record and the confirmation flag: their values at load, the
// defaults, and how they are read from and written to the current user's
// registry.
#include <cstring>
#include <optional>
#include <string>

#include "settings/divider_settings.h"
#include "sim_fixture.h"

namespace {

// The record as the module is loaded, and the defaults laid over a record
// whose bytes were all 0xEE: the transient fields from offset 20 keep theirs.
const char kRecordAtLoad[] = "0100 0100 0000 0000 0e00 0000 0000 01000000 0000 00000000 00000000 0100";
const char kDefaultsOverSentinel[] =
    "0100 0100 0000 0000 0e00 0000 0000 01000000 0000 eeeeeeee eeeeeeee eeee";

// A stored record unlike the defaults in every field: pages 3 to 7, H 30,
// V -10, size 12, boundaries, selected pages, no auto V, odd pages, and the
// transient fields 1, 1, 5.
const char kStoredRecord[] = "0300 0700 1e00 f6ff 0c00 0100 0100 00000000 0200 01000000 01000000 0500";

// What the registry holds before an operation.
struct RegistryBefore {
    bool key = false;                                // the plug-in's key exists
    std::optional<sim::Bytes> value = std::nullopt;  // the value the operation reads
    uint32_t type = REG_BINARY;
    int32_t openKeyError = 0;
};

void Arrange(const RegistryBefore& before, const char* valueName) {
    if (before.key) sim::PutRegistryValue(kKey, "Unrelated", REG_SZ, BytesOf(std::string("x", 2)));
    if (before.value) sim::PutRegistryValue(kKey, valueName, before.type, *before.value);
    sim::W().openKeyError = before.openKeyError;
}

sim::Bytes Filled(size_t size, uint8_t byte) { return sim::Bytes(size, byte); }

std::string RecordHex(const DividerSettings& record) { return Hex(&record, sizeof record); }

}  // namespace

class SettingsTest : public SimTest {};

TEST_F(SettingsTest, ValuesAtLoad) {
    EXPECT_EQ(RecordHex(dividerSettings), Squeezed(kRecordAtLoad));
    EXPECT_EQ(showWarning, 1);
}

TEST_F(SettingsTest, SetDefaultSettingsWritesTheFirstTwentyBytesOnly) {
    DividerSettings record;
    std::memset(&record, 0xEE, sizeof record);
    SetDefaultSettings(&record);
    EXPECT_EQ(RecordHex(record), Squeezed(kDefaultsOverSentinel));
}

TEST_F(SettingsTest, LoadShowWarning) {
    struct Case {
        const char* name;
        RegistryBefore before;
        int16_t flagBefore;
        int32_t status;
        int16_t flagAfter;
    };
    const Case cases[] = {
        {"no key: the flag keeps 1", {}, 1, ERROR_FILE_NOT_FOUND, 1},
        {"no key: the flag keeps any value", {}, 0x3456, ERROR_FILE_NOT_FOUND, 0x3456},
        {"key without the value", {.key = true}, 0, ERROR_SUCCESS, 1},
        {"stored 0", {.key = true, .value = sim::Bytes{0, 0}}, 1, ERROR_SUCCESS, 0},
        {"stored 1", {.key = true, .value = sim::Bytes{1, 0}}, 0, ERROR_SUCCESS, 1},
        {"stored 2", {.key = true, .value = sim::Bytes{2, 0}}, 1, ERROR_SUCCESS, 2},
        {"stored 0x0102, little-endian", {.key = true, .value = sim::Bytes{2, 1}}, 1, ERROR_SUCCESS, 0x0102},
        {"stored -1", {.key = true, .value = sim::Bytes{0xFF, 0xFF}}, 1, ERROR_SUCCESS, -1},
        {"empty value leaves 1", {.key = true, .value = sim::Bytes{}}, 1, ERROR_SUCCESS, 1},
        {"empty value leaves any value", {.key = true, .value = sim::Bytes{}}, 0x3456, ERROR_SUCCESS, 0x3456},
        {"one byte over 1", {.key = true, .value = sim::Bytes{7}}, 1, ERROR_SUCCESS, 7},
        {"one byte replaces the low byte only",
         {.key = true, .value = sim::Bytes{7}},
         0x3456,
         ERROR_SUCCESS,
         0x3407},
        {"three bytes count as missing", {.key = true, .value = sim::Bytes{0, 0, 0}}, 0, ERROR_SUCCESS, 1},
        {"four bytes count as missing",
         {.key = true, .value = sim::Bytes{0, 0, 0, 0}},
         0x3456,
         ERROR_SUCCESS,
         1},
        {"REG_DWORD of two bytes taken as they are",
         {.key = true, .value = sim::Bytes{5, 0}, .type = REG_DWORD},
         1,
         ERROR_SUCCESS,
         5},
        {"REG_SZ of two bytes taken as they are",
         {.key = true, .value = sim::Bytes{'A', 0}, .type = REG_SZ},
         1,
         ERROR_SUCCESS,
         0x41},
        {"key cannot be opened",
         {.key = true, .value = sim::Bytes{0, 0}, .openKeyError = ERROR_ACCESS_DENIED},
         0x3456,
         ERROR_ACCESS_DENIED,
         0x3456},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        Arrange(c.before, "ShowWarning");
        int16_t flag = c.flagBefore;
        EXPECT_EQ(LoadShowWarning(&flag), c.status);
        EXPECT_EQ(flag, c.flagAfter);
        EXPECT_EQ(sim::W().openKeys, 0);
        EXPECT_EQ(sim::FindRegistryKey(kKey) != nullptr, c.before.key) << "reading never creates the key";
        ExpectNoViolations();
    }
}

TEST_F(SettingsTest, LoadDividerSettings) {
    const sim::Bytes stored = FromHex(kStoredRecord);
    sim::Bytes longer = stored;
    longer.push_back(0);
    const sim::Bytes shorter(stored.begin(), stored.end() - 1);

    struct Case {
        const char* name;
        RegistryBefore before;
        int32_t status;
        std::string record;  // spaced hex
    };
    const Case cases[] = {
        {"no key", {}, ERROR_FILE_NOT_FOUND, kDefaultsOverSentinel},
        {"key without the value", {.key = true}, ERROR_SUCCESS, kDefaultsOverSentinel},
        {"30 bytes replace the whole record", {.key = true, .value = stored}, ERROR_SUCCESS, kStoredRecord},
        {"every field -1 taken as it is",
         {.key = true, .value = Filled(30, 0xFF)},
         ERROR_SUCCESS,
         std::string(60, 'f')},
        {"31 bytes count as missing", {.key = true, .value = longer}, ERROR_SUCCESS, kDefaultsOverSentinel},
        // A shorter value is not a record this module wrote.
        {"29 bytes are not a record", {.key = true, .value = shorter}, ERROR_SUCCESS, kDefaultsOverSentinel},
        {"empty value is not a record",
         {.key = true, .value = sim::Bytes{}},
         ERROR_SUCCESS,
         kDefaultsOverSentinel},
        {"REG_SZ of 30 bytes taken byte for byte",
         {.key = true, .value = stored, .type = REG_SZ},
         ERROR_SUCCESS,
         kStoredRecord},
        {"REG_DWORD of 30 bytes taken byte for byte",
         {.key = true, .value = stored, .type = REG_DWORD},
         ERROR_SUCCESS,
         kStoredRecord},
        {"key cannot be opened",
         {.key = true, .value = stored, .openKeyError = ERROR_ACCESS_DENIED},
         ERROR_ACCESS_DENIED,
         kDefaultsOverSentinel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        Arrange(c.before, "UserDialog");
        DividerSettings record;
        std::memset(&record, 0xEE, sizeof record);
        EXPECT_EQ(LoadDividerSettings(&record), c.status);
        EXPECT_EQ(RecordHex(record), Squeezed(c.record));
        EXPECT_EQ(sim::W().openKeys, 0);
        EXPECT_EQ(sim::FindRegistryKey(kKey) != nullptr, c.before.key) << "reading never creates the key";
        ExpectNoViolations();
    }
}

TEST_F(SettingsTest, SaveDividerSettingsCreatesTheKeyAndWritesThirtyBinaryBytes) {
    DividerSettings record;
    std::memcpy(&record, FromHex(kStoredRecord).data(), sizeof record);
    EXPECT_EQ(SaveDividerSettings(&record), ERROR_SUCCESS);
    EXPECT_EQ(sim::W().openKeys, 0);

    const sim::RegistryKey* key = sim::FindRegistryKey(kKey);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->path, kKey);
    EXPECT_EQ(key->values.size(), 1u);
    const sim::RegValue* value = StoredValue("UserDialog");
    ASSERT_NE(value, nullptr) << "value named \"UserDialog\" as written";
    EXPECT_EQ(value->type, static_cast<uint32_t>(REG_BINARY));
    EXPECT_EQ(Hex(value->data), Squeezed(kStoredRecord));
}

TEST_F(SettingsTest, SaveShowWarningWritesTwoBinaryBytes) {
    struct Case {
        int16_t flag;
        const char* bytes;
    };
    const Case cases[] = {{0, "0000"}, {1, "0100"}, {0x0102, "0201"}, {-2, "feff"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flag);
        sim::Reset();
        EXPECT_EQ(SaveShowWarning(c.flag), ERROR_SUCCESS);
        EXPECT_EQ(sim::W().openKeys, 0);
        const sim::RegValue* value = StoredValue("ShowWarning");
        ASSERT_NE(value, nullptr) << "value named \"ShowWarning\" as written";
        EXPECT_EQ(value->type, static_cast<uint32_t>(REG_BINARY));
        EXPECT_EQ(Hex(value->data), c.bytes);
        ExpectNoViolations();
    }
}

TEST_F(SettingsTest, SavingReplacesAValueOfAnotherTypeAndLeavesOthers) {
    sim::PutRegistryValue(kKey, "ShowWarning", REG_SZ, BytesOf(std::string("yes", 4)));
    sim::PutRegistryValue(kKey, "UserDialog", REG_DWORD, sim::Bytes{1, 2, 3, 4});
    sim::PutRegistryValue(kKey, "Unrelated", REG_SZ, BytesOf(std::string("keep", 5)));

    EXPECT_EQ(SaveShowWarning(0), ERROR_SUCCESS);
    EXPECT_EQ(SaveDividerSettings(&dividerSettings), ERROR_SUCCESS);

    const sim::RegValue* flag = StoredValue("ShowWarning");
    const sim::RegValue* record = StoredValue("UserDialog");
    const sim::RegValue* other = StoredValue("Unrelated");
    ASSERT_TRUE(flag && record && other);
    EXPECT_EQ(flag->type, static_cast<uint32_t>(REG_BINARY));
    EXPECT_EQ(Hex(flag->data), "0000");
    EXPECT_EQ(record->type, static_cast<uint32_t>(REG_BINARY));
    EXPECT_EQ(Hex(record->data), Squeezed(kRecordAtLoad));
    EXPECT_EQ(other->type, static_cast<uint32_t>(REG_SZ));
    EXPECT_EQ(Hex(other->data), Hex(BytesOf(std::string("keep", 5))));
    EXPECT_EQ(sim::W().openKeys, 0);
}

TEST_F(SettingsTest, KeyThatCannotBeCreatedWritesNothing) {
    struct Case {
        const char* name;
        bool keyExists;
    };
    const Case cases[] = {{"no key yet", false}, {"key with old values", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        if (c.keyExists) {
            sim::PutRegistryValue(kKey, "ShowWarning", REG_BINARY, sim::Bytes{9, 0});
            sim::PutRegistryValue(kKey, "UserDialog", REG_BINARY, FromHex(kStoredRecord));
        }
        sim::W().createKeyError = ERROR_ACCESS_DENIED;

        EXPECT_EQ(SaveShowWarning(0), ERROR_ACCESS_DENIED);
        EXPECT_EQ(SaveDividerSettings(&dividerSettings), ERROR_ACCESS_DENIED);
        EXPECT_EQ(sim::W().openKeys, 0);
        if (c.keyExists) {
            ASSERT_NE(StoredValue("ShowWarning"), nullptr);
            ASSERT_NE(StoredValue("UserDialog"), nullptr);
            EXPECT_EQ(Hex(StoredValue("ShowWarning")->data), "0900");
            EXPECT_EQ(Hex(StoredValue("UserDialog")->data), Squeezed(kStoredRecord));
        } else {
            EXPECT_EQ(sim::FindRegistryKey(kKey), nullptr);
        }
        ExpectNoViolations();
    }
}

TEST_F(SettingsTest, WhatIsSavedLoadsBack) {
    DividerSettings saved;
    std::memcpy(&saved, FromHex(kStoredRecord).data(), sizeof saved);
    ASSERT_EQ(SaveDividerSettings(&saved), ERROR_SUCCESS);
    ASSERT_EQ(SaveShowWarning(0), ERROR_SUCCESS);

    DividerSettings loaded;
    std::memset(&loaded, 0, sizeof loaded);
    int16_t flag = 1;
    EXPECT_EQ(LoadDividerSettings(&loaded), ERROR_SUCCESS);
    EXPECT_EQ(LoadShowWarning(&flag), ERROR_SUCCESS);
    EXPECT_EQ(RecordHex(loaded), Squeezed(kStoredRecord));
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(sim::W().openKeys, 0);
}

// The byte images of the records the module exchanges with the host, the
// helper and the registry: built field by field and compared with the bytes
// the other side expects.
#include <cstring>
#include <string>

#include "engine/divider_records.h"
#include "platform/helper_api.h"
#include "platform/host_services.h"
#include "settings/divider_settings.h"
#include "shell/entry_points.h"
#include "sim_fixture.h"

namespace {

std::string Zeros(size_t bytes) { return std::string(bytes * 2, '0'); }

std::string PaddedHex(const std::string& text, size_t width) {
    std::string field = text;
    field.resize(width, '\0');
    return Hex(field.data(), field.size());
}

// The command record with the host's memory that follows it.
#pragma pack(push, 1)
struct CommandInfoInHostMemory {
    ExtensionCommandInfo info;
    uint8_t beyond[60];
};
#pragma pack(pop)

}  // namespace

TEST(RecordLayout, RecordKeyIsNumberThenSub) {
    const RecordKey key = {0x0102, -1};
    EXPECT_EQ(Hex(&key, sizeof key), "0201ffff");
}

TEST(RecordLayout, TextLayoutRecord) {
    TextLayoutRecord layout = {};
    layout.textBlock = 0x1234;
    layout.value8 = kLayoutValue8;
    layout.value14 = kLayoutValue14;
    EXPECT_EQ(Hex(&layout, sizeof layout), Squeezed("3412 000000000000 6400 00000000 081a") + Zeros(32));
}

TEST(RecordLayout, PageTextRecord) {
    PageTextRecord text = {};
    text.textLayout = 0x0102;
    text.hOffset = -30;
    text.vPosition = -628;
    text.startPage = 3;
    text.endPage = 0x0504;
    text.flags = kRightMarginOriginFlags;
    EXPECT_EQ(Hex(&text, sizeof text), Squeezed("0201 e2ff 8cfd 0300 0405 1400") + Zeros(12));
}

TEST(RecordLayout, DividerSettingsIsThirtyBytesWithoutGaps) {
    // Each field holds the offsets of its own bytes, so the image counts up.
    DividerSettings record = {};
    record.firstPage = 0x0100;
    record.lastPage = 0x0302;
    record.hAdjust = 0x0504;
    record.vAdjust = 0x0706;
    record.fontSize = 0x0908;
    record.vMethod = 0x0B0A;
    record.rangeMode = 0x0D0C;
    record.autoAdjustV = 0x11100F0E;
    record.marginOrigin = 0x1312;
    record.dialogAccepted = 0x17161514;
    record.saveOnExit = 0x1B1A1918;
    record.pageCount = 0x1D1C;
    EXPECT_EQ(Hex(&record, sizeof record), "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d");
}

TEST(RecordLayout, SystemLayoutInfoFieldsAsTheHelperFillsThem) {
    // The helper writes bytes; each named field must read its own.
    uint8_t image[102];
    for (size_t i = 0; i < sizeof image; ++i) image[i] = static_cast<uint8_t>(i);
    static_assert(sizeof(SystemLayoutInfo) == sizeof image);
    SystemLayoutInfo info;
    std::memcpy(&info, image, sizeof info);
    EXPECT_EQ(FieldValue(info.infoSize), 0x0100);
    EXPECT_EQ(FieldValue(info.spaceAbove), 0x05040302);
    EXPECT_EQ(FieldValue(info.height), 0x11100F0E);
    EXPECT_EQ(FieldValue(info.topLineDrop), 0x15141312);
    EXPECT_EQ(FieldValue(info.lastLineRise), 0x19181716);
    EXPECT_EQ(FieldValue(info.resizePercent), 0x1F1E);
    EXPECT_EQ(FieldValue(info.isResized), 0x2322);
    EXPECT_EQ(FieldValue(info.lastStaff), 0x2F2E);
}

TEST(RecordLayout, SystemLayoutInfoSizeFieldLeadsTheRecord) {
    SystemLayoutInfo info = {};
    info.infoSize = kSystemLayoutInfoSize;
    EXPECT_EQ(Hex(&info, sizeof info), "6600" + Zeros(100));
}

TEST(RecordLayout, ExtensionCommandInfoWrittenUpToByte195Only) {
    CommandInfoInHostMemory memory;
    std::memset(&memory, 0xEE, sizeof memory);
    EXPECT_EQ(FinaleExtensionEnumerate(0, 0, &memory.info), 1);

    const std::string expected = PaddedHex("Kelmoor &Stavenor [v 1.07]...", 64) +
                                 PaddedHex("Placing breaks between systems", 64) + PaddedHex("Stavenor", 64) +
                                 "0000" + "0000" + std::string(60 * 2, 'e');
    EXPECT_EQ(Hex(&memory, sizeof memory), expected);
}

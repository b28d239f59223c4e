// The divider's text (formats, templates, text for a size) and the creation
// of its text block and text layout.
#include <cstring>
#include <string>

#include "engine/divider_records.h"
#include "settings/divider_settings.h"
#include "sim_fixture.h"

namespace {

// 0xBB is the divider glyph of EngraverFontSet, one byte of 8-bit text.
const char kPlainFormat[] = "^font(%s)^size(%%d)^efx(plain)\xBB";
const char kNumberedFormat[] = "^font(%s,8194)^size(%%d)^efx(plain)\xBB";
static_assert(sizeof kPlainFormat == 32 && sizeof kNumberedFormat == 37);

const char kPlainText14[] = "^font(EngraverFontSet)^size(14)^efx(plain)\xBB";
static_assert(sizeof kPlainText14 == 44);

// The laid-out text block's number, 100 at offset 8, 0x1A08 at offset 14.
std::string LayoutHex(int16_t textBlock) {
    TextLayoutRecord expected = {};
    std::memcpy(&expected, &textBlock, sizeof textBlock);
    return Hex(&expected, 2) + Squeezed("000000000000 6400 00000000 081a") + std::string(64, '0');
}

std::string WithZero(const std::string& text) { return Hex(BytesOf(text)) + "00"; }

}  // namespace

TEST(DividerText, FormatsEndInTheOneByteGlyph) {
    EXPECT_EQ(Hex(plainDividerFormat, 32), Hex(kPlainFormat, 32));
    EXPECT_EQ(Hex(numberedDividerFormat, 37), Hex(kNumberedFormat, 37));
}

TEST(DividerText, TemplatesKeepOneSizeDirective) {
    struct Case {
        const char* font;
        const char* plain;
        const char* numbered;
    };
    const Case cases[] = {
        {"EngraverFontSet", "^font(EngraverFontSet)^size(%d)^efx(plain)\xBB",
         "^font(EngraverFontSet,8194)^size(%d)^efx(plain)\xBB"},
        {"Maestro", "^font(Maestro)^size(%d)^efx(plain)\xBB", "^font(Maestro,8194)^size(%d)^efx(plain)\xBB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font);
        PrepareDividerTemplates(c.font);
        EXPECT_EQ(std::string(plainDividerTemplate), c.plain);
        EXPECT_EQ(std::string(numberedDividerTemplate), c.numbered);
    }
    PrepareDividerTemplates("EngraverFontSet");
    EXPECT_EQ(std::strlen(plainDividerTemplate), 43u);
    EXPECT_EQ(std::strlen(numberedDividerTemplate), 48u);
}

TEST(DividerText, TextForASize) {
    PrepareDividerTemplates("EngraverFontSet");
    struct Case {
        const char* name;
        const char* dividerTemplate;
        int16_t size;
        const char* text;
    };
    const Case cases[] = {
        {"plain 14", plainDividerTemplate, 14, "^font(EngraverFontSet)^size(14)^efx(plain)\xBB"},
        {"plain 8", plainDividerTemplate, 8, "^font(EngraverFontSet)^size(8)^efx(plain)\xBB"},
        {"numbered 14", numberedDividerTemplate, 14, "^font(EngraverFontSet,8194)^size(14)^efx(plain)\xBB"},
        {"numbered 8", numberedDividerTemplate, 8, "^font(EngraverFontSet,8194)^size(8)^efx(plain)\xBB"},
        {"plain -5, signed decimal", plainDividerTemplate, -5,
         "^font(EngraverFontSet)^size(-5)^efx(plain)\xBB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char text[kDividerTextSize];
        std::memset(text, 0xEE, sizeof text);
        FormatDividerText(c.dividerTemplate, c.size, text);
        EXPECT_EQ(std::string(text), c.text);
        const size_t length = std::strlen(text);
        ASSERT_GE(length, 2u);
        EXPECT_EQ(static_cast<uint8_t>(text[length - 1]), 0xBB) << "the glyph is the last byte";
        EXPECT_EQ(text[length - 2], ')') << "the glyph is one byte, not a multi-byte sequence";
    }
    char text[kDividerTextSize];
    FormatDividerText(plainDividerTemplate, 14, text);
    EXPECT_EQ(std::strlen(text), 43u);
}

class CreateDividerTextTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        PrepareDividerTemplates("EngraverFontSet");
        dividerSettings.fontSize = 14;
    }
    std::map<sim::Key, sim::Bytes>& Blocks() { return sim::W().records[tags::TextBlock]; }
    std::map<sim::Key, sim::Bytes>& Layouts() { return sim::W().records[tags::TextLayout]; }
};

TEST_F(CreateDividerTextTest, CreatesTheBlockAndItsLayout) {
    EXPECT_EQ(CreateDividerText(), 1);

    ASSERT_EQ(Blocks().size(), 1u);
    EXPECT_EQ(Blocks().begin()->first.number, 1);
    EXPECT_EQ(Hex(Blocks().begin()->second), Hex(kPlainText14, 44));

    ASSERT_EQ(Layouts().size(), 1u);
    EXPECT_EQ(Layouts().begin()->first, (sim::Key{1, 0}));
    EXPECT_EQ(Hex(Layouts().begin()->second), LayoutHex(1));
    EXPECT_TRUE(sim::W().records[tags::PageText].empty());
}

TEST_F(CreateDividerTextTest, BlockSizeFollowsTheFontSize) {
    struct Case {
        int16_t size;
        const char* text;
        size_t bytes;
    };
    const Case cases[] = {
        {14, "^font(EngraverFontSet)^size(14)^efx(plain)\xBB", 44},
        {8, "^font(EngraverFontSet)^size(8)^efx(plain)\xBB", 43},
        {127, "^font(EngraverFontSet)^size(127)^efx(plain)\xBB", 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        sim::Reset();
        dividerSettings.fontSize = c.size;
        EXPECT_EQ(CreateDividerText(), 1);
        ASSERT_EQ(Blocks().size(), 1u);
        EXPECT_EQ(Blocks().begin()->second.size(), c.bytes);
        EXPECT_EQ(Hex(Blocks().begin()->second), WithZero(c.text));
        ExpectNoViolations();
    }
}

TEST_F(CreateDividerTextTest, UsesTheTemplatesOfThisInvocation) {
    PrepareDividerTemplates("Maestro");
    EXPECT_EQ(CreateDividerText(), 1);
    ASSERT_EQ(Blocks().size(), 1u);
    EXPECT_EQ(Hex(Blocks().begin()->second), WithZero("^font(Maestro)^size(14)^efx(plain)\xBB"));
}

TEST_F(CreateDividerTextTest, UsesTheNumbersTheHostAssigned) {
    sim::PutTextBlock(7, "other text");
    sim::PutTextLayout({4, 2}, 7);
    const sim::Bytes oldLayout = Layouts()[{4, 2}];

    EXPECT_EQ(CreateDividerText(), 5);

    ASSERT_EQ(Blocks().size(), 2u);
    EXPECT_EQ(Hex(Blocks()[{7, 0}]), WithZero("other text"));
    EXPECT_EQ(Hex(Blocks()[{8, 0}]), Hex(kPlainText14, 44));
    ASSERT_EQ(Layouts().size(), 2u);
    EXPECT_EQ(Hex(Layouts()[{4, 2}]), Hex(oldLayout));
    ASSERT_EQ(Layouts().count({5, 0}), 1u);
    EXPECT_EQ(Hex(Layouts()[{5, 0}]), LayoutHex(8));
}

TEST_F(CreateDividerTextTest, TwoDividersGetTheirOwnRecords) {
    EXPECT_EQ(CreateDividerText(), 1);
    EXPECT_EQ(CreateDividerText(), 2);

    ASSERT_EQ(Blocks().size(), 2u);
    EXPECT_EQ(Hex(Blocks()[{1, 0}]), Hex(kPlainText14, 44));
    EXPECT_EQ(Hex(Blocks()[{2, 0}]), Hex(kPlainText14, 44));
    ASSERT_EQ(Layouts().size(), 2u);
    EXPECT_EQ(Hex(Layouts()[{1, 0}]), LayoutHex(1));
    EXPECT_EQ(Hex(Layouts()[{2, 0}]), LayoutHex(2));
}

TEST_F(CreateDividerTextTest, RefusedLayoutLeavesOneOrphanBlock) {
    sim::W().refuseCreate.insert({tags::TextLayout, 1});
    EXPECT_EQ(CreateDividerText(), 0);

    ASSERT_EQ(Blocks().size(), 1u);
    EXPECT_EQ(Hex(Blocks().begin()->second), Hex(kPlainText14, 44));
    EXPECT_TRUE(Layouts().empty());
    EXPECT_EQ(sim::W().creations[tags::TextLayout], 1);
    EXPECT_TRUE(sim::W().ui.empty());
}

TEST_F(CreateDividerTextTest, RefusedBlockCreatesNothing) {
    sim::W().refuseCreate.insert({tags::TextBlock, 1});
    EXPECT_EQ(CreateDividerText(), 0);

    EXPECT_TRUE(Blocks().empty());
    EXPECT_TRUE(Layouts().empty());
    EXPECT_EQ(sim::W().creations[tags::TextLayout], 0) << "no layout is attempted";
    EXPECT_TRUE(sim::W().ui.empty());
}

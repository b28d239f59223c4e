// The three records of one divider symbol and the divider texts.
//
// A divider is a TextBlockRecord holding its text, a TextLayoutRecord laying
// out that block, and a PageTextRecord putting the layout on a page, chained
// by key numbers.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kTextBlockTag = 0x7478626C;
constexpr uint32_t kTextLayoutTag = 0x534F5458;
constexpr uint32_t kPageTextTag = 0x4F027054;

#pragma pack(push, 1)
struct TextLayoutRecord {
    int16_t textBlock;  // number of the laid-out TextBlockRecord
    uint8_t zero2[6];
    int16_t value8;  // 100
    uint8_t zero10[4];
    int16_t value14;  // 0x1A08
    uint8_t zero16[32];
};

struct PageTextRecord {
    int16_t textLayout;  // number of the TextLayoutRecord on the page
    int16_t hOffset;     // EVPU, negated when measured from the right margin
    int16_t vPosition;   // EVPU, from the line where the page's running position is 0
    int16_t startPage;
    int16_t endPage;
    int16_t flags;  // kRightMarginOriginFlags or 0
    uint8_t zero12[12];
};
#pragma pack(pop)
static_assert(sizeof(TextLayoutRecord) == 48);
static_assert(offsetof(TextLayoutRecord, value8) == 8);
static_assert(offsetof(TextLayoutRecord, value14) == 14);
static_assert(sizeof(PageTextRecord) == 24);
static_assert(offsetof(PageTextRecord, hOffset) == 2);
static_assert(offsetof(PageTextRecord, vPosition) == 4);
static_assert(offsetof(PageTextRecord, startPage) == 6);
static_assert(offsetof(PageTextRecord, endPage) == 8);
static_assert(offsetof(PageTextRecord, flags) == 10);

constexpr int16_t kLayoutValue8 = 100;
constexpr int16_t kLayoutValue14 = 0x1A08;
constexpr int16_t kRightMarginOriginFlags = 0x14;

constexpr size_t kDividerTextSize = 100;

// "^font(%s)^size(%%d)^efx(plain)" and the numbered form, each followed by
// the divider glyph 0xBB of EngraverFontSet.
extern const char plainDividerFormat[];
extern const char numberedDividerFormat[];

// The formats with the font name filled in; each keeps one "%d".
extern char plainDividerTemplate[kDividerTextSize];
extern char numberedDividerTemplate[kDividerTextSize];

void PrepareDividerTemplates(const char* fontName);

// The zero-terminated divider text of a template for one font size.
void FormatDividerText(const char* dividerTemplate, int16_t fontSize, char* text);

// Creates the text block and text layout of one divider in
// dividerSettings.fontSize; returns the new layout's number, or 0.
int16_t CreateDividerText();

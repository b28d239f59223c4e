// The divider's text and the creation of its text block and text layout.
#include "engine/divider_records.h"

#include <cstdio>
#include <cstring>

#include "platform/host_services.h"
#include "platform/wrap.h"
#include "settings/divider_settings.h"

// Each ends with the divider glyph 0xBB of EngraverFontSet, one byte.
const char plainDividerFormat[] = "^font(%s)^size(%%d)^efx(plain)\xBB";
const char numberedDividerFormat[] = "^font(%s,8194)^size(%%d)^efx(plain)\xBB";
static_assert(sizeof plainDividerFormat == 32);
static_assert(sizeof numberedDividerFormat == 37);

char plainDividerTemplate[kDividerTextSize] = {};
char numberedDividerTemplate[kDividerTextSize] = {};

void PrepareDividerTemplates(const char* fontName) {
    std::snprintf(plainDividerTemplate, sizeof plainDividerTemplate, plainDividerFormat, fontName);
    std::snprintf(numberedDividerTemplate, sizeof numberedDividerTemplate, numberedDividerFormat, fontName);
}

void FormatDividerText(const char* dividerTemplate, int16_t fontSize, char* text) {
    std::snprintf(text, kDividerTextSize, dividerTemplate, static_cast<int>(fontSize));
}

int16_t CreateDividerText() {
    char text[kDividerTextSize] = {};
    FormatDividerText(plainDividerTemplate, dividerSettings.fontSize, text);

    RecordKey blockKey = {-1, 0};
    const int32_t textSize = static_cast<int32_t>(std::strlen(text)) + 1;
    if (Low16(HostCreateRecord(kTextBlockTag, &blockKey, text, textSize, HostInterfaceVersion)) == 0)
        return 0;

    RecordKey layoutKey = {-1, -1};
    TextLayoutRecord layout = {};
    layout.textBlock = blockKey.number;
    layout.value8 = kLayoutValue8;
    layout.value14 = kLayoutValue14;
    if (Low16(HostCreateRecord(kTextLayoutTag, &layoutKey, &layout, sizeof layout, HostInterfaceVersion)) ==
        0) {
        return 0;  // the text block stays; nothing is rolled back
    }
    return layoutKey.number;
}

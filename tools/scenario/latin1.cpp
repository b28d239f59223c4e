#include "latin1.h"

#include <cstdint>

namespace scenario {

namespace {

// Decodes one UTF-8 sequence at text[i], advancing i. The JSON parser has
// already rejected ill-formed UTF-8, so only the sequence length is read.
char32_t DecodeAt(const std::string& text, size_t& i) {
    const auto lead = static_cast<uint8_t>(text[i++]);
    int continuation = 0;
    char32_t code = lead;
    if (lead >= 0xF0) {
        continuation = 3;
        code = lead & 0x07u;
    } else if (lead >= 0xE0) {
        continuation = 2;
        code = lead & 0x0Fu;
    } else if (lead >= 0xC0) {
        continuation = 1;
        code = lead & 0x1Fu;
    }
    for (int k = 0; k < continuation && i < text.size(); ++k) {
        code = (code << 6) | (static_cast<uint8_t>(text[i++]) & 0x3Fu);
    }
    return code;
}

}  // namespace

std::optional<std::string> Latin1FromUtf8(const std::string& utf8, char32_t* offending) {
    std::string latin1;
    latin1.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const char32_t code = DecodeAt(utf8, i);
        if (code > 0xFF) {
            if (offending) *offending = code;
            return std::nullopt;
        }
        latin1.push_back(static_cast<char>(static_cast<uint8_t>(code)));
    }
    return latin1;
}

std::string Utf8FromLatin1(const std::string& latin1) {
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte < 0x80) {
            utf8.push_back(c);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return utf8;
}

}  // namespace scenario

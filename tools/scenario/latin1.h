// Texts in the document are 8-bit Latin-1, one byte per character; the JSON
// of scenarios and results is UTF-8. These convert between the two.
#pragma once

#include <optional>
#include <string>

namespace scenario {

// The Latin-1 bytes of a UTF-8 text, or nothing when it holds a character
// above U+00FF (whose code is then put in *offending).
std::optional<std::string> Latin1FromUtf8(const std::string& utf8, char32_t* offending);

// The UTF-8 text of Latin-1 bytes; every byte is one character.
std::string Utf8FromLatin1(const std::string& latin1);

}  // namespace scenario

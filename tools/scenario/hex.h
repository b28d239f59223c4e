// Byte strings as lowercase hexadecimal text, two digits a byte, no spaces.
#pragma once

#include <optional>
#include <string>

#include "sim/sim.h"

namespace scenario {

std::string HexFromBytes(const sim::Bytes& bytes);

// The bytes of a hex string (digits in either case), or nothing when it has
// an odd length or a character that is not a hex digit.
std::optional<sim::Bytes> BytesFromHex(const std::string& hex);

}  // namespace scenario

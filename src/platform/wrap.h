// Explicit 16- and 32-bit truncations with wrapping arithmetic.
//
// Geometry and host results are defined on the low 16 bits of 32-bit values.
// Every wrap goes through unsigned arithmetic, so no input is undefined.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "records are little-endian images laid over memory");

// The low 16 bits of a 32-bit value, read as a signed 16-bit number.
constexpr int16_t Low16(int32_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu));
}

constexpr int32_t Add32(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

constexpr int32_t Sub32(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

constexpr int32_t Mul32(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

constexpr int32_t Neg32(int32_t a) { return Sub32(0, a); }

// Division truncating toward zero, as C++ does, except that the one quotient
// that leaves the range (INT32_MIN / -1) wraps to INT32_MIN.
constexpr int32_t Div32(int32_t a, int32_t b) {
    if (b == -1) return Neg32(a);
    return a / b;
}

inline int16_t ReadLE16(const void* bytes, size_t offset) {
    int16_t value;
    std::memcpy(&value, static_cast<const unsigned char*>(bytes) + offset, sizeof value);
    return value;
}

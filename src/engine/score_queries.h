// Read-only questions asked of the active document.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kPageSpecTag = 0x534F5053;
constexpr int32_t kPageSpecSize = 22;
constexpr uint32_t kUnitPrefsTag = 0x70666770;
constexpr int32_t kUnitPrefsSize = 61;
constexpr size_t kUnitCodeOffset = 30;
constexpr uint32_t kPartModeTag = 0x6F743233;
constexpr int32_t kPartModeSize = 12;
constexpr int16_t kPartModeNumber = -2;
constexpr size_t kPartModeOffset = 8;
constexpr int16_t kExtractedPartMode = -8;

// Records of the tag keyed (1, 0), (2, 0), ... up to the first number without one.
int32_t CountRecords(uint32_t tag, int32_t recordSize);
int32_t CountPages();
// The document's unit code, or 1 when it cannot be read.
int16_t GetMeasurementUnit();
// 1 when the document is in extracted-part mode, else 0.
int32_t IsExtractedPart();

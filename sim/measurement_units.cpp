// How the simulated host shows a length in a measurement field and reads it
// back. Lengths are EVPUs inside the host; a field shows them in the
// document's unit:
//
//   1 EVPUs, 2 inches (288 EVPUs), 3 centimetres (288 / 2.54 EVPUs),
//   4 points (4 EVPUs), 5 picas (48 EVPUs), 6 spaces (24 EVPUs);
//   any other code shows EVPUs as unit 1 does.
//
// A field shows at most four decimals, without trailing zeros. It reads as a
// number when its whole text, blanks around it aside, is one number as the C
// library reads it ("12", "-3.5", "1e3", and also "nan" and "inf"); any other
// text, the empty text included, is not a number.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim/world_internals.h"

namespace {

double EvpusPerUnit(int32_t unit) {
    switch (unit) {
        case 2: return 288.0;
        case 3: return 288.0 / 2.54;
        case 4: return 4.0;
        case 5: return 48.0;
        case 6: return 24.0;
        default: return 1.0;
    }
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

namespace sim {

std::string MeasurementText(double evpus, int32_t unit) {
    const double value = evpus / EvpusPerUnit(unit);
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char text[400] = {};
    std::snprintf(text, sizeof text, "%.4f", value);
    std::string shown = text;
    while (!shown.empty() && shown.back() == '0') shown.pop_back();
    if (!shown.empty() && shown.back() == '.') shown.pop_back();
    if (shown == "-0") shown = "0";
    return shown;
}

bool ReadMeasurementText(const std::string& text, int32_t unit, double* evpus) {
    const char* start = text.c_str();
    while (IsBlank(*start)) ++start;
    if (*start == '\0') return false;
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start) return false;
    while (IsBlank(*end)) ++end;
    if (*end != '\0') return false;
    *evpus = value * EvpusPerUnit(unit);
    return true;
}

}  // namespace sim

#include "result_compare.h"

#include <algorithm>

namespace scenario {

namespace {

using nlohmann::json;

std::string Show(const json& value) { return value.dump(-1, ' ', true, json::error_handler_t::replace); }

std::string Child(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

void Compare(const json& expected, const json& actual, const std::string& path,
             std::vector<std::string>& out) {
    const std::string where = path.empty() ? "(whole result)" : path;
    if (expected.is_object() && actual.is_object()) {
        for (const auto& [key, value] : expected.items()) {
            const auto it = actual.find(key);
            if (it == actual.end()) {
                out.push_back(Child(path, key) + ": expected " + Show(value) + ", actual (missing)");
            } else {
                Compare(value, *it, Child(path, key), out);
            }
        }
        for (const auto& [key, value] : actual.items()) {
            if (!expected.contains(key)) {
                out.push_back(Child(path, key) + ": expected (missing), actual " + Show(value));
            }
        }
        return;
    }
    if (expected.is_array() && actual.is_array()) {
        const size_t common = std::min(expected.size(), actual.size());
        for (size_t i = 0; i < common; ++i) {
            Compare(expected[i], actual[i], path + "[" + std::to_string(i) + "]", out);
        }
        for (size_t i = common; i < expected.size(); ++i) {
            out.push_back(path + "[" + std::to_string(i) + "]: expected " + Show(expected[i]) +
                          ", actual (missing)");
        }
        for (size_t i = common; i < actual.size(); ++i) {
            out.push_back(path + "[" + std::to_string(i) + "]: expected (missing), actual " +
                          Show(actual[i]));
        }
        return;
    }
    // Scalars, or values of different kinds: nlohmann compares numbers by
    // value whatever their representation.
    if (expected != actual)
        out.push_back(where + ": expected " + Show(expected) + ", actual " + Show(actual));
}

}  // namespace

std::vector<std::string> CompareResults(const json& expected, const json& actual) {
    std::vector<std::string> differences;
    Compare(expected, actual, "", differences);
    return differences;
}

}  // namespace scenario

// Comparing a run's result with the expected one, as JSON values: object
// members in any order, numbers by value.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace scenario {

// One line per difference: the path, the expected and the actual value,
// e.g. "invocations[0].result: expected 1, actual 0". Empty when equal.
std::vector<std::string> CompareResults(const nlohmann::json& expected, const nlohmann::json& actual);

}  // namespace scenario

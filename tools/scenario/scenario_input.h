// Reading a scenario file into a Scenario, with every field checked.
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <utility>

#include "scenario.h"

namespace scenario {

// A malformed scenario: the path of the offending value (e.g.
// "score.pages[1].systems[0].height", empty for the whole document) and
// what is wrong with it.
struct ScenarioError : std::runtime_error {
    ScenarioError(std::string where, const std::string& what)
        : std::runtime_error(what), path(std::move(where)) {}
    std::string path;
};

// Throws ScenarioError at the first problem found.
Scenario ParseScenario(const nlohmann::json& document);

}  // namespace scenario

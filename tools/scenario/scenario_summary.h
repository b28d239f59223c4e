// A short human-readable account of a run, for ./run demo: the score, what
// was invoked, what the user saw, the dividers placed per page and the
// plug-in's registry values after termination.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "scenario.h"

namespace scenario {

std::string Summarize(const std::string& fileName, const Scenario& scenario,
                      const nlohmann::ordered_json& result);

}  // namespace scenario

// The result of a run as JSON: what the entry points answered, what the user
// saw, the document's divider records, the plug-in's registry key and the
// counts of host and helper calls. Free of addresses and handles: windows
// appear by the names the simulation gives them.
#pragma once

#include <nlohmann/json.hpp>

#include "scenario_driver.h"

namespace scenario {

// Keys in a fixed order; reads sim::W() as the run left it.
nlohmann::ordered_json BuildResult(const RunOutcome& outcome);

}  // namespace scenario

// stavenor-scenario [--expect EXPECTED.json] [--summary] FILE
//
// Runs one scenario file against the module over the simulated host and
// prints the result as JSON (or, with --summary, a short account of it).
// Exit codes: 0 run done (and, with --expect, equal to the expected result),
// 1 the result differs from the expected one, 2 usage error or malformed
// scenario or expected file.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "result_compare.h"
#include "scenario_driver.h"
#include "scenario_input.h"
#include "scenario_result.h"
#include "scenario_summary.h"

namespace {

constexpr int kExitDifferent = 1;
constexpr int kExitMalformed = 2;

struct Options {
    std::string scenarioFile;
    std::string expectFile;  // empty: no comparison
    bool summary = false;
};

[[noreturn]] void Usage(const std::string& problem) {
    std::cerr << "stavenor-scenario: " << problem << "\n"
              << "usage: stavenor-scenario [--expect EXPECTED.json] [--summary] FILE\n";
    std::exit(kExitMalformed);
}

Options ParseArguments(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--summary") {
            options.summary = true;
        } else if (argument == "--expect") {
            if (i + 1 >= argc) Usage("--expect needs a file");
            options.expectFile = argv[++i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            Usage("unknown option " + argument);
        } else if (!options.scenarioFile.empty()) {
            Usage("one scenario file at a time");
        } else {
            options.scenarioFile = argument;
        }
    }
    if (options.scenarioFile.empty()) Usage("no scenario file given");
    return options;
}

// Reads and parses a JSON file; a problem ends the program with exit code 2.
nlohmann::json ReadJson(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        std::cerr << fileName << ": cannot be read\n";
        std::exit(kExitMalformed);
    }
    std::ostringstream text;
    text << file.rdbuf();
    try {
        return nlohmann::json::parse(text.str());
    } catch (const nlohmann::json::parse_error& error) {
        std::cerr << fileName << ": not valid JSON: " << error.what() << "\n";
        std::exit(kExitMalformed);
    }
}

std::string Dump(const nlohmann::ordered_json& value) {
    return value.dump(2, ' ', true, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseArguments(argc, argv);
    const nlohmann::json document = ReadJson(options.scenarioFile);
    scenario::Scenario parsed;
    try {
        parsed = scenario::ParseScenario(document);
    } catch (const scenario::ScenarioError& error) {
        std::cerr << options.scenarioFile << ": " << (error.path.empty() ? "" : error.path + ": ")
                  << error.what() << "\n";
        return kExitMalformed;
    }
    // Read before running, so a bad expected file does not cost a run.
    nlohmann::json expected;
    if (!options.expectFile.empty()) expected = ReadJson(options.expectFile);

    const scenario::RunOutcome outcome = scenario::RunScenario(parsed);
    if (outcome.actionProblem) {
        std::cerr << options.scenarioFile << ": " << outcome.actionProblem->path << ": "
                  << outcome.actionProblem->what << "\n";
        return kExitMalformed;
    }
    const nlohmann::ordered_json result = scenario::BuildResult(outcome);

    if (options.summary) {
        std::cout << scenario::Summarize(options.scenarioFile, parsed, result);
    } else {
        std::cout << Dump(result) << "\n";
    }
    if (options.expectFile.empty()) return 0;

    const auto differences = scenario::CompareResults(expected, nlohmann::json::parse(Dump(result)));
    if (differences.empty()) return 0;
    std::cerr << options.scenarioFile << ": the result differs from " << options.expectFile << " in "
              << differences.size() << (differences.size() == 1 ? " place:\n" : " places:\n");
    for (const std::string& difference : differences) std::cerr << "  " << difference << "\n";
    return kExitDifferent;
}

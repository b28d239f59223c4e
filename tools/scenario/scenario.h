// A scenario as the runner reads it: the world to set up before the module
// is loaded, and what the host and the user do with it.
//
// Everything here is already validated: scenario_input.cpp turns the JSON
// file into this form or reports the first offending path.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sim/sim.h"

namespace scenario {

// A stored registry value under the plug-in's key.
struct RegistryValue {
    std::string name;  // Latin-1
    uint32_t type = REG_BINARY;
    sim::Bytes data;
};

struct ScoreSetup {
    std::vector<sim::PageModel> pages;
    std::optional<int16_t> unit;         // UnitPrefsRecord code; unset: no record
    std::optional<int16_t> partMode;     // PartModeRecord value; unset: no record
    std::optional<int32_t> hostVersion;  // pFTX_FinaleVersion's answer
};

struct TextBlockSetup {
    int16_t number = 0;
    std::string text;  // Latin-1, without its terminating zero
};

struct TextLayoutSetup {
    int16_t number = 0;
    int16_t sub = 0;
    int16_t textBlock = 0;
};

struct PageTextSetup {
    int16_t page = 0;
    int16_t sub = 0;
    int16_t textLayout = 0;
    std::optional<int16_t> hOffset;
    std::optional<int16_t> vPosition;
    std::optional<int16_t> flags;
};

// One record already in the document, in the order the scenario lists them.
struct RecordSetup {
    enum Kind { TextBlock, TextLayout, PageText } kind = TextBlock;
    TextBlockSetup textBlock;
    TextLayoutSetup textLayout;
    PageTextSetup pageText;
};

// The helper's answers; every field left unset keeps the simulation's default.
struct HelperSetup {
    std::optional<bool> present;
    std::optional<int32_t> initByFinale;
    std::optional<int32_t> version;
    std::optional<int32_t> handshake;
    std::set<std::string> missing;
    std::set<int> failSystemRangeOnPage;
    std::set<int> failLayoutInfo;
};

// A host refusal: the nth creation (1-based) of a record of this tag fails.
struct CreateRefusal {
    uint32_t tag = 0;
    int nth = 0;
};

// What the user does inside one dialog, as the scenario writes it:
// ["click", ID], ["select", ID, INDEX], ["type", ID, TEXT] or
// ["spin", ID, "up"|"down"].
struct DialogAction {
    enum Kind { Click, Select, Type, Spin } kind = Click;
    int32_t control = 0;
    int32_t index = 0;  // Select: 0-based entry
    std::string text;   // Type: Latin-1
    bool up = true;     // Spin: the up arrow, else the down arrow
    std::string path;   // where the scenario gave it, for messages
};

// An action the scenario asked for that no user could perform on that control.
struct ActionProblem {
    std::string path;
    std::string what;
};

// One expected piece of user interface: a dialog of the given template, in
// which the actions are performed, or a message box with the answer given.
struct UiStep {
    enum Kind { Dialog, MessageBox } kind = Dialog;
    int32_t dialog = 0;
    std::vector<DialogAction> actions;
    int answer = 0;  // IDOK, IDYES, IDNO or IDCANCEL
};

struct Invocation {
    std::string name;  // what this run of the command shows; echoed in the result
    bool ctrl = false;
    bool shift = false;
    std::vector<UiStep> ui;
};

// ---------------------------------------------------------------- menu command publisher

// A named shared-memory block that another process created before the run
// and holds open throughout it.
struct ExistingBlock {
    std::string name;  // Latin-1
    sim::Bytes bytes;  // at least one
};

// What the menu command publisher meets: the host window's menu bar, the
// messages and document windows the host sends on its UI thread after
// initialisation, blocks held elsewhere, and what the system refuses.
struct PublisherSetup {
    std::optional<std::vector<sim::MenuItem>> menuBar;  // unset: no menu bar
    int documentWindows = 0;
    int messagesBefore = 0;
    std::vector<ExistingBlock> existingBlocks;
    bool noWindowThread = false;  // the host window's thread is not found
    bool refuseOpenProcess = false;
    bool refuseHook = false;
    bool refuseMapping = false;
    bool refuseView = false;
};

struct Scenario {
    std::string description;  // what the scenario shows; not part of the run
    std::optional<int32_t> versionValue;
    // Unset: no key. Set, possibly empty: the key exists with these values.
    std::optional<std::vector<RegistryValue>> registry;
    ScoreSetup score;
    std::vector<RecordSetup> records;
    HelperSetup helper;
    std::vector<CreateRefusal> refuseCreate;
    std::vector<Invocation> invocations;
    bool terminate = true;
    PublisherSetup publisher;
};

}  // namespace scenario

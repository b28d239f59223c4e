#include "scenario_input.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <map>

#include "engine/divider_records.h"
#include "hex.h"
#include "latin1.h"

namespace scenario {

namespace {

using nlohmann::json;

std::string Child(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

std::string Item(const std::string& path, size_t index) { return path + "[" + std::to_string(index) + "]"; }

std::string JoinNames(std::initializer_list<const char*> names) {
    std::string joined;
    for (const char* name : names) {
        if (!joined.empty()) joined += ", ";
        joined += name;
    }
    return joined;
}

// An object whose keys must all be among the allowed ones.
void ExpectObject(const json& value, const std::string& path, std::initializer_list<const char*> allowed) {
    if (!value.is_object()) throw ScenarioError(path, "expected an object");
    for (const auto& member : value.items()) {
        const std::string& key = member.key();
        const bool known =
            std::any_of(allowed.begin(), allowed.end(), [&](const char* name) { return key == name; });
        if (!known) {
            throw ScenarioError(Child(path, key),
                                "unknown key (expected one of: " + JoinNames(allowed) + ")");
        }
    }
}

// A member of an object; an optional member given as null counts as absent.
const json* Optional(const json& object, const char* key) {
    const auto it = object.find(key);
    if (it == object.end() || it->is_null()) return nullptr;
    return &*it;
}

const json& Required(const json& object, const char* key, const std::string& path) {
    const auto it = object.find(key);
    if (it == object.end()) throw ScenarioError(Child(path, key), "missing required field");
    return *it;
}

int64_t Integer(const json& value, const std::string& path, int64_t min, int64_t max) {
    if (!value.is_number_integer()) throw ScenarioError(path, "expected an integer");
    bool inRange = false;
    int64_t number = 0;
    if (value.is_number_unsigned()) {
        const auto unsignedNumber = value.get<uint64_t>();
        inRange = unsignedNumber <= static_cast<uint64_t>(max);
        number = inRange ? static_cast<int64_t>(unsignedNumber) : 0;
        inRange = inRange && number >= min;
    } else {
        number = value.get<int64_t>();
        inRange = number >= min && number <= max;
    }
    if (!inRange) {
        throw ScenarioError(path,
                            "expected an integer from " + std::to_string(min) + " to " + std::to_string(max));
    }
    return number;
}

int16_t Int16(const json& value, const std::string& path) {
    return static_cast<int16_t>(
        Integer(value, path, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

int32_t Int32(const json& value, const std::string& path) {
    return static_cast<int32_t>(
        Integer(value, path, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

bool Boolean(const json& value, const std::string& path) {
    if (!value.is_boolean()) throw ScenarioError(path, "expected true or false");
    return value.get<bool>();
}

const std::string& String(const json& value, const std::string& path) {
    if (!value.is_string()) throw ScenarioError(path, "expected a string");
    return value.get_ref<const std::string&>();
}

const json& Array(const json& value, const std::string& path) {
    if (!value.is_array()) throw ScenarioError(path, "expected a list");
    return value;
}

std::string Latin1(const json& value, const std::string& path) {
    char32_t offending = 0;
    auto text = Latin1FromUtf8(String(value, path), &offending);
    if (!text) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(offending));
        throw ScenarioError(
            path, std::string("character ") + code + " is not Latin-1 (texts hold characters up to U+00FF)");
    }
    return *text;
}

sim::Bytes Hex(const json& value, const std::string& path) {
    const std::string& hex = String(value, path);
    if (hex.size() % 2 != 0) throw ScenarioError(path, "hex string of odd length (two digits a byte)");
    auto bytes = BytesFromHex(hex);
    if (!bytes) throw ScenarioError(path, "expected hex digits only (0-9, a-f)");
    return *bytes;
}

// -------------------------------------------------------------- registry

std::vector<RegistryValue> ParseRegistry(const json& value, const std::string& path) {
    if (!value.is_object()) throw ScenarioError(path, "expected an object of value names or null");
    std::vector<RegistryValue> values;
    std::map<std::string, std::string> seen;  // lower-cased name -> name as given
    for (const auto& [name, stored] : value.items()) {
        const std::string where = Child(path, name);
        RegistryValue entry;
        entry.name = Latin1(json(name), where);
        std::string folded = entry.name;
        std::transform(folded.begin(), folded.end(), folded.begin(),
                       [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
        if (const auto it = seen.find(folded); it != seen.end()) {
            throw ScenarioError(where,
                                "same value name as \"" + it->second + "\" (names ignore letter case)");
        }
        seen.emplace(folded, name);
        if (stored.is_string()) {
            entry.data = Hex(stored, where);
        } else if (stored.is_object()) {
            ExpectObject(stored, where, {"type", "hex"});
            entry.type = static_cast<uint32_t>(
                Integer(Required(stored, "type", where), Child(where, "type"), 0, 0xFFFFFFFFLL));
            entry.data = Hex(Required(stored, "hex", where), Child(where, "hex"));
        } else {
            throw ScenarioError(where, "expected a hex string or {\"type\":N,\"hex\":S}");
        }
        values.push_back(std::move(entry));
    }
    return values;
}

// -------------------------------------------------------------- score

sim::SystemModel ParseSystem(const json& value, const std::string& path) {
    ExpectObject(value, path,
                 {"spaceAbove", "height", "topLineDrop", "lastLineRise", "resizePercent", "isResized",
                  "lastStaff", "staffPercent"});
    sim::SystemModel system;
    system.spaceAbove = Int32(Required(value, "spaceAbove", path), Child(path, "spaceAbove"));
    system.height = Int32(Required(value, "height", path), Child(path, "height"));
    system.topLineDrop = Int32(Required(value, "topLineDrop", path), Child(path, "topLineDrop"));
    system.lastLineRise = Int32(Required(value, "lastLineRise", path), Child(path, "lastLineRise"));
    // Unresized, one staff at full size unless the scenario says otherwise.
    system.resizePercent = 100;
    system.isResized = 0;
    system.lastStaff = 1;
    system.staffPercent = 100;
    if (const json* v = Optional(value, "resizePercent"))
        system.resizePercent = Int16(*v, Child(path, "resizePercent"));
    if (const json* v = Optional(value, "isResized")) system.isResized = Int16(*v, Child(path, "isResized"));
    if (const json* v = Optional(value, "lastStaff")) system.lastStaff = Int16(*v, Child(path, "lastStaff"));
    if (const json* v = Optional(value, "staffPercent"))
        system.staffPercent = Int16(*v, Child(path, "staffPercent"));
    return system;
}

ScoreSetup ParseScore(const json& value, const std::string& path) {
    ExpectObject(value, path, {"pages", "unit", "partMode", "hostVersion"});
    ScoreSetup score;
    if (const json* pages = Optional(value, "pages")) {
        const std::string pagesPath = Child(path, "pages");
        Array(*pages, pagesPath);
        for (size_t p = 0; p < pages->size(); ++p) {
            const std::string pagePath = Item(pagesPath, p);
            const json& page = (*pages)[p];
            ExpectObject(page, pagePath, {"systems"});
            sim::PageModel model;
            if (const json* systems = Optional(page, "systems")) {
                const std::string systemsPath = Child(pagePath, "systems");
                Array(*systems, systemsPath);
                for (size_t s = 0; s < systems->size(); ++s) {
                    model.systems.push_back(ParseSystem((*systems)[s], Item(systemsPath, s)));
                }
            }
            score.pages.push_back(std::move(model));
        }
    }
    if (const json* v = Optional(value, "unit")) score.unit = Int16(*v, Child(path, "unit"));
    if (const json* v = Optional(value, "partMode")) score.partMode = Int16(*v, Child(path, "partMode"));
    if (const json* v = Optional(value, "hostVersion"))
        score.hostVersion = Int32(*v, Child(path, "hostVersion"));
    return score;
}

// -------------------------------------------------------------- records

RecordSetup ParseRecord(const json& value, const std::string& path) {
    if (!value.is_object()) throw ScenarioError(path, "expected an object");
    const std::string typePath = Child(path, "type");
    const std::string& type = String(Required(value, "type", path), typePath);
    RecordSetup record;
    if (type == "textBlock") {
        ExpectObject(value, path, {"type", "number", "text"});
        record.kind = RecordSetup::TextBlock;
        record.textBlock.number = Int16(Required(value, "number", path), Child(path, "number"));
        record.textBlock.text = Latin1(Required(value, "text", path), Child(path, "text"));
    } else if (type == "textLayout") {
        ExpectObject(value, path, {"type", "number", "sub", "textBlock"});
        record.kind = RecordSetup::TextLayout;
        record.textLayout.number = Int16(Required(value, "number", path), Child(path, "number"));
        record.textLayout.sub = Int16(Required(value, "sub", path), Child(path, "sub"));
        record.textLayout.textBlock = Int16(Required(value, "textBlock", path), Child(path, "textBlock"));
    } else if (type == "pageText") {
        ExpectObject(value, path, {"type", "page", "sub", "textLayout", "hOffset", "vPosition", "flags"});
        record.kind = RecordSetup::PageText;
        PageTextSetup& pageText = record.pageText;
        pageText.page = Int16(Required(value, "page", path), Child(path, "page"));
        pageText.sub = Int16(Required(value, "sub", path), Child(path, "sub"));
        pageText.textLayout = Int16(Required(value, "textLayout", path), Child(path, "textLayout"));
        if (const json* v = Optional(value, "hOffset")) pageText.hOffset = Int16(*v, Child(path, "hOffset"));
        if (const json* v = Optional(value, "vPosition"))
            pageText.vPosition = Int16(*v, Child(path, "vPosition"));
        if (const json* v = Optional(value, "flags")) pageText.flags = Int16(*v, Child(path, "flags"));
    } else {
        throw ScenarioError(typePath, "expected \"textBlock\", \"textLayout\" or \"pageText\"");
    }
    return record;
}

// The tag and key a record is stored under, to catch two records given one place.
std::pair<uint32_t, sim::Key> StoreKey(const RecordSetup& record) {
    switch (record.kind) {
        case RecordSetup::TextBlock: return {kTextBlockTag, {record.textBlock.number, 0}};
        case RecordSetup::TextLayout:
            return {kTextLayoutTag, {record.textLayout.number, record.textLayout.sub}};
        case RecordSetup::PageText: return {kPageTextTag, {record.pageText.page, record.pageText.sub}};
    }
    return {0, {}};
}

std::vector<RecordSetup> ParseRecords(const json& value, const std::string& path) {
    Array(value, path);
    std::vector<RecordSetup> records;
    std::map<std::pair<uint32_t, sim::Key>, size_t> seen;
    for (size_t i = 0; i < value.size(); ++i) {
        RecordSetup record = ParseRecord(value[i], Item(path, i));
        const auto [it, fresh] = seen.emplace(StoreKey(record), i);
        if (!fresh) {
            throw ScenarioError(Item(path, i), "same record key as " + Item(path, it->second));
        }
        records.push_back(std::move(record));
    }
    return records;
}

// -------------------------------------------------------------- helper and host

std::set<int> IntegerSet(const json& value, const std::string& path) {
    Array(value, path);
    std::set<int> numbers;
    for (size_t i = 0; i < value.size(); ++i) numbers.insert(Int16(value[i], Item(path, i)));
    return numbers;
}

HelperSetup ParseHelper(const json& value, const std::string& path) {
    ExpectObject(value, path,
                 {"present", "initByFinale", "version", "handshake", "missing", "failSystemRangeOnPage",
                  "failLayoutInfo"});
    HelperSetup helper;
    if (const json* v = Optional(value, "present")) helper.present = Boolean(*v, Child(path, "present"));
    if (const json* v = Optional(value, "initByFinale"))
        helper.initByFinale = Int32(*v, Child(path, "initByFinale"));
    if (const json* v = Optional(value, "version")) helper.version = Int32(*v, Child(path, "version"));
    if (const json* v = Optional(value, "handshake")) helper.handshake = Int32(*v, Child(path, "handshake"));
    if (const json* v = Optional(value, "missing")) {
        const std::string missingPath = Child(path, "missing");
        Array(*v, missingPath);
        for (size_t i = 0; i < v->size(); ++i) {
            const std::string& name = String((*v)[i], Item(missingPath, i));
            const bool known = std::any_of(std::begin(sim::kEntryNames), std::end(sim::kEntryNames),
                                           [&](const char* entry) { return name == entry; });
            if (!known)
                throw ScenarioError(Item(missingPath, i),
                                    "not an entry name of the helper: \"" + name + "\"");
            helper.missing.insert(name);
        }
    }
    if (const json* v = Optional(value, "failSystemRangeOnPage")) {
        helper.failSystemRangeOnPage = IntegerSet(*v, Child(path, "failSystemRangeOnPage"));
    }
    if (const json* v = Optional(value, "failLayoutInfo")) {
        helper.failLayoutInfo = IntegerSet(*v, Child(path, "failLayoutInfo"));
    }
    return helper;
}

std::vector<CreateRefusal> ParseHost(const json& value, const std::string& path) {
    ExpectObject(value, path, {"refuseCreate"});
    std::vector<CreateRefusal> refusals;
    const json* list = Optional(value, "refuseCreate");
    if (!list) return refusals;
    const std::string listPath = Child(path, "refuseCreate");
    Array(*list, listPath);
    for (size_t i = 0; i < list->size(); ++i) {
        const std::string itemPath = Item(listPath, i);
        const json& item = (*list)[i];
        ExpectObject(item, itemPath, {"type", "nth"});
        const std::string typePath = Child(itemPath, "type");
        const std::string& type = String(Required(item, "type", itemPath), typePath);
        CreateRefusal refusal;
        if (type == "textBlock") {
            refusal.tag = kTextBlockTag;
        } else if (type == "textLayout") {
            refusal.tag = kTextLayoutTag;
        } else if (type == "pageText") {
            refusal.tag = kPageTextTag;
        } else {
            throw ScenarioError(typePath, "expected \"textBlock\", \"textLayout\" or \"pageText\"");
        }
        refusal.nth = static_cast<int>(Integer(Required(item, "nth", itemPath), Child(itemPath, "nth"), 1,
                                               std::numeric_limits<int32_t>::max()));
        refusals.push_back(refusal);
    }
    return refusals;
}

// -------------------------------------------------------------- invocations

DialogAction ParseDialogAction(const json& value, const std::string& path) {
    static const char kShapes[] =
        "expected [\"click\", ID], [\"select\", ID, INDEX], [\"type\", ID, TEXT] or [\"spin\", ID, "
        "\"up\"|\"down\"]";
    if (!value.is_array() || value.size() < 2 || !value[0].is_string()) throw ScenarioError(path, kShapes);
    DialogAction action;
    action.path = path;
    const std::string& verb = value[0].get_ref<const std::string&>();
    const size_t arguments = verb == "click" ? 2 : 3;
    if (verb != "click" && verb != "select" && verb != "type" && verb != "spin") {
        throw ScenarioError(Item(path, 0), kShapes);
    }
    if (value.size() != arguments) {
        throw ScenarioError(path, "\"" + verb + "\" takes " + std::to_string(arguments - 1) +
                                      (arguments == 2 ? " value" : " values") + " after it");
    }
    action.control = Int32(value[1], Item(path, 1));
    if (verb == "click") {
        action.kind = DialogAction::Click;
    } else if (verb == "select") {
        action.kind = DialogAction::Select;
        action.index = Int32(value[2], Item(path, 2));
    } else if (verb == "type") {
        action.kind = DialogAction::Type;
        action.text = Latin1(value[2], Item(path, 2));
    } else {
        action.kind = DialogAction::Spin;
        const std::string& arrow = String(value[2], Item(path, 2));
        if (arrow != "up" && arrow != "down")
            throw ScenarioError(Item(path, 2), "expected \"up\" or \"down\"");
        action.up = arrow == "up";
    }
    return action;
}

std::vector<DialogAction> ParseDialogActions(const json& value, const std::string& path) {
    Array(value, path);
    std::vector<DialogAction> actions;
    for (size_t i = 0; i < value.size(); ++i) actions.push_back(ParseDialogAction(value[i], Item(path, i)));
    return actions;
}

UiStep ParseStep(const json& value, const std::string& path) {
    if (!value.is_object()) throw ScenarioError(path, "expected an object");
    UiStep step;
    const bool isDialog = value.contains("dialog");
    const bool isMessageBox = value.contains("messageBox");
    if (isDialog == isMessageBox) {
        throw ScenarioError(path,
                            "expected either {\"dialog\":ID,\"actions\":[...]} or {\"messageBox\":ANSWER}");
    }
    if (isDialog) {
        ExpectObject(value, path, {"dialog", "actions"});
        step.kind = UiStep::Dialog;
        step.dialog = Int32(value["dialog"], Child(path, "dialog"));
        if (const json* actions = Optional(value, "actions")) {
            step.actions = ParseDialogActions(*actions, Child(path, "actions"));
        }
        return step;
    }
    ExpectObject(value, path, {"messageBox"});
    step.kind = UiStep::MessageBox;
    const std::string answerPath = Child(path, "messageBox");
    const std::string& answer = String(value["messageBox"], answerPath);
    static const std::map<std::string, int> answers = {
        {"ok", IDOK}, {"cancel", IDCANCEL}, {"yes", IDYES}, {"no", IDNO}};
    const auto it = answers.find(answer);
    if (it == answers.end())
        throw ScenarioError(answerPath, "expected \"ok\", \"yes\", \"no\" or \"cancel\"");
    step.answer = it->second;
    return step;
}

Invocation ParseInvocation(const json& value, const std::string& path) {
    ExpectObject(value, path, {"name", "ctrl", "shift", "ui"});
    Invocation invocation;
    if (const json* v = Optional(value, "name")) invocation.name = Latin1(*v, Child(path, "name"));
    if (const json* v = Optional(value, "ctrl")) invocation.ctrl = Boolean(*v, Child(path, "ctrl"));
    if (const json* v = Optional(value, "shift")) invocation.shift = Boolean(*v, Child(path, "shift"));
    if (const json* v = Optional(value, "ui")) {
        const std::string uiPath = Child(path, "ui");
        Array(*v, uiPath);
        for (size_t i = 0; i < v->size(); ++i) invocation.ui.push_back(ParseStep((*v)[i], Item(uiPath, i)));
    }
    return invocation;
}

// -------------------------------------------------------------- menu command publisher

constexpr int64_t kMostDocumentWindows = 100;
constexpr int64_t kMostMessagesBefore = 1000;

std::vector<sim::MenuItem> ParseMenuItems(const json& value, const std::string& path) {
    Array(value, path);
    std::vector<sim::MenuItem> items;
    for (size_t i = 0; i < value.size(); ++i) {
        const std::string itemPath = Item(path, i);
        const json& item = value[i];
        ExpectObject(item, itemPath, {"text", "id", "items"});
        sim::MenuItem parsed;
        if (const json* v = Optional(item, "text")) parsed.text = Latin1(*v, Child(itemPath, "text"));
        if (const json* v = Optional(item, "id"))
            parsed.id = static_cast<uint32_t>(Int32(*v, Child(itemPath, "id")));
        if (const json* v = Optional(item, "items")) {
            parsed.opensSubmenu = true;
            parsed.items = ParseMenuItems(*v, Child(itemPath, "items"));
        }
        items.push_back(std::move(parsed));
    }
    return items;
}

std::vector<ExistingBlock> ParseExistingBlocks(const json& value, const std::string& path) {
    Array(value, path);
    std::vector<ExistingBlock> blocks;
    std::map<std::string, size_t> seen;
    for (size_t i = 0; i < value.size(); ++i) {
        const std::string itemPath = Item(path, i);
        const json& item = value[i];
        ExpectObject(item, itemPath, {"name", "hex"});
        ExistingBlock block;
        block.name = Latin1(Required(item, "name", itemPath), Child(itemPath, "name"));
        if (block.name.empty()) throw ScenarioError(Child(itemPath, "name"), "a block's name is not empty");
        block.bytes = Hex(Required(item, "hex", itemPath), Child(itemPath, "hex"));
        if (block.bytes.empty())
            throw ScenarioError(Child(itemPath, "hex"), "a block holds at least one byte");
        const auto [it, fresh] = seen.emplace(block.name, i);
        if (!fresh) throw ScenarioError(itemPath, "same name as " + Item(path, it->second));
        blocks.push_back(std::move(block));
    }
    return blocks;
}

void ParseSystemRefusals(const json& value, const std::string& path, PublisherSetup& setup) {
    Array(value, path);
    const std::map<std::string, bool PublisherSetup::*> refusals = {
        {"windowThread", &PublisherSetup::noWindowThread},
        {"openProcess", &PublisherSetup::refuseOpenProcess},
        {"hook", &PublisherSetup::refuseHook},
        {"mapping", &PublisherSetup::refuseMapping},
        {"view", &PublisherSetup::refuseView},
    };
    for (size_t i = 0; i < value.size(); ++i) {
        const std::string& name = String(value[i], Item(path, i));
        const auto it = refusals.find(name);
        if (it == refusals.end()) {
            throw ScenarioError(
                Item(path, i),
                "expected \"windowThread\", \"openProcess\", \"hook\", \"mapping\" or \"view\"");
        }
        setup.*(it->second) = true;
    }
}

// The top-level keys of the publisher's world.
PublisherSetup ParsePublisherKeys(const json& document) {
    PublisherSetup setup;
    if (const json* v = Optional(document, "menuBar")) setup.menuBar = ParseMenuItems(*v, "menuBar");
    if (const json* v = Optional(document, "documentWindows"))
        setup.documentWindows = static_cast<int>(Integer(*v, "documentWindows", 0, kMostDocumentWindows));
    if (const json* v = Optional(document, "messagesBefore"))
        setup.messagesBefore = static_cast<int>(Integer(*v, "messagesBefore", 0, kMostMessagesBefore));
    if (const json* v = Optional(document, "existingBlocks"))
        setup.existingBlocks = ParseExistingBlocks(*v, "existingBlocks");
    if (const json* v = Optional(document, "systemRefuses")) ParseSystemRefusals(*v, "systemRefuses", setup);
    return setup;
}

}  // namespace

Scenario ParseScenario(const json& document) {
    if (!document.is_object()) throw ScenarioError("", "expected a JSON object at the top level");
    ExpectObject(
        document, "",
        {"description", "versionValue", "registry", "score", "records", "helper", "host", "invocations",
         "terminate", "menuBar", "documentWindows", "messagesBefore", "existingBlocks", "systemRefuses"});
    Scenario scenario;
    if (const json* v = Optional(document, "description")) scenario.description = String(*v, "description");
    if (const json* v = Optional(document, "versionValue")) scenario.versionValue = Int32(*v, "versionValue");
    if (const json* v = Optional(document, "registry")) scenario.registry = ParseRegistry(*v, "registry");
    if (const json* v = Optional(document, "score")) scenario.score = ParseScore(*v, "score");
    if (const json* v = Optional(document, "records")) scenario.records = ParseRecords(*v, "records");
    if (const json* v = Optional(document, "helper")) scenario.helper = ParseHelper(*v, "helper");
    if (const json* v = Optional(document, "host")) scenario.refuseCreate = ParseHost(*v, "host");
    if (const json* v = Optional(document, "invocations")) {
        Array(*v, "invocations");
        for (size_t i = 0; i < v->size(); ++i) {
            scenario.invocations.push_back(ParseInvocation((*v)[i], Item("invocations", i)));
        }
    }
    if (const json* v = Optional(document, "terminate")) scenario.terminate = Boolean(*v, "terminate");
    scenario.publisher = ParsePublisherKeys(document);
    return scenario;
}

}  // namespace scenario

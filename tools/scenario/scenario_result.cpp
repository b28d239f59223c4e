#include "scenario_result.h"

#include <cstring>

#include "engine/divider_records.h"
#include "hex.h"
#include "latin1.h"
#include "settings/divider_settings.h"

namespace scenario {

namespace {

using nlohmann::ordered_json;

// A fixed-size text field up to its first zero byte, or all of it.
std::string FieldText(const char* field, size_t size) {
    return Utf8FromLatin1(std::string(field, strnlen(field, size)));
}

// The int16 at an offset of a record, null when the record is too short.
ordered_json Int16At(const sim::Bytes& bytes, size_t offset) {
    if (bytes.size() < offset + 2) return nullptr;
    const auto bits = static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
    return static_cast<int16_t>(bits);
}

ordered_json OptionalNumber(const std::optional<int32_t>& value) {
    if (!value) return nullptr;
    return *value;
}

ordered_json ActionJson(const DialogAction& action) {
    switch (action.kind) {
        case DialogAction::Click: return ordered_json::array({"click", action.control});
        case DialogAction::Select: return ordered_json::array({"select", action.control, action.index});
        case DialogAction::Type:
            return ordered_json::array({"type", action.control, Utf8FromLatin1(action.text)});
        case DialogAction::Spin:
            return ordered_json::array({"spin", action.control, action.up ? "up" : "down"});
    }
    return nullptr;
}

// The dialog's controls as the user saw them when it opened, by id.
ordered_json OpenedJson(const std::map<int32_t, sim::ControlView>& opened) {
    ordered_json controls = ordered_json::object();
    for (const auto& [id, view] : opened) {
        ordered_json control = ordered_json::object();
        if (view.text) control["text"] = Utf8FromLatin1(*view.text);
        if (view.checked) control["checked"] = *view.checked;
        control["enabled"] = view.enabled;
        if (view.selection) control["selection"] = *view.selection;
        controls[std::to_string(id)] = control;
    }
    return controls;
}

ordered_json UiEventJson(const sim::UiEvent& event, const RunOutcome& outcome) {
    ordered_json item = ordered_json::object();
    if (event.kind == sim::UiEvent::Dialog) {
        item["dialog"] = event.templateId;
        item["parent"] = sim::WindowName(event.parent);
        if (!event.opened.empty()) item["opened"] = OpenedJson(event.opened);
        const auto performed = outcome.dialogActions.find(event.window);
        if (performed != outcome.dialogActions.end() && !performed->second->empty()) {
            ordered_json actions = ordered_json::array();
            const std::vector<DialogAction>& list = *performed->second;
            for (size_t i = 0; i < list.size(); ++i) {
                ordered_json action = ordered_json::object();
                action["action"] = ActionJson(list[i]);
                if (i < event.refused.size() && event.refused[i]) action["refused"] = true;
                actions.push_back(action);
            }
            item["actions"] = actions;
        }
        const auto focus = outcome.focusLeft.find(event.window);
        if (focus != outcome.focusLeft.end()) {
            ordered_json left = ordered_json::object();
            left["control"] = focus->second.control;
            left["allTextSelected"] = focus->second.allTextSelected;
            item["focus"] = left;
        }
    } else {
        ordered_json box = ordered_json::object();
        box["text"] = Utf8FromLatin1(event.text);
        box["caption"] = Utf8FromLatin1(event.caption);
        box["style"] = event.style;
        box["owner"] = sim::WindowName(event.owner);
        item["messageBox"] = box;
    }
    if (event.unscripted) item["unscripted"] = true;
    if (event.leftOpen) item["leftOpen"] = true;
    return item;
}

ordered_json UiJson(size_t begin, size_t end, const RunOutcome& outcome) {
    ordered_json list = ordered_json::array();
    const auto& ui = sim::W().ui;
    for (size_t i = begin; i < end && i < ui.size(); ++i) list.push_back(UiEventJson(ui[i], outcome));
    return list;
}

ordered_json CommandJson(const ExtensionCommandInfo& info) {
    ordered_json command = ordered_json::object();
    command["menuText"] = FieldText(info.menuText, sizeof info.menuText);
    command["description"] = FieldText(info.description, sizeof info.description);
    command["title"] = FieldText(info.title, sizeof info.title);
    return command;
}

ordered_json InvocationsJson(const RunOutcome& outcome) {
    ordered_json list = ordered_json::array();
    for (const InvocationOutcome& invocation : outcome.invocations) {
        ordered_json item = ordered_json::object();
        if (!invocation.name.empty()) item["name"] = Utf8FromLatin1(invocation.name);
        item["result"] = invocation.result;
        item["ui"] = UiJson(invocation.uiBegin, invocation.uiEnd, outcome);
        if (invocation.unusedSteps > 0) item["unusedSteps"] = invocation.unusedSteps;
        list.push_back(item);
    }
    return list;
}

// Dialogs and message boxes shown outside every invocation (at load,
// initialisation or termination); the module is not expected to show any.
ordered_json UiOutsideInvocations(const RunOutcome& outcome) {
    ordered_json list = ordered_json::array();
    const auto& ui = sim::W().ui;
    for (size_t i = 0; i < ui.size(); ++i) {
        bool inside = false;
        for (const InvocationOutcome& invocation : outcome.invocations) {
            inside = inside || (i >= invocation.uiBegin && i < invocation.uiEnd);
        }
        if (!inside) list.push_back(UiEventJson(ui[i], outcome));
    }
    return list;
}

const std::map<sim::Key, sim::Bytes>& RecordsOf(uint32_t tag) {
    static const std::map<sim::Key, sim::Bytes> none;
    const auto& records = sim::W().records;
    const auto it = records.find(tag);
    return it == records.end() ? none : it->second;
}

ordered_json RecordsJson() {
    ordered_json textBlocks = ordered_json::array();
    for (const auto& [key, bytes] : RecordsOf(kTextBlockTag)) {
        ordered_json item = ordered_json::object();
        item["number"] = key.number;
        const std::string raw(bytes.begin(), bytes.end());
        item["text"] = Utf8FromLatin1(raw.substr(0, raw.find('\0')));
        item["size"] = bytes.size();
        textBlocks.push_back(item);
    }
    ordered_json textLayouts = ordered_json::array();
    for (const auto& [key, bytes] : RecordsOf(kTextLayoutTag)) {
        ordered_json item = ordered_json::object();
        item["number"] = key.number;
        item["sub"] = key.sub;
        item["textBlock"] = Int16At(bytes, offsetof(TextLayoutRecord, textBlock));
        item["hex"] = HexFromBytes(bytes);
        textLayouts.push_back(item);
    }
    ordered_json pageTexts = ordered_json::array();
    for (const auto& [key, bytes] : RecordsOf(kPageTextTag)) {
        ordered_json item = ordered_json::object();
        item["page"] = key.number;
        item["sub"] = key.sub;
        item["textLayout"] = Int16At(bytes, offsetof(PageTextRecord, textLayout));
        item["hOffset"] = Int16At(bytes, offsetof(PageTextRecord, hOffset));
        item["vPosition"] = Int16At(bytes, offsetof(PageTextRecord, vPosition));
        item["startPage"] = Int16At(bytes, offsetof(PageTextRecord, startPage));
        item["endPage"] = Int16At(bytes, offsetof(PageTextRecord, endPage));
        item["flags"] = Int16At(bytes, offsetof(PageTextRecord, flags));
        item["hex"] = HexFromBytes(bytes);
        pageTexts.push_back(item);
    }
    ordered_json records = ordered_json::object();
    records["textBlocks"] = textBlocks;
    records["textLayouts"] = textLayouts;
    records["pageTexts"] = pageTexts;
    return records;
}

// A REG_BINARY value as its hex string, any other type with its type.
ordered_json RegistryJson() {
    const sim::RegistryKey* key = sim::FindRegistryKey(kSettingsKey);
    if (!key) return nullptr;
    ordered_json values = ordered_json::object();
    for (const auto& [folded, value] : key->values) {
        const std::string name = Utf8FromLatin1(value.name);
        if (value.type == REG_BINARY) {
            values[name] = HexFromBytes(value.data);
        } else {
            ordered_json typed = ordered_json::object();
            typed["type"] = value.type;
            typed["hex"] = HexFromBytes(value.data);
            values[name] = typed;
        }
    }
    return values;
}

ordered_json CountsJson(const std::map<std::string, int>& counts) {
    ordered_json object = ordered_json::object();
    for (const auto& [name, count] : counts) object[name] = count;
    return object;
}

// ---------------------------------------------------------------- menu command publisher

ordered_json PublishedJson(const RunOutcome& outcome) {
    if (!outcome.published) return nullptr;
    ordered_json published = ordered_json::object();
    published["name"] = Utf8FromLatin1(outcome.published->name);
    published["menuId"] = OptionalNumber(outcome.published->menuId);
    return published;
}

ordered_json OptionalBoolean(const std::optional<bool>& value) {
    if (!value) return nullptr;
    return *value;
}

}  // namespace

ordered_json BuildResult(const RunOutcome& outcome) {
    const sim::World& world = sim::W();
    ordered_json result = ordered_json::object();
    result["versionResult"] = OptionalNumber(outcome.versionResult);
    result["initResult"] = outcome.initResult;
    result["enumerateResult"] = outcome.enumerateResult;
    result["command"] = CommandJson(outcome.command);
    result["invocations"] = InvocationsJson(outcome);
    ordered_json outside = UiOutsideInvocations(outcome);
    if (!outside.empty()) result["uiOutsideInvocations"] = outside;
    result["records"] = RecordsJson();
    result["registry"] = RegistryJson();
    result["terminateResult"] = OptionalNumber(outcome.terminateResult);
    result["published"] = PublishedJson(outcome);
    result["publishedAfterTerminate"] = OptionalBoolean(outcome.publishedAfterTerminate);
    result["hostCalls"] = CountsJson(world.hostCalls);
    result["helperCalls"] = CountsJson(world.helperCalls);
    if (!world.violations.empty()) {
        ordered_json violations = ordered_json::array();
        for (const std::string& violation : world.violations) violations.push_back(Utf8FromLatin1(violation));
        result["violations"] = violations;
    }
    return result;
}

}  // namespace scenario

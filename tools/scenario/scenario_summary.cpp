#include "scenario_summary.h"

#include <cstring>
#include <iomanip>
#include <map>
#include <set>
#include <sstream>

#include "dialogs/confirm_dialog.h"
#include "dialogs/options_dialog.h"
#include "hex.h"
#include "latin1.h"
#include "settings/divider_settings.h"

namespace scenario {

namespace {

using nlohmann::ordered_json;

std::string DialogName(int64_t id) {
    if (id == kOptionsDialogId) return "options dialog";
    if (id == kConfirmDialogId) return "final-layout confirmation";
    return "dialog";
}

std::string Hex32(int64_t value) {
    std::ostringstream out;
    out << "0x" << std::hex << std::setw(8) << std::setfill('0')
        << (static_cast<uint64_t>(value) & 0xFFFFFFFFu);
    return out.str();
}

// A multi-line text, each further non-empty line indented under the first.
std::string Indented(const std::string& text, const std::string& indent) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        out.push_back(text[i]);
        if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] != '\n') out += indent;
    }
    return out;
}

// The button a user's closing of the dialog presses.
std::string ClosingButton(int64_t id) {
    const int32_t command = sim::ClosingCommand(static_cast<int32_t>(id));
    if (command == IDCANCEL) return "Cancel";
    if (command == IDNO) return "No";
    return "command " + std::to_string(command);
}

void SummarizeScore(const Scenario& scenario, std::ostream& out) {
    const auto& pages = scenario.score.pages;
    size_t systems = 0;
    for (const auto& page : pages) systems += page.systems.size();
    out << "Score: " << pages.size() << (pages.size() == 1 ? " page, " : " pages, ") << systems
        << (systems == 1 ? " system" : " systems");
    if (scenario.score.partMode) out << ", part mode " << *scenario.score.partMode;
    out << "\n";
    size_t first = 1;
    for (size_t p = 0; p < pages.size(); ++p) {
        const size_t count = pages[p].systems.size();
        out << "  page " << p + 1 << ": ";
        if (count == 0) {
            out << "no system\n";
            continue;
        }
        out << (count == 1 ? "system " : "systems ") << first;
        if (count > 1) out << "-" << first + count - 1;
        out << "\n";
        first += count;
    }
}

// A control as the user knows it: its caption without the & of its
// shortcut, or its id.
std::string ControlName(int64_t dialog, int64_t id) {
    const sim::DialogTemplate* found = sim::FindDialogTemplate(static_cast<int32_t>(dialog));
    if (found != nullptr) {
        for (const sim::ControlTemplate& control : found->controls) {
            if (control.id != id) continue;
            if (control.text.empty()) {
                static const std::map<std::string, std::string> kinds = {{"LISTBOX", "list "},
                                                                         {"EDIT", "field "},
                                                                         {"COMBOBOX", "combo box "},
                                                                         {"msctls_updown32", "up-down "}};
                const auto kind = kinds.find(control.className);
                return (kind == kinds.end() ? "control " : kind->second) + std::to_string(id);
            }
            std::string caption;
            for (char c : control.text) {
                if (c != '&') caption += c;
            }
            return "\"" + Utf8FromLatin1(caption) + "\" (" + std::to_string(id) + ")";
        }
    }
    return "control " + std::to_string(id);
}

void SummarizeActions(int64_t dialog, const ordered_json& actions, std::ostream& out) {
    for (const auto& item : actions) {
        const ordered_json& action = item["action"];
        const std::string verb = action[0].get<std::string>();
        const int64_t id = action[1].get<int64_t>();
        out << "      the user ";
        if (verb == "click") {
            out << "clicks " << ControlName(dialog, id);
        } else if (verb == "select") {
            out << "selects entry " << action[2].get<int64_t>() << " of " << ControlName(dialog, id);
        } else if (verb == "type") {
            out << "types \"" << action[2].get<std::string>() << "\" into " << ControlName(dialog, id);
        } else {
            out << "clicks the " << action[2].get<std::string>() << " arrow of " << ControlName(dialog, id);
        }
        if (item.value("refused", false)) out << ", but cannot: it is disabled or the dialog is closed";
        out << "\n";
    }
}

void SummarizeUi(const ordered_json& ui, std::ostream& out) {
    if (ui.empty()) out << "    the user saw nothing\n";
    for (const auto& event : ui) {
        const bool unscripted = event.value("unscripted", false);
        if (event.contains("dialog")) {
            const int64_t id = event["dialog"].get<int64_t>();
            out << "    " << DialogName(id) << " (" << id << ")";
            if (unscripted) {
                out << ", not foreseen: closed as a user would (" << ClosingButton(id) << ")";
            } else if (event.value("leftOpen", false)) {
                out << ", left open: closed as a user would (" << ClosingButton(id) << ")";
            }
            out << "\n";
            if (event.contains("actions")) SummarizeActions(id, event["actions"], out);
        } else {
            const auto& box = event["messageBox"];
            const std::string caption = box["caption"].get<std::string>();
            out << "    message box \"" << caption << "\" (style " << Hex32(box["style"].get<int64_t>())
                << ")";
            if (unscripted) out << ", not foreseen: closed as a user would";
            out << ":\n      " << Indented(box["text"].get<std::string>(), "      ") << "\n";
        }
    }
}

void SummarizeInvocations(const Scenario& scenario, const ordered_json& result, std::ostream& out) {
    const auto& invocations = result["invocations"];
    if (invocations.empty()) out << "The command was not invoked.\n";
    for (size_t i = 0; i < invocations.size(); ++i) {
        const Invocation& invocation = scenario.invocations[i];
        out << "Invocation " << i + 1;
        if (invocation.ctrl && invocation.shift) {
            out << " with Ctrl+Shift held";
        } else if (invocation.ctrl) {
            out << " with Ctrl held";
        } else if (invocation.shift) {
            out << " with Shift held";
        }
        if (!invocation.name.empty()) out << " (" << Utf8FromLatin1(invocation.name) << ")";
        out << ": result " << invocations[i]["result"].get<int64_t>() << "\n";
        SummarizeUi(invocations[i]["ui"], out);
        if (invocations[i].contains("unusedSteps")) {
            out << "    " << invocations[i]["unusedSteps"].get<int64_t>() << " scripted step(s) never came\n";
        }
    }
}

// The font size a page text's divider shows: the ^size(N) of the text block
// its layout lays out, or "" when the chain does not lead to one.
std::string DividerSize(const ordered_json& records, const ordered_json& pageText) {
    int64_t block = -1;
    for (const auto& layout : records["textLayouts"]) {
        if (layout["number"] == pageText["textLayout"]) block = layout["textBlock"].get<int64_t>();
    }
    for (const auto& text : records["textBlocks"]) {
        if (text["number"].get<int64_t>() != block) continue;
        const std::string body = text["text"].get<std::string>();
        const size_t at = body.find("^size(");
        if (at == std::string::npos) return "";
        const size_t end = body.find(')', at);
        if (end == std::string::npos) return "";
        return "size " + body.substr(at + 6, end - at - 6) + " ";
    }
    return "";
}

void SummarizeDividers(const Scenario& scenario, const ordered_json& result, std::ostream& out) {
    std::set<std::pair<int64_t, int64_t>> before;
    for (const RecordSetup& record : scenario.records) {
        if (record.kind == RecordSetup::PageText) before.insert({record.pageText.page, record.pageText.sub});
    }
    std::map<int64_t, std::vector<const ordered_json*>> created;
    for (const auto& pageText : result["records"]["pageTexts"]) {
        const int64_t page = pageText["page"].get<int64_t>();
        if (!before.count({page, pageText["sub"].get<int64_t>()})) created[page].push_back(&pageText);
    }
    if (created.empty()) {
        out << "Dividers placed and still in the document: none\n";
        return;
    }
    out << "Dividers placed and still in the document (positions in EVPU):\n";
    for (const auto& [page, list] : created) {
        out << "  page " << page << ":";
        const char* separator = " ";
        for (const ordered_json* divider : list) {
            out << separator << DividerSize(result["records"], *divider) << "v "
                << (*divider)["vPosition"].dump() << " h " << (*divider)["hOffset"].dump();
            const ordered_json& flags = (*divider)["flags"];
            if (flags.is_number() && flags.get<int64_t>() != 0)
                out << " (flags " << flags.get<int64_t>() << ")";
            separator = ", ";
        }
        out << "\n";
    }
}

std::string DescribeValue(const std::string& name, const sim::Bytes& data) {
    std::ostringstream out;
    if (name == "ShowWarning" && data.size() == 2) {
        out << static_cast<int16_t>(data[0] | (data[1] << 8));
    } else if (name == "UserDialog" && data.size() == sizeof(DividerSettings)) {
        DividerSettings settings;
        std::memcpy(&settings, data.data(), sizeof settings);
        out << "pages " << settings.firstPage << "-" << settings.lastPage << ", H " << settings.hAdjust
            << ", V " << settings.vAdjust << ", size " << settings.fontSize << ", vMethod "
            << settings.vMethod << ", rangeMode " << settings.rangeMode << ", autoAdjustV "
            << settings.autoAdjustV << ", marginOrigin " << settings.marginOrigin << ", accepted "
            << settings.dialogAccepted << ", saveOnExit " << settings.saveOnExit << ", pageCount "
            << settings.pageCount;
    } else {
        out << data.size() << " bytes";
    }
    return out.str();
}

void SummarizeRegistry(const Scenario& scenario, const ordered_json& result, std::ostream& out) {
    std::map<std::string, ordered_json> before;  // UTF-8 name -> value as the result shows it
    if (scenario.registry) {
        for (const RegistryValue& value : *scenario.registry) {
            ordered_json shown = HexFromBytes(value.data);
            if (value.type != REG_BINARY)
                shown = ordered_json{{"type", value.type}, {"hex", HexFromBytes(value.data)}};
            before[Utf8FromLatin1(value.name)] = shown;
        }
    }
    const auto& registry = result["registry"];
    out << "Registry " << kSettingsKey << ":";
    if (registry.is_null()) {
        out << " no key\n";
        return;
    }
    if (registry.empty()) out << " no value";
    out << "\n";
    for (const auto& [name, value] : registry.items()) {
        const std::string hex =
            value.is_string() ? value.get<std::string>() : value["hex"].get<std::string>();
        const auto bytes = BytesFromHex(hex).value_or(sim::Bytes{});
        out << "  " << name << " = " << DescribeValue(name, bytes);
        const auto it = before.find(name);
        if (!value.is_string()) out << " (type " << value["type"].get<int64_t>() << ")";
        if (it == before.end()) {
            out << "  (new)";
        } else if (it->second != value) {
            out << "  (changed)";
        } else {
            out << "  (same as before the run)";
        }
        out << "\n";
    }
}

// ---------------------------------------------------------------- menu command publisher

void SummarizePublished(const ordered_json& result, std::ostream& out) {
    const auto& published = result["published"];
    if (published.is_null()) {
        out << "Published block: none\n";
        return;
    }
    out << "Published block \"" << published["name"].get<std::string>() << "\": menu id "
        << published["menuId"].dump();
    const auto& after = result["publishedAfterTerminate"];
    if (after.is_boolean())
        out << (after.get<bool>() ? ", still there after termination" : ", gone after termination");
    out << "\n";
}

}  // namespace

std::string Summarize(const std::string& fileName, const Scenario& scenario, const ordered_json& result) {
    std::ostringstream out;
    out << "Scenario " << fileName << "\n";
    if (!scenario.description.empty()) out << "  " << scenario.description << "\n";
    SummarizeScore(scenario, out);
    if (!result["versionResult"].is_null()) {
        out << "FinaleExtensionVersion(" << *scenario.versionValue << ") answered "
            << Hex32(result["versionResult"].get<int64_t>()) << "\n";
    }
    out << "FinaleExtensionInit answered " << result["initResult"].get<int64_t>() << "; the command ("
        << result["enumerateResult"].get<int64_t>() << ") is \""
        << result["command"]["menuText"].get<std::string>() << "\"\n";
    SummarizeInvocations(scenario, result, out);
    SummarizeDividers(scenario, result, out);
    if (result["terminateResult"].is_null()) {
        out << "Not terminated.\n";
    } else {
        out << "FinaleExtensionTerminate answered " << result["terminateResult"].get<int64_t>() << "\n";
    }
    SummarizeRegistry(scenario, result, out);
    SummarizePublished(result, out);
    if (result.contains("violations")) {
        out << "Breaches recorded by the simulation:\n";
        for (const auto& violation : result["violations"])
            out << "  " << violation.get<std::string>() << "\n";
    }
    return out.str();
}

}  // namespace scenario

#include "scenario_driver.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "dialog_actions.h"
#include "engine/divider_records.h"
#include "platform/wrap.h"
#include "settings/divider_settings.h"

namespace scenario {

namespace {

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return text;
}

void SetUpRegistry(const Scenario& scenario) {
    if (!scenario.registry) return;
    // The key exists even when it holds no value.
    sim::RegistryKey& key = sim::W().registry[LowerCase(kSettingsKey)];
    key.path = kSettingsKey;
    for (const RegistryValue& value : *scenario.registry) {
        sim::PutRegistryValue(kSettingsKey, value.name, value.type, value.data);
    }
}

void SetUpScore(const ScoreSetup& score) {
    sim::SetScore(score.pages);
    if (score.unit) sim::SetUnit(*score.unit);
    if (score.partMode) sim::SetPartMode(*score.partMode);
    if (score.hostVersion) sim::W().helper.hostVersion = *score.hostVersion;
}

void WriteInt16(sim::Bytes& bytes, size_t offset, int16_t value) {
    const auto bits = static_cast<uint16_t>(value);
    bytes.at(offset) = static_cast<uint8_t>(bits & 0xFF);
    bytes.at(offset + 1) = static_cast<uint8_t>(bits >> 8);
}

void PutPageText(const PageTextSetup& pageText) {
    const sim::Key key{pageText.page, pageText.sub};
    sim::PutPageText(key, pageText.textLayout);
    if (!pageText.hOffset && !pageText.vPosition && !pageText.flags) return;
    sim::Bytes bytes = sim::GetRecord(kPageTextTag, key).value();
    if (pageText.hOffset) WriteInt16(bytes, offsetof(PageTextRecord, hOffset), *pageText.hOffset);
    if (pageText.vPosition) WriteInt16(bytes, offsetof(PageTextRecord, vPosition), *pageText.vPosition);
    if (pageText.flags) WriteInt16(bytes, offsetof(PageTextRecord, flags), *pageText.flags);
    sim::PutRecord(kPageTextTag, key, bytes);
}

void SetUpRecords(const std::vector<RecordSetup>& records) {
    for (const RecordSetup& record : records) {
        switch (record.kind) {
            case RecordSetup::TextBlock:
                sim::PutTextBlock(record.textBlock.number, record.textBlock.text);
                break;
            case RecordSetup::TextLayout:
                sim::PutTextLayout({record.textLayout.number, record.textLayout.sub},
                                   record.textLayout.textBlock);
                break;
            case RecordSetup::PageText: PutPageText(record.pageText); break;
        }
    }
}

void SetUpHelper(const HelperSetup& setup) {
    sim::HelperModel& helper = sim::W().helper;
    if (setup.present) helper.present = *setup.present;
    if (setup.initByFinale) helper.initByFinale = *setup.initByFinale;
    if (setup.version) helper.version = *setup.version;
    if (setup.handshake) helper.handshake = *setup.handshake;
    helper.missing = setup.missing;
    helper.failSystemRangeOnPage = setup.failSystemRangeOnPage;
    helper.failLayoutInfo = setup.failLayoutInfo;
}

void SetUpWorld(const Scenario& scenario) {
    sim::Reset();
    SetUpRegistry(scenario);
    SetUpScore(scenario.score);
    SetUpRecords(scenario.records);
    SetUpHelper(scenario.helper);
    for (const CreateRefusal& refusal : scenario.refuseCreate) {
        sim::W().refuseCreate.insert({refusal.tag, refusal.nth});
    }
    SetUpPublisher(scenario.publisher);
}

// Hands the invocation's steps, in order, to the dialogs and message boxes
// as they appear. Whatever the steps do not foresee is closed as a user
// would and marked unscripted.
class StepScript {
  public:
    StepScript(const std::vector<UiStep>& steps, RunOutcome& run) : steps_(steps), run_(run) {}

    void Install() {
        sim::World& world = sim::W();
        world.answerMessageBox = [this](sim::UiEvent& box) { return AnswerMessageBox(box); };
        world.driveDialog = [this](sim::UiEvent& dialog) { DriveDialog(dialog); };
    }

    static void Uninstall() {
        sim::W().answerMessageBox = nullptr;
        sim::W().driveDialog = nullptr;
    }

    size_t Unused() const { return steps_.size() - next_; }

  private:
    const UiStep* Next(UiStep::Kind kind) const {
        if (next_ >= steps_.size() || steps_[next_].kind != kind) return nullptr;
        return &steps_[next_];
    }

    int AnswerMessageBox(sim::UiEvent& box) {
        const UiStep* step = Next(UiStep::MessageBox);
        if (!step) {
            box.unscripted = true;
            return sim::ClosingAnswer(box.style);
        }
        ++next_;
        return step->answer;
    }

    void DriveDialog(sim::UiEvent& dialog) {
        const UiStep* step = Next(UiStep::Dialog);
        if (!step || step->dialog != dialog.templateId) {
            dialog.unscripted = true;
            return;
        }
        ++next_;
        run_.dialogActions[dialog.window] = &step->actions;
        std::optional<ActionProblem> problem = PerformDialogActions(step->actions, dialog);
        if (problem && !run_.actionProblem) run_.actionProblem = problem;
        const sim::DialogWindow* window = sim::FindDialog(dialog.window);
        if (window != nullptr && window->open) {
            RunOutcome::FocusLeft& focus = run_.focusLeft[dialog.window];
            focus.control = window->focus;
            const sim::Control* control = sim::FindControl(dialog.window, window->focus);
            focus.allTextSelected =
                control != nullptr && control->kind == sim::Control::Edit && control->AllTextSelected();
        }
    }

    const std::vector<UiStep>& steps_;
    RunOutcome& run_;
    size_t next_ = 0;
};

InvocationOutcome Invoke(const Invocation& invocation, RunOutcome& run) {
    sim::World& world = sim::W();
    world.ctrlDown = invocation.ctrl;
    world.shiftDown = invocation.shift;
    StepScript script(invocation.ui, run);
    script.Install();
    InvocationOutcome outcome;
    outcome.name = invocation.name;
    outcome.uiBegin = world.ui.size();
    outcome.result = Low16(FinaleExtensionInvoke(world.ownerWindow, 0, 0, 0));
    outcome.uiEnd = world.ui.size();
    outcome.unusedSteps = script.Unused();
    StepScript::Uninstall();
    return outcome;
}

}  // namespace

RunOutcome RunScenario(const Scenario& scenario) {
    SetUpWorld(scenario);
    sim::World& world = sim::W();
    RunOutcome outcome;

    DllMain(sim::ModuleInstance(), DLL_PROCESS_ATTACH, nullptr);
    if (scenario.versionValue) outcome.versionResult = FinaleExtensionVersion(*scenario.versionValue);
    outcome.initResult = Low16(FinaleExtensionInit(world.hostWindow, 0));
    std::memset(&outcome.command, 0, sizeof outcome.command);
    outcome.enumerateResult = Low16(FinaleExtensionEnumerate(0, 0, &outcome.command));
    SendHostMessages(scenario.publisher);
    for (const Invocation& invocation : scenario.invocations) {
        outcome.invocations.push_back(Invoke(invocation, outcome));
    }
    outcome.published = ReadPublishedBlock(scenario.versionValue);
    if (scenario.terminate) outcome.terminateResult = FinaleExtensionTerminate(0);
    if (scenario.terminate)
        outcome.publishedAfterTerminate = ReadPublishedBlock(scenario.versionValue).has_value();
    DllMain(sim::ModuleInstance(), DLL_PROCESS_DETACH, nullptr);
    return outcome;
}

}  // namespace scenario

// The entry points the host calls and the order of work in one run of the
// command, as far as the options dialog lets a run go for now.
#include "shell/command_flow.h"

#include <climits>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/divider_records.h"
#include "helperlib/helper_binding.h"
#include "platform/host_services.h"
#include "publisher/publisher_state.h"
#include "settings/divider_settings.h"
#include "shell/entry_points.h"
#include "shell/module_state.h"
#include "sim_fixture.h"

namespace {

const char kExpectedMenuText[] = "Kelmoor &Stavenor [v 1.07]...";
const char kRecordAtLoad[] = "0100 0100 0000 0000 0e00 0000 0000 01000000 0000 00000000 00000000 0100";
// Pages 3 to 7, H 30, V -10, size 12, boundaries, selected pages, no auto
// V, odd pages; dialogAccepted 1, saveOnExit 1, pageCount 5.
const char kStoredRecord[] = "0300 0700 1e00 f6ff 0c00 0100 0100 00000000 0200 01000000 01000000 0500";
const char kStoredRecordAfterInit[] =
    "0300 0700 1e00 f6ff 0c00 0100 0100 00000000 0200 01000000 00000000 0500";

const char kExtractedPartText[] =
    "Your music is marked as an extracted part. The Stavenor plug-in only supports scores. "
    "Turn off special part extraction and try again.";
const char kHelperNotFound[] =
    "The Tamber Plug-in (Tamber2000.fxt) could not be found.\n\n"
    "If you don't have this file, you should be able to\n"
    "download it from the same location as where you got\n"
    "this plug-in.";

constexpr int32_t kOptionsDialog = 20128;
constexpr int32_t kConfirmDialog = 20129;

std::string PaddedHex(const std::string& text) {
    std::string field = text;
    field.resize(64, '\0');
    return Hex(field.data(), field.size());
}

// The command record's 196 bytes as Enumerate writes them.
std::string FilledCommandInfoHex() {
    return PaddedHex(kExpectedMenuText) + PaddedHex("Placing breaks between systems") +
           PaddedHex("Stavenor") + "00000000";
}

std::string StoredHex(const char* name) {
    const sim::RegValue* value = StoredValue(name);
    return value == nullptr ? "(absent)" : Hex(value->data);
}

void StoreShowWarning(int16_t flag) {
    sim::PutRegistryValue(
        kKey, "ShowWarning", REG_BINARY,
        sim::Bytes{static_cast<uint8_t>(flag & 0xFF), static_cast<uint8_t>((flag >> 8) & 0xFF)});
}

bool TemplatesPrepared() {
    return std::string(plainDividerTemplate) == "^font(EngraverFontSet)^size(%d)^efx(plain)\xBB" &&
           std::string(numberedDividerTemplate) == "^font(EngraverFontSet,8194)^size(%d)^efx(plain)\xBB";
}

size_t IndexInLog(const std::string& call) {
    const std::vector<std::string>& log = sim::W().callLog;
    for (size_t i = 0; i < log.size(); ++i) {
        if (log[i] == call) return i;
    }
    ADD_FAILURE() << call << " not in the call log:" << Joined(log);
    return log.size();
}

}  // namespace

class CommandFlowTest : public SimTest {
  protected:
    int32_t Init() { return FinaleExtensionInit(sim::W().hostWindow, 0); }
    int32_t Invoke() { return FinaleExtensionInvoke(sim::W().ownerWindow, 0, 0, 0); }
    int32_t Terminate() { return FinaleExtensionTerminate(0); }
};

TEST_F(CommandFlowTest, VersionAnswersTheInterfaceVersionWhateverItIsGiven) {
    const int32_t values[] = {0, 1, -1, 2000, 0x05000005, INT_MIN, INT_MAX};
    for (int32_t value : values) {
        SCOPED_TRACE(value);
        EXPECT_EQ(FinaleExtensionVersion(value), 0x05000005);
    }
}

TEST_F(CommandFlowTest, InitStartsThePublisherWithTheLastVersionValue) {
    EXPECT_EQ(DllMain(sim::ModuleInstance(), DLL_PROCESS_ATTACH, nullptr), TRUE);
    FinaleExtensionVersion(1234);
    FinaleExtensionVersion(5678);
    EXPECT_EQ(Low16Bits(Init()), 1);

    EXPECT_EQ(publisherVersionValue, 5678);
    EXPECT_EQ(publisherModule, sim::ModuleInstance());
    EXPECT_EQ(publisherHostWindow, sim::W().hostWindow);
    ASSERT_NE(publisherMenuText, nullptr);
    EXPECT_EQ(std::string(publisherMenuText), kExpectedMenuText);
    ASSERT_NE(publisherProgramName, nullptr);
    EXPECT_EQ(std::string(publisherProgramName), "stavenor");

    // Only the value at initialisation reaches the publisher.
    FinaleExtensionVersion(9);
    EXPECT_EQ(publisherVersionValue, 5678);
}

TEST_F(CommandFlowTest, PublisherGetsZeroWithoutAVersionCall) {
    publisherVersionValue = 0x7777;
    EXPECT_EQ(Low16Bits(Init()), 1);
    EXPECT_EQ(publisherVersionValue, 0);
}

TEST_F(CommandFlowTest, DllMainKeepsTheInstanceOfEveryCall) {
    const DWORD reasons[] = {DLL_PROCESS_ATTACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH, DLL_PROCESS_DETACH};
    uintptr_t handle = 0x4000;
    for (DWORD reason : reasons) {
        SCOPED_TRACE(reason);
        const HINSTANCE instance = reinterpret_cast<HINSTANCE>(handle += 0x1000);
        EXPECT_EQ(DllMain(instance, reason, nullptr), TRUE);
        EXPECT_EQ(moduleInstance, instance);
    }
}

TEST_F(CommandFlowTest, EnumerateOffersOneCommand) {
    struct Case {
        const char* name;
        int32_t index;
        int16_t result;
    };
    const Case cases[] = {
        {"index 0", 0, 1},
        {"index 1", 1, 0},
        {"index 2", 2, 0},
        {"index -1", -1, 1},
        {"index -32768", -32768, 1},
        {"index 32767", 32767, 0},
        {"0x10000 is index 0 in 16 bits", 0x10000, 1},
        {"0x10001 is index 1 in 16 bits", 0x10001, 0},
        {"0xFFFF is index -1 in 16 bits", 0xFFFF, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExtensionCommandInfo info;
        std::memset(&info, 0xEE, sizeof info);
        EXPECT_EQ(Low16Bits(FinaleExtensionEnumerate(0, c.index, &info)), c.result);
        const std::string expected = c.result != 0 ? FilledCommandInfoHex() : std::string(196 * 2, 'e');
        EXPECT_EQ(Hex(&info, sizeof info), expected);
    }
}

TEST_F(CommandFlowTest, MenuStatusIsAlwaysOne) {
    const int32_t arguments[] = {0, 1, -1, 0x12345};
    for (int32_t argument : arguments) {
        SCOPED_TRACE(argument);
        EXPECT_EQ(Low16Bits(FinaleExtensionGetMenuStatus(argument)), 1);
    }
}

TEST_F(CommandFlowTest, InitWithoutAKeyKeepsTheValuesAtLoadAndCreatesNothing) {
    EXPECT_EQ(Low16Bits(Init()), 1);
    EXPECT_EQ(showWarning, 1);
    EXPECT_EQ(Hex(&dividerSettings, sizeof dividerSettings), Squeezed(kRecordAtLoad));
    EXPECT_TRUE(sim::W().registry.empty());
    EXPECT_EQ(sim::W().openKeys, 0);
}

TEST_F(CommandFlowTest, InitClearsAStoredSaveOnExit) {
    StoreShowWarning(0);
    sim::PutRegistryValue(kKey, "UserDialog", REG_BINARY, FromHex(kStoredRecord));

    EXPECT_EQ(Low16Bits(Init()), 1);
    EXPECT_EQ(showWarning, 0);
    EXPECT_EQ(Hex(&dividerSettings, sizeof dividerSettings), Squeezed(kStoredRecordAfterInit));

    // No placement started, so only the flag is written back.
    EXPECT_EQ(Terminate(), ERROR_SUCCESS);
    EXPECT_EQ(StoredHex("UserDialog"), Squeezed(kStoredRecord));
    EXPECT_EQ(StoredHex("ShowWarning"), "0000");
    EXPECT_EQ(sim::W().openKeys, 0);
}

TEST_F(CommandFlowTest, TerminateWithoutPlacementWritesOnlyShowWarning) {
    Init();
    EXPECT_EQ(Invoke(), 1);  // confirmation closed with No
    EXPECT_TRUE(sim::W().registry.empty()) << "nothing is written before termination";

    EXPECT_EQ(Terminate(), ERROR_SUCCESS);
    const sim::RegistryKey* key = sim::FindRegistryKey(kKey);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->values.size(), 1u);
    EXPECT_EQ(StoredHex("ShowWarning"), "0100");
    EXPECT_EQ(StoredValue("ShowWarning")->type, static_cast<uint32_t>(REG_BINARY));
}

TEST_F(CommandFlowTest, TerminateWritesTheSettingsOnceAPlacementStarted) {
    Init();
    // What the run sets before it places.
    dividerSettings.saveOnExit = 1;
    dividerSettings.fontSize = 24;

    EXPECT_EQ(Terminate(), ERROR_SUCCESS);
    EXPECT_EQ(StoredHex("UserDialog"), Hex(&dividerSettings, sizeof dividerSettings));
    EXPECT_EQ(StoredHex("ShowWarning"), "0100");
    EXPECT_EQ(sim::W().openKeys, 0);
}

TEST_F(CommandFlowTest, TerminateReturnsTheStatusOfTheShowWarningWrite) {
    Init();
    dividerSettings.saveOnExit = 1;
    sim::W().createKeyError = ERROR_ACCESS_DENIED;
    EXPECT_EQ(Terminate(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(sim::W().registry.empty());
    EXPECT_TRUE(sim::W().ui.empty()) << "no failure is shown";
}

TEST_F(CommandFlowTest, MissingHelperShowsItsMessageAtEveryInvocation) {
    Init();
    sim::W().helper.present = false;
    EXPECT_EQ(Low16Bits(Invoke()), 0);
    EXPECT_EQ(Low16Bits(Invoke()), 0);

    const std::vector<sim::UiEvent> boxes = MessageBoxes();
    ASSERT_EQ(sim::W().ui.size(), 2u);
    ASSERT_EQ(boxes.size(), 2u);
    for (const sim::UiEvent& box : boxes) {
        EXPECT_EQ(box.text, kHelperNotFound);
        EXPECT_EQ(box.caption, "Tamber Load Error");
    }
    EXPECT_FALSE(TemplatesPrepared()) << "nothing after the handshake runs";
    EXPECT_TRUE(sim::W().keyStateQueries.empty());
    EXPECT_EQ(Count(sim::W().hostCalls, "HostLoadRecord"), 0);

    // A later invocation that finds the helper binds and goes on.
    sim::W().helper.present = true;
    EXPECT_EQ(Low16Bits(Invoke()), 1);
    EXPECT_EQ(DialogsShown(), std::vector<int32_t>{kConfirmDialog});
}

TEST_F(CommandFlowTest, RefusedHandshakeEndsTheRunSilently) {
    Init();
    sim::W().helper.handshake = 0;
    EXPECT_EQ(Low16Bits(Invoke()), 0);
    EXPECT_EQ(Low16Bits(Invoke()), 0);

    EXPECT_TRUE(sim::W().ui.empty());
    EXPECT_FALSE(TemplatesPrepared());
    EXPECT_EQ(Count(sim::W().hostCalls, "HostLoadRecord"), 0);
    EXPECT_EQ(sim::W().helper.handshakeArgs, (std::vector<std::pair<int32_t, int32_t>>{{2, 10}, {2, 10}}));
    EXPECT_EQ(Count(sim::W().helperCalls, "pTAMBER_InitByFinale"), 1) << "bound by the first invocation only";
}

TEST_F(CommandFlowTest, ExtractedPartIsRefusedEvenWithCtrlShift) {
    StoreShowWarning(0);
    sim::SetPartMode(-8);
    Init();
    sim::W().ctrlDown = true;
    sim::W().shiftDown = true;

    EXPECT_EQ(Low16Bits(Invoke()), 0);

    const std::vector<sim::UiEvent> boxes = MessageBoxes();
    ASSERT_EQ(sim::W().ui.size(), 1u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, sim::W().ownerWindow);
    EXPECT_EQ(boxes[0].text, kExtractedPartText);
    EXPECT_EQ(boxes[0].caption, "Extracted Part");
    EXPECT_EQ(boxes[0].style, static_cast<uint32_t>(MB_ICONERROR));
    EXPECT_EQ(showWarning, 0);
    EXPECT_TRUE(sim::W().keyStateQueries.empty()) << "the keys are asked after the part check";
    EXPECT_TRUE(TemplatesPrepared()) << "the templates are made before any refusal";
    EXPECT_LT(IndexInLog("pTAMBER_HandShake(2,10)"), IndexInLog("HostLoadRecord(0x6f743233)"));

    EXPECT_EQ(Terminate(), ERROR_SUCCESS);
    EXPECT_EQ(StoredHex("ShowWarning"), "0000");
}

TEST_F(CommandFlowTest, CtrlShiftBringsBackTheConfirmation) {
    StoreShowWarning(0);
    Init();
    sim::W().ctrlDown = true;
    sim::W().shiftDown = true;

    EXPECT_EQ(Low16Bits(Invoke()), 1);  // the confirmation is closed with No

    EXPECT_EQ(DialogsShown(), std::vector<int32_t>{kConfirmDialog});
    EXPECT_EQ(sim::W().ui[0].parent, sim::W().ownerWindow);
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_EQ(showWarning, 1);
    EXPECT_EQ(sim::W().keyStateQueries, (std::vector<int>{VK_CONTROL, VK_SHIFT}));
    EXPECT_EQ(sim::W().prePlacements, 0);
    EXPECT_EQ(StoredHex("ShowWarning"), "0000") << "nothing is written before termination";

    EXPECT_EQ(Terminate(), ERROR_SUCCESS);
    EXPECT_EQ(StoredHex("ShowWarning"), "0100");
    EXPECT_EQ(StoredValue("UserDialog"), nullptr);
}

TEST_F(CommandFlowTest, WithTheWarningOffTheOptionsDialogComesFirst) {
    StoreShowWarning(0);
    Init();

    EXPECT_EQ(Low16Bits(Invoke()), 1);  // the options dialog is closed without acceptance

    EXPECT_EQ(DialogsShown(), std::vector<int32_t>{kOptionsDialog});
    EXPECT_EQ(sim::W().ui[0].parent, sim::W().ownerWindow);
    EXPECT_EQ(sim::W().keyStateQueries, std::vector<int>{VK_CONTROL});
    EXPECT_EQ(showWarning, 0);
    EXPECT_EQ(FieldValue(dividerSettings.saveOnExit), 0);
    EXPECT_EQ(sim::W().prePlacements, 0);

    EXPECT_EQ(Terminate(), ERROR_SUCCESS);
    EXPECT_EQ(StoredHex("ShowWarning"), "0000");
    EXPECT_EQ(StoredValue("UserDialog"), nullptr);
}

TEST_F(CommandFlowTest, ConfirmationNoEndsTheRun) {
    Init();
    EXPECT_EQ(Low16Bits(Invoke()), 1);
    EXPECT_EQ(DialogsShown(), std::vector<int32_t>{kConfirmDialog});
    EXPECT_EQ(showWarning, 1);
    EXPECT_EQ(sim::W().prePlacements, 0);
}

TEST_F(CommandFlowTest, ConfirmationYesLeadsToTheOptionsDialog) {
    Init();
    sim::W().driveDialog = [](sim::UiEvent& dialog) {
        if (dialog.templateId == kConfirmDialog) sim::SendCommand(dialog.window, IDYES);
    };

    EXPECT_EQ(Low16Bits(Invoke()), 1);

    EXPECT_EQ(DialogsShown(), (std::vector<int32_t>{kConfirmDialog, kOptionsDialog}));
    EXPECT_EQ(showWarning, 1) << "the box was not ticked";
    EXPECT_EQ(FieldValue(dividerSettings.saveOnExit), 0);
    EXPECT_EQ(sim::W().prePlacements, 0);
}

TEST_F(CommandFlowTest, ShiftIsAskedOnlyWhenCtrlIsDown) {
    struct Case {
        const char* name;
        bool ctrl, shift;
        bool down;
        std::vector<int> asked;
    };
    const Case cases[] = {
        {"neither", false, false, false, {VK_CONTROL}},
        {"Shift alone", false, true, false, {VK_CONTROL}},
        {"Ctrl alone", true, false, false, {VK_CONTROL, VK_SHIFT}},
        {"Ctrl and Shift", true, true, true, {VK_CONTROL, VK_SHIFT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        sim::W().ctrlDown = c.ctrl;
        sim::W().shiftDown = c.shift;
        EXPECT_EQ(IsCtrlShiftDown(), c.down);
        EXPECT_EQ(sim::W().keyStateQueries, c.asked);
    }
}

TEST_F(CommandFlowTest, TemplatesAreMadeAgainAtEveryInvocation) {
    Init();
    EXPECT_EQ(Low16Bits(Invoke()), 1);
    EXPECT_TRUE(TemplatesPrepared());
    std::memset(plainDividerTemplate, 'x', 20);
    std::memset(numberedDividerTemplate, 'x', 20);
    EXPECT_EQ(Low16Bits(Invoke()), 1);
    EXPECT_TRUE(TemplatesPrepared());
}

// Binding to the helper plug-in: every failure and its message, the two
// tiers of entry names, the once-only binding and the handshake.
#include "helperlib/helper_binding.h"

#include <climits>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "sim_fixture.h"

namespace {

const char kCaption[] = "Tamber Load Error";
const char kNotFound[] =
    "The Tamber Plug-in (Tamber2000.fxt) could not be found.\n\n"
    "If you don't have this file, you should be able to\n"
    "download it from the same location as where you got\n"
    "this plug-in.";
const char kNotInitialised[] =
    "The Tamber plug-in is not placed in your Plug-in\n"
    "folder for this version of Finale, which means that\n"
    "it cannot be called correctly.\n\n"
    "Please exit Finale, correct the problem and restart.";

std::string MissingEntry(const std::string& name) {
    return "A function in the Tamber plug-in was not found.\n"
           "This is a internal design error (and should 'never'\n"
           "happen in a perfect world).\n\n"
           "To correct this, please download a newer version of\n"
           "the Tamber (or the calling plug-in).\n\n"
           "The missing function was: " +
           name;
}

constexpr size_t kNamesThroughFirstTier = 53;  // pTAMBER_InitByFinale and the 52 first-tier names
constexpr size_t kNamesInAll = 85;

// The entry names in list order, from the first up to (not including) `end`.
std::vector<std::string> NamesBefore(size_t end) {
    return std::vector<std::string>(sim::kEntryNames, sim::kEntryNames + end);
}

size_t SlotOf(const std::string& name) {
    for (size_t slot = 0; slot < kNamesInAll; ++slot) {
        if (name == sim::kEntryNames[slot]) return slot;
    }
    ADD_FAILURE() << "no entry " << name;
    return 0;
}

// Names up to and including the given one.
std::vector<std::string> NamesThrough(const std::string& name) { return NamesBefore(SlotOf(name) + 1); }

std::set<std::string> SecondTier() {
    return std::set<std::string>(sim::kEntryNames + kNamesThroughFirstTier, sim::kEntryNames + kNamesInAll);
}

using Args = std::vector<std::pair<int32_t, int32_t>>;

}  // namespace

class HelperBindingTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        // The owner of a load error is whichever window is active, not the
        // window the command was invoked from.
        ASSERT_NE(sim::W().activeWindow, sim::W().ownerWindow);
    }
    // Notes the references the module holds while each message box is open.
    void WatchReferencesAtMessageBoxes() {
        sim::W().answerMessageBox = [this](sim::UiEvent&) {
            referencesAtBox.push_back(sim::W().helper.references);
            return IDOK;
        };
    }
    std::vector<int> referencesAtBox;
};

TEST_F(HelperBindingTest, EveryFailureShowsItsMessageAndReleasesTheLibrary) {
    struct Case {
        const char* name;
        std::function<void(sim::World&)> arrange;
        std::string message;
        std::vector<std::string> lookedUp;
        std::vector<std::string> called;  // helper entries called, by name
        int referencesAtBox;
    };
    const Case cases[] = {
        {"library not found", [](sim::World& w) { w.helper.present = false; }, kNotFound, {}, {}, 0},
        {"pTAMBER_InitByFinale missing",
         [](sim::World& w) { w.helper.missing = {"pTAMBER_InitByFinale"}; },
         MissingEntry("pTAMBER_InitByFinale"),
         {"pTAMBER_InitByFinale"},
         {},
         1},
        // The helper answers in 16 bits; the simulation sets bits 16..31.
        {"InitByFinale answers 0, garbage in the high bits",
         [](sim::World& w) { w.helper.initByFinale = 0; },
         kNotInitialised,
         {"pTAMBER_InitByFinale"},
         {"pTAMBER_InitByFinale"},
         1},
        {"InitByFinale answers 0x10000, garbage in the high bits",
         [](sim::World& w) { w.helper.initByFinale = 0x10000; },
         kNotInitialised,
         {"pTAMBER_InitByFinale"},
         {"pTAMBER_InitByFinale"},
         1},
        {"InitByFinale answers a clean 0",
         [](sim::World& w) {
             w.junkHighBits = false;
             w.helper.initByFinale = 0;
         },
         kNotInitialised,
         {"pTAMBER_InitByFinale"},
         {"pTAMBER_InitByFinale"},
         1},
        {"pTAMBER_Version missing",
         [](sim::World& w) { w.helper.missing = {"pTAMBER_Version"}; },
         MissingEntry("pTAMBER_Version"),
         {"pTAMBER_InitByFinale", "pTAMBER_Version"},
         {"pTAMBER_InitByFinale"},
         1},
        {"pFTX_FinaleVersion missing, right after the version call",
         [](sim::World& w) { w.helper.missing = {"pFTX_FinaleVersion"}; },
         MissingEntry("pFTX_FinaleVersion"),
         NamesThrough("pFTX_FinaleVersion"),
         {"pTAMBER_InitByFinale", "pTAMBER_Version"},
         1},
        {"a first-tier name missing",
         [](sim::World& w) { w.helper.missing = {"pFTX_LoadURL"}; },
         MissingEntry("pFTX_LoadURL"),
         NamesThrough("pFTX_LoadURL"),
         {"pTAMBER_InitByFinale", "pTAMBER_Version"},
         1},
        {"the last first-tier name missing, version 1",
         [](sim::World& w) {
             w.helper.version = 1;
             w.helper.missing = {"pFTX_LoadGlobal"};
         },
         MissingEntry("pFTX_LoadGlobal"),
         NamesThrough("pFTX_LoadGlobal"),
         {"pTAMBER_InitByFinale", "pTAMBER_Version"},
         1},
        {"the first second-tier name missing, version 2",
         [](sim::World& w) { w.helper.missing = {"pFTXW_GetINIFileName"}; },
         MissingEntry("pFTXW_GetINIFileName"),
         NamesThrough("pFTXW_GetINIFileName"),
         {"pTAMBER_InitByFinale", "pTAMBER_Version"},
         1},
        {"a second-tier name missing, version 2",
         [](sim::World& w) { w.helper.missing = {"pFTX_DurationString"}; },
         MissingEntry("pFTX_DurationString"),
         NamesThrough("pFTX_DurationString"),
         {"pTAMBER_InitByFinale", "pTAMBER_Version"},
         1},
        {"the last second-tier name missing, version 3",
         [](sim::World& w) {
             w.helper.version = 3;
             w.helper.missing = {"pFTX_TranslateString"};
         },
         MissingEntry("pFTX_TranslateString"),
         NamesBefore(kNamesInAll),
         {"pTAMBER_InitByFinale", "pTAMBER_Version"},
         1},
        {"a second-tier name missing, version 65536 (low 16 bits 0)",
         [](sim::World& w) {
             w.helper.version = 0x10000;
             w.helper.missing = {"pFTX_UserLanguage"};
         },
         MissingEntry("pFTX_UserLanguage"),
         NamesThrough("pFTX_UserLanguage"),
         {"pTAMBER_InitByFinale", "pTAMBER_Version"},
         1},
        {"several missing: the first in list order is named",
         [](sim::World& w) {
             w.helper.missing = {"pFTX_TranslateID", "pFTX_LoadURL", "pFTX_GetControl"};
         },
         MissingEntry("pFTX_LoadURL"),
         NamesThrough("pFTX_LoadURL"),
         {"pTAMBER_InitByFinale", "pTAMBER_Version"},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        referencesAtBox.clear();
        WatchReferencesAtMessageBoxes();
        c.arrange(sim::W());

        EXPECT_FALSE(HelperHandShake(2, 10));

        const std::vector<sim::UiEvent> boxes = MessageBoxes();
        ASSERT_EQ(sim::W().ui.size(), 1u);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(boxes[0].caption, kCaption);
        EXPECT_EQ(boxes[0].style, static_cast<uint32_t>(MB_ICONERROR));
        EXPECT_EQ(boxes[0].owner, sim::W().activeWindow);
        EXPECT_EQ(referencesAtBox, std::vector<int>{c.referencesAtBox}) << "the box is closed before release";

        EXPECT_EQ(sim::W().helper.lookedUp, c.lookedUp);
        EXPECT_EQ(NamesCalled(sim::W().helperCalls), c.called);
        EXPECT_TRUE(sim::W().helper.handshakeArgs.empty());
        EXPECT_EQ(sim::W().helper.references, 0);
        EXPECT_FALSE(helperBound);
        ExpectNoViolations();
    }
}

// Each version binds in a process of its own, as a freshly loaded module.
struct VersionCase {
    const char* name;
    int32_t version;
    bool secondTier;
};

void PrintTo(const VersionCase& c, std::ostream* out) { *out << c.name << ", version " << c.version; }

class HelperVersionTest : public HelperBindingTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(HelperVersionTest, DecidesWhetherTheSecondTierIsResolved) {
    const VersionCase& c = GetParam();
    sim::W().helper.version = c.version;
    // A helper that binds with the first tier alone may lack the second.
    if (!c.secondTier) sim::W().helper.missing = SecondTier();

    EXPECT_TRUE(HelperHandShake(2, 10));

    EXPECT_TRUE(sim::W().ui.empty());
    EXPECT_EQ(sim::W().helper.lookedUp, NamesBefore(c.secondTier ? kNamesInAll : kNamesThroughFirstTier));
    EXPECT_EQ(NamesCalled(sim::W().helperCalls),
              (std::vector<std::string>{"pTAMBER_HandShake", "pTAMBER_InitByFinale", "pTAMBER_Version"}));
    EXPECT_EQ(sim::W().helper.handshakeArgs, (Args{{2, 10}}));
    EXPECT_EQ(sim::W().helper.references, 0);
    EXPECT_TRUE(helperBound);
    EXPECT_EQ(helperVersion, c.version);
    for (size_t slot = 0; slot < kNamesInAll; ++slot) {
        const bool resolved = slot < kNamesThroughFirstTier || c.secondTier;
        EXPECT_EQ(HelperEntryTable[slot] != nullptr, resolved) << sim::kEntryNames[slot];
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, HelperVersionTest,
                         ::testing::Values(VersionCase{"v1", 1, false}, VersionCase{"v0", 0, false},
                                           VersionCase{"minus1", -1, false},
                                           VersionCase{"intMin", INT_MIN, false},
                                           // 0xFFFF0001: low 16 bits 1, but negative
                                           VersionCase{"minus65535", -65535, false},
                                           VersionCase{"v2", 2, true}, VersionCase{"v3", 3, true},
                                           // low 16 bits 0, but 65536
                                           VersionCase{"v65536", 0x10000, true},
                                           VersionCase{"intMax", INT_MAX, true}),
                         [](const ::testing::TestParamInfo<VersionCase>& info) { return info.param.name; });

TEST_F(HelperBindingTest, BindsOnceThenOnlyShakesHands) {
    EXPECT_TRUE(HelperHandShake(2, 10));
    EXPECT_TRUE(HelperHandShake(2, 10));
    // Once bound the library is not looked for again, even if it went away.
    sim::W().helper.present = false;
    EXPECT_TRUE(HelperHandShake(2, 10));

    EXPECT_EQ(sim::W().helper.lookedUp, NamesBefore(kNamesInAll));
    EXPECT_EQ(Count(sim::W().helperCalls, "pTAMBER_InitByFinale"), 1);
    EXPECT_EQ(Count(sim::W().helperCalls, "pTAMBER_Version"), 1);
    EXPECT_EQ(sim::W().helper.handshakeArgs, (Args{{2, 10}, {2, 10}, {2, 10}}));
    EXPECT_EQ(sim::W().helper.references, 0);
    EXPECT_TRUE(sim::W().ui.empty());
}

TEST_F(HelperBindingTest, HandshakeGetsBothArgumentsInOrder) {
    EXPECT_TRUE(HelperHandShake(7, -3));
    EXPECT_EQ(sim::W().helper.handshakeArgs, (Args{{7, -3}}));
}

TEST_F(HelperBindingTest, HandshakeAnswerIsReadInSixteenBits) {
    struct Case {
        const char* name;
        int32_t answer;
        bool junk;
        bool accepted;
    };
    const Case cases[] = {
        {"1, garbage in the high bits", 1, true, true},
        {"0, garbage in the high bits", 0, true, false},
        {"0x10000, garbage in the high bits", 0x10000, true, false},
        {"a clean 0", 0, false, false},
        {"0xFFFF", -1, false, true},
        {"0x8000, garbage in the high bits", 0x8000, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        sim::W().helper.handshake = c.answer;
        sim::W().junkHighBits = c.junk;
        EXPECT_EQ(HelperHandShake(2, 10), c.accepted);
        EXPECT_TRUE(sim::W().ui.empty());
        ExpectNoViolations();
    }
}

TEST_F(HelperBindingTest, RefusedHandshakeIsSilentAndKeepsTheBinding) {
    sim::W().helper.handshake = 0;
    EXPECT_FALSE(HelperHandShake(2, 10));
    EXPECT_TRUE(helperBound);
    EXPECT_FALSE(HelperHandShake(2, 10));

    EXPECT_TRUE(sim::W().ui.empty());
    EXPECT_EQ(sim::W().helper.lookedUp, NamesBefore(kNamesInAll)) << "looked up by the first call only";
    EXPECT_EQ(sim::W().helper.handshakeArgs, (Args{{2, 10}, {2, 10}}));
    EXPECT_EQ(sim::W().helper.references, 0);
}

TEST_F(HelperBindingTest, FailedBindingIsRetriedFromTheStart) {
    sim::W().helper.missing = {"pFTX_DurationString"};
    EXPECT_FALSE(HelperHandShake(2, 10));
    sim::W().helper.missing.clear();
    EXPECT_TRUE(HelperHandShake(2, 10));
    EXPECT_TRUE(HelperHandShake(2, 10));

    std::vector<std::string> expected = NamesThrough("pFTX_DurationString");
    const std::vector<std::string> all = NamesBefore(kNamesInAll);
    expected.insert(expected.end(), all.begin(), all.end());
    EXPECT_EQ(sim::W().helper.lookedUp, expected);
    EXPECT_EQ(Count(sim::W().helperCalls, "pTAMBER_InitByFinale"), 2);
    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(MessageBoxes()[0].text, MissingEntry("pFTX_DurationString"));
    EXPECT_EQ(sim::W().helper.handshakeArgs, (Args{{2, 10}, {2, 10}}));
    EXPECT_EQ(sim::W().helper.references, 0);
}

TEST_F(HelperBindingTest, MissingLibraryShowsItsMessageAtEveryAttempt) {
    sim::W().helper.present = false;
    EXPECT_FALSE(HelperHandShake(2, 10));
    EXPECT_FALSE(HelperHandShake(2, 10));
    sim::W().helper.present = true;
    EXPECT_TRUE(HelperHandShake(2, 10));

    const std::vector<sim::UiEvent> boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, kNotFound);
    EXPECT_EQ(boxes[1].text, kNotFound);
    EXPECT_EQ(sim::W().helper.lookedUp, NamesBefore(kNamesInAll));
    EXPECT_EQ(sim::W().helper.references, 0);
}

TEST_F(HelperBindingTest, MessageOwnerIsTheWindowActiveAtThatMoment) {
    sim::W().activeWindow = sim::MakeWindow("someOtherWindow");
    sim::W().helper.present = false;
    EXPECT_FALSE(HelperHandShake(2, 10));
    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(sim::WindowName(MessageBoxes()[0].owner), "someOtherWindow");
}

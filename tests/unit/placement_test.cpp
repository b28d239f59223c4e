// Divider placement: the vertical position worked out from the helper's
// geometry, the records of each divider, the page loop, the margin origin,
// the order of the helper and host calls, and every way placement fails.
#include "engine/placement.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "engine/divider_records.h"
#include "helperlib/helper_binding.h"
#include "settings/divider_settings.h"
#include "sim_fixture.h"

namespace {

constexpr int16_t kStaffLines = 0;
constexpr int16_t kBoundaries = 1;

const char kText14[] = "^font(EngraverFontSet)^size(14)^efx(plain)\xBB";

// The two systems of the worked example. Fields placement must not read
// for a two-system page hold odd values, and the lower system answers 50
// for its own last staff, so asking the wrong system or staff shows.
const sim::SystemModel kUpper{
    .spaceAbove = 100, .height = 400, .topLineDrop = 5555, .lastLineRise = 120, .lastStaff = 3};
const sim::SystemModel kLower{.spaceAbove = 200,
                              .height = 3333,
                              .topLineDrop = 80,
                              .lastLineRise = 4444,
                              .lastStaff = 5,
                              .staffPercent = 50};
// A middle and a third system under kUpper on a three-system page.
const sim::SystemModel kMiddle{
    .spaceAbove = 200, .height = 300, .topLineDrop = 80, .lastLineRise = 100, .lastStaff = 4};
const sim::SystemModel kThird{.spaceAbove = 150, .height = 300, .topLineDrop = 60, .lastLineRise = 7777};

sim::SystemModel With(sim::SystemModel system, const std::function<void(sim::SystemModel&)>& change) {
    change(system);
    return system;
}

sim::SystemModel Resized(sim::SystemModel system, int16_t percent) {
    system.isResized = 1;
    system.resizePercent = percent;
    return system;
}

sim::SystemModel StaffAt(sim::SystemModel system, int16_t percent) {
    system.staffPercent = percent;
    return system;
}

// One page text record of the document, as the host keeps it.
struct Divider {
    sim::Key key;
    sim::Bytes bytes;
    PageTextRecord text;
};

std::vector<Divider> Dividers() {
    std::vector<Divider> dividers;
    for (const auto& [key, bytes] : sim::W().records[tags::PageText]) {
        Divider divider{key, bytes, {}};
        std::memcpy(&divider.text, bytes.data(), std::min(bytes.size(), sizeof divider.text));
        dividers.push_back(divider);
    }
    return dividers;
}

std::vector<int16_t> VPositions(const std::vector<Divider>& dividers) {
    std::vector<int16_t> positions;
    for (const Divider& divider : dividers) positions.push_back(divider.text.vPosition);
    return positions;
}

const sim::Bytes* RecordNumbered(uint32_t tag, int16_t number) {
    const sim::Bytes* found = nullptr;
    for (const auto& [key, bytes] : sim::W().records[tag]) {
        if (key.number != number) continue;
        EXPECT_EQ(found, nullptr) << "two records of tag " << tag << " numbered " << number;
        found = &bytes;
    }
    return found;
}

// The page text names a layout that lays out a block with the divider text.
void ExpectWellFormed(const Divider& divider, const std::string& text = kText14) {
    SCOPED_TRACE("page text (" + std::to_string(divider.key.number) + ", " + std::to_string(divider.key.sub) +
                 ")");
    ASSERT_EQ(divider.bytes.size(), 24u);
    EXPECT_EQ(FieldValue(divider.text.startPage), divider.key.number);
    EXPECT_EQ(FieldValue(divider.text.endPage), divider.key.number);
    EXPECT_EQ(Hex(divider.bytes).substr(24), std::string(24, '0')) << "bytes 12 to 23 are zero";

    const sim::Bytes* layout = RecordNumbered(tags::TextLayout, divider.text.textLayout);
    ASSERT_NE(layout, nullptr) << "no layout " << divider.text.textLayout;
    ASSERT_EQ(layout->size(), 48u);
    const int16_t blockNumber = Int16At(*layout, 0);
    EXPECT_EQ(Hex(*layout).substr(4), Squeezed("000000000000 6400 00000000 081a") + std::string(64, '0'));

    const sim::Bytes* block = RecordNumbered(tags::TextBlock, blockNumber);
    ASSERT_NE(block, nullptr) << "no text block " << blockNumber;
    EXPECT_EQ(Hex(*block), Hex(BytesOf(text)) + "00");
}

// Every divider has a layout and a block of its own, and nothing else exists.
void ExpectOwnRecords(const std::vector<Divider>& dividers) {
    std::set<int16_t> layouts;
    for (const Divider& divider : dividers) layouts.insert(divider.text.textLayout);
    EXPECT_EQ(layouts.size(), dividers.size()) << "a layout is shared";
    EXPECT_EQ(sim::W().records[tags::TextLayout].size(), dividers.size());
    EXPECT_EQ(sim::W().records[tags::TextBlock].size(), dividers.size());
    std::set<int16_t> blocks;
    for (const auto& [key, bytes] : sim::W().records[tags::TextLayout]) blocks.insert(Int16At(bytes, 0));
    EXPECT_EQ(blocks.size(), dividers.size()) << "a text block is shared";
}

std::vector<sim::PageModel> Pages(size_t count, const std::vector<sim::SystemModel>& systems) {
    return std::vector<sim::PageModel>(count, sim::PageModel{systems});
}

void ForgetObservations() {
    sim::World& w = sim::W();
    w.callLog.clear();
    w.hostCalls.clear();
    w.helperCalls.clear();
    w.win32Calls.clear();
    w.helper.lookedUp.clear();
    w.helper.handshakeArgs.clear();
}

void SetRange(int16_t firstPage, int16_t lastPage) {
    dividerSettings.firstPage = firstPage;
    dividerSettings.lastPage = lastPage;
}

}  // namespace

// The helper is bound and the templates made, as an invocation has done
// before it places; the settings are as the options dialog stored them.
class PlacementTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        ASSERT_TRUE(HelperHandShake(2, 10));
        PrepareDividerTemplates("EngraverFontSet");
        ForgetObservations();
        SetRange(1, 1);
        dividerSettings.hAdjust = 0;
        dividerSettings.vAdjust = 0;
        dividerSettings.fontSize = 14;
        dividerSettings.vMethod = kStaffLines;
        dividerSettings.marginOrigin = 0;
    }
    HWND owner() const { return sim::W().ownerWindow; }
};

TEST_F(PlacementTest, VerticalPositionOfEachGeometry) {
    struct Row {
        const char* name;
        std::vector<sim::SystemModel> systems;  // one page
        int32_t hostVersion;
        int16_t vMethod;
        int16_t vAdjust;
        std::vector<int16_t> vPositions;
    };
    const Row rows[] = {
        {"staff lines", {kUpper, kLower}, 2000, kStaffLines, 0, {-628}},
        {"boundaries", {kUpper, kLower}, 2000, kBoundaries, 0, {-600}},
        {"topLineDrop 81: -305 / 2 truncates to -152",
         {kUpper, With(kLower, [](auto& s) { s.topLineDrop = 81; })},
         2000,
         kStaffLines,
         0,
         {-628}},
        {"boundaries, spaceAbove 201: halfGap truncates to -100",
         {kUpper, With(kLower, [](auto& s) { s.spaceAbove = 201; })},
         2000,
         kBoundaries,
         0,
         {-600}},
        {"upper resized 75, host 2000", {Resized(kUpper, 75), kLower}, 2000, kStaffLines, 0, {-631}},
        {"upper resized 75, host 2001", {Resized(kUpper, 75), kLower}, 2001, kStaffLines, 0, {-631}},
        {"upper resized 70: the scaled rise truncates toward zero",
         {Resized(kUpper, 70), kLower},
         2000,
         kStaffLines,
         0,
         {-632}},
        {"upper resized 75 with its staff at 75",
         {StaffAt(Resized(kUpper, 75), 75), kLower},
         2000,
         kStaffLines,
         0,
         {-622}},
        {"lower resized 75, host 2000", {kUpper, Resized(kLower, 75)}, 2000, kStaffLines, 0, {-618}},
        {"lower resized 75, host 1999", {kUpper, Resized(kLower, 75)}, 1999, kStaffLines, 0, {-618}},
        {"lower resized 75, host 2001", {kUpper, Resized(kLower, 75)}, 2001, kStaffLines, 0, {-628}},
        {"lower resized 75, host 65536 (low 16 bits 0)",
         {kUpper, Resized(kLower, 75)},
         0x10000,
         kStaffLines,
         0,
         {-628}},
        {"lower resized 75, host -1 (signed comparison)",
         {kUpper, Resized(kLower, 75)},
         -1,
         kStaffLines,
         0,
         {-618}},
        {"lower resized 75, topLineDrop 79: the scaled drop truncates toward zero",
         {kUpper, Resized(With(kLower, [](auto& s) { s.topLineDrop = 79; }), 75)},
         2000,
         kStaffLines,
         0,
         {-617}},
        {"resize percentages without isResized are ignored",
         {With(kUpper, [](auto& s) { s.resizePercent = 50; }),
          With(kLower, [](auto& s) { s.resizePercent = 50; })},
         2000,
         kStaffLines,
         0,
         {-628}},
        {"staff at 75: staffSpan -72", {StaffAt(kUpper, 75), kLower}, 2000, kStaffLines, 0, {-616}},
        {"staff at 33: staffSpan -31", {StaffAt(kUpper, 33), kLower}, 2000, kStaffLines, 0, {-595}},
        {"staff at -50: staffSpan 48", {StaffAt(kUpper, -50), kLower}, 2000, kStaffLines, 0, {-556}},
        {"staff at 341, the largest exact percentage",
         {StaffAt(kUpper, 341), kLower},
         2000,
         kStaffLines,
         0,
         {-743}},
        {"boundaries do not depend on the staff",
         {StaffAt(kUpper, 33), kLower},
         2000,
         kBoundaries,
         0,
         {-600}},
        {"vAdjust 10 added after the midpoint", {kUpper, kLower}, 2000, kStaffLines, 10, {-618}},
        {"vAdjust 10, boundaries", {kUpper, kLower}, 2000, kBoundaries, 10, {-590}},
        {"vAdjust -1000", {kUpper, kLower}, 2000, kStaffLines, -1000, {-1628}},
        {"three systems", {kUpper, kMiddle, kThird}, 2000, kStaffLines, 0, {-628, -1103}},
        {"three systems, boundaries", {kUpper, kMiddle, kThird}, 2000, kBoundaries, 0, {-600, -1075}},
        {"boundaries, lower spaceAbove 65736: only its low 16 bits are halved",
         {kUpper, With(kLower, [](auto& s) { s.spaceAbove = 65736; })},
         2000,
         kBoundaries,
         0,
         {-600}},
        {"boundaries, lower spaceAbove 32768 halves as -32768",
         {kUpper, With(kLower, [](auto& s) { s.spaceAbove = 32768; })},
         2000,
         kBoundaries,
         0,
         {-16884}},
        {"boundaries, upper height 70000: the low 16 bits are stored",
         {With(kUpper, [](auto& s) { s.height = 70000; }), kLower},
         2000,
         kBoundaries,
         0,
         {-4664}},
        {"staff lines, upper height 70000: the low 16 bits are stored",
         {With(kUpper, [](auto& s) { s.height = 70000; }), kLower},
         2000,
         kStaffLines,
         0,
         {-4692}},
        {"upper resized 32767 over a rise of -100000: the 32-bit product wraps",
         {Resized(With(kUpper, [](auto& s) { s.lastLineRise = -100000; }), 32767), kLower},
         2000,
         kStaffLines,
         0,
         {28696}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        sim::SetScore({sim::PageModel{row.systems}});
        sim::W().helper.hostVersion = row.hostVersion;
        dividerSettings.vMethod = row.vMethod;
        dividerSettings.vAdjust = row.vAdjust;

        EXPECT_EQ(PlaceDividers(owner()), 1);

        const std::vector<Divider> dividers = Dividers();
        EXPECT_EQ(VPositions(dividers), row.vPositions);
        for (const Divider& divider : dividers) {
            ExpectWellFormed(divider);
            EXPECT_EQ(divider.key.number, 1);
            EXPECT_EQ(FieldValue(divider.text.hOffset), 0);
            EXPECT_EQ(FieldValue(divider.text.flags), 0);
        }
        ExpectOwnRecords(dividers);
        EXPECT_TRUE(sim::W().ui.empty());
        ExpectNoViolations();
    }
}

TEST_F(PlacementTest, PagesWithoutAGapGetNothingAndNoLayoutQuery) {
    sim::SetScore({sim::PageModel{}, sim::PageModel{{kUpper}}});
    SetRange(1, 2);
    EXPECT_EQ(PlaceDividers(owner()), 1);

    EXPECT_TRUE(sim::W().records[tags::PageText].empty());
    EXPECT_TRUE(sim::W().records[tags::TextBlock].empty());
    EXPECT_TRUE(sim::W().records[tags::TextLayout].empty());
    EXPECT_EQ(sim::W().callLog,
              (std::vector<std::string>{"pFTX_SystemRangeOnPage(1)", "pFTX_SystemRangeOnPage(2)"}));
}

TEST_F(PlacementTest, EveryGapOfEveryPageInSystemOrder) {
    const sim::SystemModel same{.spaceAbove = 100, .height = 400, .topLineDrop = 80, .lastLineRise = 120};
    sim::SetScore({sim::PageModel{}, sim::PageModel{{same, same, same, same}}, sim::PageModel{{kUpper}},
                   sim::PageModel{{same, same}}});
    SetRange(1, 4);
    EXPECT_EQ(PlaceDividers(owner()), 1);

    const std::vector<Divider> dividers = Dividers();
    ASSERT_EQ(dividers.size(), 4u);
    // Three gaps down page 2; page 4 starts again from the top.
    EXPECT_EQ(VPositions(dividers), (std::vector<int16_t>{-578, -1078, -1578, -578}));
    const std::vector<sim::Key> keys = {dividers[0].key, dividers[1].key, dividers[2].key, dividers[3].key};
    EXPECT_EQ(keys, (std::vector<sim::Key>{{2, 0}, {2, 1}, {2, 2}, {4, 0}}));
    for (const Divider& divider : dividers) ExpectWellFormed(divider);
    ExpectOwnRecords(dividers);
    EXPECT_EQ(Count(sim::W().helperCalls, "pFTX_GetLayoutInfo"), 8);
}

TEST_F(PlacementTest, EmptyRangeDoesNothing) {
    sim::SetScore(Pages(3, {kUpper, kLower}));
    SetRange(3, 2);
    EXPECT_EQ(PlaceDividers(owner()), 1);
    EXPECT_TRUE(sim::W().callLog.empty()) << Joined(sim::W().callLog);
    EXPECT_TRUE(sim::W().records[tags::PageText].empty());
    EXPECT_TRUE(sim::W().ui.empty());
}

TEST_F(PlacementTest, MarginOrigin) {
    struct Row {
        const char* name;
        int16_t marginOrigin;
        int16_t hAdjust;
        int16_t flags3, hOffset3;  // page 3
        int16_t flags4, hOffset4;  // page 4
    };
    const Row rows[] = {
        {"never", 0, 30, 0, 30, 0, 30},
        {"always", 1, 30, 0x14, -30, 0x14, -30},
        {"odd pages", 2, 30, 0x14, -30, 0, 30},
        {"even pages", 3, 30, 0, 30, 0x14, -30},
        {"4 counts as never", 4, 30, 0, 30, 0, 30},
        {"-1 counts as never", -1, 30, 0, 30, 0, 30},
        {"always, H -1000", 1, -1000, 0x14, 1000, 0x14, 1000},
        {"always, H -32768 keeps its low 16 bits", 1, -32768, 0x14, -32768, 0x14, -32768},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        sim::SetScore(Pages(4, {kUpper, kLower}));
        SetRange(3, 4);
        dividerSettings.marginOrigin = row.marginOrigin;
        dividerSettings.hAdjust = row.hAdjust;

        EXPECT_EQ(PlaceDividers(owner()), 1);

        const std::vector<Divider> dividers = Dividers();
        ASSERT_EQ(dividers.size(), 2u);
        EXPECT_EQ(dividers[0].key, (sim::Key{3, 0}));
        EXPECT_EQ(FieldValue(dividers[0].text.flags), row.flags3);
        EXPECT_EQ(FieldValue(dividers[0].text.hOffset), row.hOffset3);
        EXPECT_EQ(dividers[1].key, (sim::Key{4, 0}));
        EXPECT_EQ(FieldValue(dividers[1].text.flags), row.flags4);
        EXPECT_EQ(FieldValue(dividers[1].text.hOffset), row.hOffset4);
        for (const Divider& divider : dividers) {
            ExpectWellFormed(divider);
            EXPECT_EQ(FieldValue(divider.text.vPosition), -628)
                << "the origin moves the divider sideways only";
        }
        ExpectNoViolations();
    }
}

TEST_F(PlacementTest, CallsOfEachGapInOrder) {
    const std::vector<std::string> dividerCreation = {
        "HostCreateRecord(0x7478626c)", "HostCreateRecord(0x534f5458)", "HostCreateRecord(0x4f027054)"};
    auto gap = [&](int upper, int upperLastStaff, bool versionAsked) {
        std::vector<std::string> calls = {
            "pFTX_GetLayoutInfo(" + std::to_string(upper + 1) + ")",
            "pFTX_GetLayoutInfo(" + std::to_string(upper) + ")",
            "pFTX_GetStaffEnduction(" + std::to_string(upper) + "," + std::to_string(upperLastStaff) + ")",
        };
        if (versionAsked) calls.push_back("pFTX_FinaleVersion()");
        calls.insert(calls.end(), dividerCreation.begin(), dividerCreation.end());
        return calls;
    };
    auto page = [](int number, std::vector<std::vector<std::string>> gaps) {
        std::vector<std::string> calls = {"pFTX_SystemRangeOnPage(" + std::to_string(number) + ")"};
        for (const auto& g : gaps) calls.insert(calls.end(), g.begin(), g.end());
        return calls;
    };
    struct Row {
        const char* name;
        std::vector<sim::SystemModel> systems;
        int16_t vMethod;
        std::vector<std::string> calls;
    };
    const Row rows[] = {
        {"nothing resized", {kUpper, kLower}, kStaffLines, page(1, {gap(1, 3, false)})},
        {"upper resized: no version asked",
         {Resized(kUpper, 75), kLower},
         kStaffLines,
         page(1, {gap(1, 3, false)})},
        {"every lower system resized: the version is asked at each gap",
         {kUpper, Resized(kMiddle, 75), Resized(kThird, 75)},
         kStaffLines,
         page(1, {gap(1, 3, true), gap(2, 4, true)})},
        {"boundaries ask the same",
         {kUpper, Resized(kMiddle, 75), Resized(kThird, 75)},
         kBoundaries,
         page(1, {gap(1, 3, true), gap(2, 4, true)})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        sim::SetScore({sim::PageModel{row.systems}});
        dividerSettings.vMethod = row.vMethod;
        EXPECT_EQ(PlaceDividers(owner()), 1);
        EXPECT_EQ(sim::W().callLog, row.calls);
        ExpectNoViolations();
    }
}

TEST_F(PlacementTest, RangeEndingAtTheLargestPageNumberEnds) {
    // Were the page counter to wrap, page -32768 would be asked next and
    // fail with a message.
    std::vector<sim::PageModel> pages(32767);
    pages[32766].systems = {kUpper, kLower};
    sim::SetScore(pages);
    SetRange(32766, 32767);

    EXPECT_EQ(PlaceDividers(owner()), 1);

    EXPECT_EQ(Count(sim::W().helperCalls, "pFTX_SystemRangeOnPage"), 2);
    EXPECT_TRUE(sim::W().ui.empty());
    const std::vector<Divider> dividers = Dividers();
    ASSERT_EQ(dividers.size(), 1u);
    EXPECT_EQ(dividers[0].key, (sim::Key{32767, 0}));
    EXPECT_EQ(FieldValue(dividers[0].text.vPosition), -628);
    ExpectWellFormed(dividers[0]);
}

TEST_F(PlacementTest, FailureOnPageThreeKeepsTheDividersOfPagesOneAndTwo) {
    sim::SetScore(Pages(4, {kUpper, kLower}));
    sim::W().helper.failLayoutInfo = {6};  // the lower system of page 3
    SetRange(1, 4);

    EXPECT_EQ(PlaceDividers(owner()), 0);

    const std::vector<Divider> dividers = Dividers();
    ASSERT_EQ(dividers.size(), 2u);
    EXPECT_EQ(dividers[0].key, (sim::Key{1, 0}));
    EXPECT_EQ(dividers[1].key, (sim::Key{2, 0}));
    for (const Divider& divider : dividers) ExpectWellFormed(divider);
    ExpectOwnRecords(dividers);
    EXPECT_EQ(Count(sim::W().helperCalls, "pFTX_SystemRangeOnPage"), 3) << "page 4 is not reached";
    EXPECT_TRUE(sim::W().ui.empty());
}

TEST_F(PlacementTest, SystemRangeFailureShowsItsMessage) {
    sim::SetScore(Pages(3, {kUpper, kLower}));
    sim::W().helper.failSystemRangeOnPage = {2};
    SetRange(1, 3);
    const HWND placementOwner = sim::MakeWindow("placementOwner");

    EXPECT_EQ(PlaceDividers(placementOwner), 0);

    const std::vector<sim::UiEvent> boxes = MessageBoxes();
    ASSERT_EQ(sim::W().ui.size(), 1u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(sim::WindowName(boxes[0].owner), "placementOwner");
    EXPECT_EQ(boxes[0].text, "Staff system is not updated correctly.");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].style, static_cast<uint32_t>(MB_ICONERROR));

    const std::vector<Divider> dividers = Dividers();
    ASSERT_EQ(dividers.size(), 1u);
    EXPECT_EQ(dividers[0].key, (sim::Key{1, 0}));
    EXPECT_EQ(sim::W().callLog.back(), "pFTX_SystemRangeOnPage(2)");
}

TEST_F(PlacementTest, OtherFailuresEndSilently) {
    struct Row {
        const char* name;
        std::function<void(sim::World&)> arrange;
        size_t blocks, layouts, pageTexts;  // left in the document
        std::string lastCall;
    };
    // Systems 1 and 2 on page 1, 3 and 4 on page 2; each fails in page 2's gap.
    const Row rows[] = {
        {"lower layout query fails", [](sim::World& w) { w.helper.failLayoutInfo = {4}; }, 1, 1, 1,
         "pFTX_GetLayoutInfo(4)"},
        {"upper layout query fails", [](sim::World& w) { w.helper.failLayoutInfo = {3}; }, 1, 1, 1,
         "pFTX_GetLayoutInfo(3)"},
        {"text block refused",
         [](sim::World& w) {
             w.refuseCreate = {{tags::TextBlock, 2}};
         },
         1, 1, 1, "HostCreateRecord(0x7478626c)"},
        {"text layout refused: its block stays",
         [](sim::World& w) {
             w.refuseCreate = {{tags::TextLayout, 2}};
         },
         2, 1, 1, "HostCreateRecord(0x534f5458)"},
        {"page text refused: its block and layout stay",
         [](sim::World& w) {
             w.refuseCreate = {{tags::PageText, 2}};
         },
         2, 2, 1, "HostCreateRecord(0x4f027054)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        sim::SetScore(Pages(3, {kUpper, kLower}));
        SetRange(1, 3);
        row.arrange(sim::W());

        EXPECT_EQ(PlaceDividers(owner()), 0);

        EXPECT_TRUE(sim::W().ui.empty());
        EXPECT_EQ(sim::W().records[tags::TextBlock].size(), row.blocks);
        EXPECT_EQ(sim::W().records[tags::TextLayout].size(), row.layouts);
        EXPECT_EQ(sim::W().records[tags::PageText].size(), row.pageTexts);
        ASSERT_FALSE(sim::W().callLog.empty());
        EXPECT_EQ(sim::W().callLog.back(), row.lastCall) << "nothing is done after the failure";
        const std::vector<Divider> dividers = Dividers();
        ASSERT_FALSE(dividers.empty());
        EXPECT_EQ(dividers[0].key, (sim::Key{1, 0}));
        ExpectWellFormed(dividers[0]);
        ExpectNoViolations();
    }
}

TEST_F(PlacementTest, DividersOnThePageAreNeitherReadNorMoved) {
    sim::SetScore({sim::PageModel{{kUpper, kLower}}});
    sim::PutPageText({1, 0}, 99);
    const sim::Bytes handMade = sim::W().records[tags::PageText][{1, 0}];

    EXPECT_EQ(PlaceDividers(owner()), 1);
    EXPECT_EQ(PlaceDividers(owner()), 1);

    std::vector<Divider> dividers = Dividers();
    ASSERT_EQ(dividers.size(), 3u);
    EXPECT_EQ(Hex(dividers[0].bytes), Hex(handMade));
    dividers.erase(dividers.begin());
    EXPECT_EQ(dividers[0].key, (sim::Key{1, 1}));
    EXPECT_EQ(dividers[1].key, (sim::Key{1, 2}));
    EXPECT_EQ(VPositions(dividers), (std::vector<int16_t>{-628, -628}));
    for (const Divider& divider : dividers) ExpectWellFormed(divider);
    ExpectOwnRecords(dividers);
}

TEST_F(PlacementTest, DividerTextIsInTheSettingsFontSize) {
    sim::SetScore({sim::PageModel{{kUpper, kLower}}});
    dividerSettings.fontSize = 8;
    EXPECT_EQ(PlaceDividers(owner()), 1);
    const std::vector<Divider> dividers = Dividers();
    ASSERT_EQ(dividers.size(), 1u);
    ExpectWellFormed(dividers[0], "^font(EngraverFontSet)^size(8)^efx(plain)\xBB");
}

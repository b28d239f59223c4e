// Divider removal: which text blocks count as dividers of the size, which
// page texts of their layouts lie on the range, the order of the scans and
// of the deletions, the ways the host may answer a size query, and a list
// of keys that grows past its first capacity.
#include "engine/divider_removal.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/divider_records.h"
#include "engine/placement.h"
#include "helperlib/helper_binding.h"
#include "settings/divider_settings.h"
#include "sim_fixture.h"

namespace {

// 0xBB is the divider glyph of EngraverFontSet, one byte of 8-bit text.
const std::string kPlain14 = "^font(EngraverFontSet)^size(14)^efx(plain)\xBB";
const std::string kNumbered14 = "^font(EngraverFontSet,8194)^size(14)^efx(plain)\xBB";
const std::string kPlain12 = "^font(EngraverFontSet)^size(12)^efx(plain)\xBB";
const std::string kPlain24 = "^font(EngraverFontSet)^size(24)^efx(plain)\xBB";

const sim::SystemModel kSystem{.spaceAbove = 100, .height = 400, .topLineDrop = 80, .lastLineRise = 120};

std::string KeyText(sim::Key key) { return std::to_string(key.number) + "," + std::to_string(key.sub); }

std::string KeysText(const std::vector<sim::Key>& keys) {
    std::string text;
    for (const sim::Key& key : keys) text += (text.empty() ? "" : " ") + KeyText(key);
    return text;
}

// The keys given to HostDeleteRecord, in call order; a deletion of any other
// tag is a failure.
std::string Deleted() {
    std::vector<sim::Key> keys;
    for (const auto& [tag, key] : sim::W().deletions) {
        EXPECT_EQ(tag, tags::PageText) << "a record other than a page text was deleted: " << KeyText(key);
        keys.push_back(key);
    }
    return KeysText(keys);
}

// A divider of hand-made records: the text block holding the text and its
// terminating zero, one layout of it, and the layout's page texts.
void PutDivider(int16_t block, const std::string& text, int16_t layout,
                const std::vector<sim::Key>& pageTexts) {
    sim::PutTextBlock(block, text);
    sim::PutTextLayout({layout, 0}, block);
    for (const sim::Key& key : pageTexts) sim::PutPageText(key, layout);
}

using Snapshot = std::map<uint32_t, std::map<sim::Key, sim::Bytes>>;

// Text blocks and layouts are as they were, byte for byte, and the page
// texts are those of before less the deleted keys, which were deleted in
// this order.
void ExpectOnlyDeleted(const Snapshot& before, const std::vector<sim::Key>& deleted) {
    EXPECT_EQ(Deleted(), KeysText(deleted));
    Snapshot expected = before;
    for (const sim::Key& key : deleted) expected[tags::PageText].erase(key);
    for (uint32_t tag : {tags::TextBlock, tags::TextLayout, tags::PageText}) {
        SCOPED_TRACE("tag " + std::to_string(tag));
        EXPECT_TRUE(sim::W().records[tag] == expected[tag]);
    }
}

Snapshot Records() { return sim::W().records; }

void ForgetObservations() {
    sim::World& w = sim::W();
    w.callLog.clear();
    w.hostCalls.clear();
    w.helperCalls.clear();
    w.deletions.clear();
}

std::vector<std::string> CallsOf(const std::string& prefix) {
    std::vector<std::string> calls;
    for (const std::string& call : sim::W().callLog) {
        if (call.rfind(prefix, 0) == 0) calls.push_back(call);
    }
    return calls;
}

// The calls of any service on page text records, in order.
std::vector<std::string> PageTextCalls() {
    std::vector<std::string> calls;
    for (const std::string& call : sim::W().callLog) {
        if (call.find("(0x4f027054)") != std::string::npos) calls.push_back(call);
    }
    return calls;
}

const std::string kNextBlock = "HostNextRecord(0x7478626c)";
const std::string kLoadBlock = "HostLoadRecord(0x7478626c)";
const std::string kNextLayout = "HostNextRecord(0x534f5458)";
const std::string kLoadPageText = "HostLoadRecord(0x4f027054)";
const std::string kNextPageText = "HostNextRecord(0x4f027054)";
const std::string kDeletePageText = "HostDeleteRecord(0x4f027054)";

}  // namespace

// The templates are made, as the invocation makes them before the options
// dialog can ask for a removal.
class RemovalTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        PrepareDividerTemplates("EngraverFontSet");
    }
};

TEST_F(RemovalTest, DocumentWithoutTextBlocksGivesZero) {
    sim::PutTextLayout({1, 0}, 1);
    sim::PutPageText({3, 0}, 1);
    const Snapshot before = Records();

    EXPECT_EQ(RemoveDividers(1, 5, 14), 0);

    EXPECT_EQ(sim::W().callLog, (std::vector<std::string>{kNextBlock}));
    ExpectOnlyDeleted(before, {});
}

TEST_F(RemovalTest, PlacedDividerIsRemovedOnceAndItsTextAndLayoutStay) {
    ASSERT_TRUE(HelperHandShake(2, 10));
    std::vector<sim::PageModel> pages(5);
    pages[2].systems = {kSystem, kSystem};
    sim::SetScore(pages);
    dividerSettings.firstPage = 3;
    dividerSettings.lastPage = 3;
    dividerSettings.fontSize = 14;
    ASSERT_EQ(PlaceDividers(sim::W().ownerWindow), 1);
    ASSERT_EQ(sim::W().records[tags::PageText].size(), 1u);
    ASSERT_EQ(sim::W().records[tags::PageText].begin()->first, (sim::Key{3, 0}));
    const Snapshot before = Records();
    ForgetObservations();

    EXPECT_EQ(RemoveDividers(1, 5, 14), 1);

    ExpectOnlyDeleted(before, {{3, 0}});
    EXPECT_EQ(sim::W().callLog, (std::vector<std::string>{
                                    kNextBlock,
                                    kLoadBlock,
                                    kLoadBlock,     // block 1: size, then text
                                    kNextLayout,    // layout 1 lays out block 1
                                    kLoadPageText,  // nothing at (1, 0)
                                    kNextPageText,  // (3, 0)
                                    kNextPageText,  // no more page texts
                                    kNextLayout,    // no more layouts
                                    kNextBlock,     // no more blocks
                                    kDeletePageText,
                                }));
    EXPECT_TRUE(sim::W().ui.empty()) << "removal shows no message";

    const Snapshot afterFirst = Records();
    ForgetObservations();
    EXPECT_EQ(RemoveDividers(1, 5, 14), 0);
    ExpectOnlyDeleted(afterFirst, {});
}

TEST_F(RemovalTest, SizeAndPageRangeOfOneDividerOnPageThree) {
    struct Row {
        const char* name;
        int16_t fromPage, toPage, fontSize;
        int32_t removed;
    };
    const Row rows[] = {
        {"pages 1-5, size 14", 1, 5, 14, 1},
        {"pages 3-3", 3, 3, 14, 1},
        {"pages 3-32767", 3, 32767, 14, 1},
        {"pages -5 to 3: negative bounds are signed", -5, 3, 14, 1},
        {"size 12", 1, 5, 12, 0},
        {"size 24", 1, 5, 24, 0},
        {"pages 4-5", 4, 5, 14, 0},
        {"pages 1-2", 1, 2, 14, 0},
        {"pages 5 to 1: from after to", 5, 1, 14, 0},
        {"pages 3 to 2", 3, 2, 14, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        PutDivider(1, kPlain14, 1, {{3, 0}});
        const Snapshot before = Records();

        EXPECT_EQ(RemoveDividers(row.fromPage, row.toPage, row.fontSize), row.removed);

        ExpectOnlyDeleted(before, row.removed == 1 ? std::vector<sim::Key>{{3, 0}} : std::vector<sim::Key>{});
        // The block is loaded for either answer; the range only decides what is collected.
        EXPECT_EQ(CallsOf(kLoadBlock).size(), 2u);
        ExpectNoViolations();
    }
}

TEST_F(RemovalTest, OnlyTheExactTextOfEitherFormMatches) {
    struct Row {
        const char* name;
        std::string record;  // the text block's bytes as stored
        bool matches;
    };
    const std::string z(1, '\0');
    const Row rows[] = {
        {"plain form", kPlain14 + z, true},
        {"numbered form", kNumbered14 + z, true},
        {"plain form without a zero of its own", kPlain14, true},
        {"numbered form without a zero of its own", kNumbered14, true},
        {"plain form, then a zero and more bytes", kPlain14 + z + "junk" + z, true},
        {"one more character after 0xBB", kPlain14 + "x" + z, false},
        {"a second 0xBB", kPlain14 + "\xBB" + z, false},
        {"one more character, no zero of its own", kPlain14 + "x", false},
        {"without 0xBB", kPlain14.substr(0, kPlain14.size() - 1) + z, false},
        {"without 0xBB and without a zero", kPlain14.substr(0, kPlain14.size() - 1), false},
        {"0xAB instead of 0xBB", kPlain14.substr(0, kPlain14.size() - 1) + "\xAB" + z, false},
        {"font command in upper case", "^FONT(EngraverFontSet)^size(14)^efx(plain)\xBB" + z, false},
        {"font name in lower case", "^font(engraverfontset)^size(14)^efx(plain)\xBB" + z, false},
        {"size 014", "^font(EngraverFontSet)^size(014)^efx(plain)\xBB" + z, false},
        {"number 8193", "^font(EngraverFontSet,8193)^size(14)^efx(plain)\xBB" + z, false},
        {"numbered form with one more character", kNumbered14 + "x" + z, false},
        {"a space before", " " + kPlain14 + z, false},
        {"another size", kPlain12 + z, false},
        {"empty text", z, false},
        {"empty record", "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        sim::PutRecord(tags::TextBlock, {1, 0}, BytesOf(row.record));
        sim::PutTextLayout({1, 0}, 1);
        sim::PutPageText({2, 0}, 1);
        const Snapshot before = Records();

        EXPECT_EQ(RemoveDividers(1, 5, 14), row.matches ? 1 : 0);

        ExpectOnlyDeleted(before, row.matches ? std::vector<sim::Key>{{2, 0}} : std::vector<sim::Key>{});
        // A block that does not match costs no layout scan.
        EXPECT_EQ(CallsOf(kNextLayout).size(), row.matches ? 2u : 0u);
        ExpectNoViolations();
    }
}

TEST_F(RemovalTest, MatchesTheTemplatesOfThisInvocation) {
    PrepareDividerTemplates("Maestro");
    PutDivider(1, kPlain14, 1, {{2, 0}});
    PutDivider(2, "^font(Maestro)^size(14)^efx(plain)\xBB", 2, {{2, 1}});
    PutDivider(3, "^font(Maestro,8194)^size(14)^efx(plain)\xBB", 3, {{2, 2}});
    const Snapshot before = Records();

    EXPECT_EQ(RemoveDividers(1, 5, 14), 2);

    ExpectOnlyDeleted(before, {{2, 2}, {2, 1}});
}

TEST_F(RemovalTest, OtherSizesAndPagesOutsideTheRangeStay) {
    // Sizes 12, 14 and 24 on each of pages 1 to 6, each divider with records
    // of its own, as placement makes them.
    int16_t number = 1;
    for (int16_t page = 1; page <= 6; ++page) {
        int16_t sub = 0;
        for (const std::string* text : {&kPlain12, &kPlain14, &kPlain24}) {
            PutDivider(number, *text, number, {{page, sub}});
            ++number;
            ++sub;
        }
    }
    const Snapshot before = Records();

    EXPECT_EQ(RemoveDividers(2, 4, 14), 3);

    // Blocks 5, 8 and 11 are the size-14 dividers of pages 2, 3 and 4.
    ExpectOnlyDeleted(before, {{4, 1}, {3, 1}, {2, 1}});
    EXPECT_EQ(CallsOf(kNextBlock).size(), 19u) << "every block is visited";
    EXPECT_EQ(CallsOf(kNextLayout).size(), 6u * 19u) << "each size-14 block scans every layout";
}

TEST_F(RemovalTest, DeletedInTheReverseOfTheOrderOfCollection) {
    // Blocks T1, T2, T3 are visited in that order; their layouts are numbered
    // the other way round, and their page texts lie in neither order.
    PutDivider(1, kPlain14, 3, {{5, 0}});             // T1
    PutDivider(2, kPlain12, 5, {{1, 0}});             // not a size-14 divider
    PutDivider(3, kNumbered14, 2, {{2, 0}, {4, 0}});  // T2
    PutDivider(4, kPlain14, 1, {{4, 1}});             // T3
    const Snapshot before = Records();

    EXPECT_EQ(RemoveDividers(1, 5, 14), 4);

    // Collected: T1 (5,0); T2 (2,0) (4,0); T3 (4,1).
    ExpectOnlyDeleted(before, {{4, 1}, {4, 0}, {2, 0}, {5, 0}});
    const std::vector<std::string>& log = sim::W().callLog;
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(log.end() - 4, log.end()),
              std::vector<std::string>(4, kDeletePageText));
    EXPECT_EQ(CallsOf("HostDeleteRecord").size(), 4u) << "the deletions come after every scan";
}

TEST_F(RemovalTest, EveryLayoutOfAMatchingBlockIsFollowed) {
    sim::PutTextBlock(1, kPlain14);
    sim::PutTextLayout({1, 0}, 1);  // laid out on no page
    sim::PutTextLayout({2, 0}, 9);  // another block's layout
    sim::PutTextLayout({3, 0}, 1);
    sim::PutPageText({2, 0}, 3);
    sim::PutPageText({2, 1}, 2);
    sim::PutPageText({3, 0}, 3);
    const Snapshot before = Records();

    EXPECT_EQ(RemoveDividers(1, 5, 14), 2);

    ExpectOnlyDeleted(before, {{3, 0}, {2, 0}});
    EXPECT_EQ(CallsOf(kLoadPageText).size(), 2u) << "one page text scan per layout of block 1";
    EXPECT_EQ(CallsOf(kNextPageText).size(), 8u) << "each visits all three page texts";
}

TEST_F(RemovalTest, PageTextReachedTwiceIsDeletedAndCountedOnce) {
    // Layout 5 exists twice (subs 0 and 1), and a second divider block also
    // has a layout 5: page text (3,0) is reached through all three.
    sim::PutTextBlock(1, kPlain14);
    sim::PutTextBlock(2, kNumbered14);
    sim::PutTextLayout({5, 0}, 1);
    sim::PutTextLayout({5, 1}, 1);
    sim::PutTextLayout({6, 0}, 1);
    sim::PutTextLayout({5, 2}, 2);
    sim::PutPageText({3, 0}, 5);
    sim::PutPageText({1, 0}, 6);
    sim::PutPageText({2, 0}, 5);
    const Snapshot before = Records();

    EXPECT_EQ(RemoveDividers(1, 5, 14), 3);

    // First found: (2,0) and (3,0) through layout 5, then (1,0) through 6;
    // the last found is deleted first, each key once.
    ExpectOnlyDeleted(before, {{1, 0}, {3, 0}, {2, 0}});
}

TEST_F(RemovalTest, PageTextScanStartsAtPageOne) {
    struct Row {
        const char* name;
        std::vector<sim::Key> pageTexts;  // each of the divider's layout
        std::vector<sim::Key> deleted;
        std::vector<std::string> pageTextCalls;
    };
    const Row rows[] = {
        {"(1, 0) is loaded, not skipped",
         {{1, 0}, {1, 1}},
         {{1, 1}, {1, 0}},
         {kLoadPageText, kNextPageText, kNextPageText}},
        {"nothing at (1, 0): the next record after it",
         {{1, 1}},
         {{1, 1}},
         {kLoadPageText, kNextPageText, kNextPageText}},
        {"page 0 comes before (1, 0) and is not visited",
         {{0, 0}, {0, 5}},
         {},
         {kLoadPageText, kNextPageText}},
        {"no page texts", {}, {}, {kLoadPageText, kNextPageText}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        PutDivider(1, kPlain14, 1, row.pageTexts);
        const Snapshot before = Records();

        EXPECT_EQ(RemoveDividers(0, 5, 14), static_cast<int32_t>(row.deleted.size()));

        ExpectOnlyDeleted(before, row.deleted);
        std::vector<std::string> calls = PageTextCalls();
        calls.resize(calls.size() - row.deleted.size());  // the deletions
        EXPECT_EQ(calls, row.pageTextCalls);
        ExpectNoViolations();
    }
}

TEST_F(RemovalTest, KeyPagesAreReadUnsigned) {
    // A host that orders its page numbers unsigned visits 0x8000 and 0xFFFF
    // after page 3; read unsigned they are 32768 and 65535, past any bound.
    struct Row {
        const char* name;
        int16_t fromPage, toPage;
        std::vector<sim::Key> deleted;
    };
    const Row rows[] = {
        {"pages -32768 to 32767", INT16_MIN, INT16_MAX, {{INT16_MAX, 0}, {3, 0}}},
        {"pages -1 to -1", -1, -1, {}},
        {"pages -32768 to -32768", INT16_MIN, INT16_MIN, {}},
        {"pages -5 to 5", -5, 5, {{3, 0}}},
        {"pages 32767 to 32767", INT16_MAX, INT16_MAX, {{32767, 0}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        sim::W().unsignedKeyNumbers = true;
        PutDivider(1, kPlain14, 1, {{3, 0}, {INT16_MAX, 0}, {INT16_MIN, 0}, {-1, 0}});
        const Snapshot before = Records();

        EXPECT_EQ(RemoveDividers(row.fromPage, row.toPage, 14), static_cast<int32_t>(row.deleted.size()));

        ExpectOnlyDeleted(before, row.deleted);
        EXPECT_EQ(CallsOf(kNextPageText).size(), 5u) << "all four page texts are visited, then the end";
        ExpectNoViolations();
    }
}

TEST_F(RemovalTest, SizeTheHostCannotReportEndsTheScan) {
    // T1 and T3 are dividers; T2's size query goes wrong. T3 is never
    // visited; T1's page text is deleted all the same.
    struct Row {
        const char* name;
        bool fails;
        int32_t reportedSize;
    };
    const Row rows[] = {
        {"size query fails", true, 0},
        {"size -1", false, -1},
        {"size -32768", false, INT16_MIN},
        {"size -2147483648", false, INT32_MIN},
        {"size 2147483647: size + 1 overflows", false, INT32_MAX},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        PutDivider(1, kPlain14, 1, {{2, 0}});
        PutDivider(2, kPlain14, 2, {{2, 1}});
        PutDivider(3, kPlain14, 3, {{2, 2}});
        if (row.fails) {
            sim::W().failTextBlockSize = {2};
        } else {
            sim::W().reportedTextBlockSize[2] = row.reportedSize;
        }
        const Snapshot before = Records();

        EXPECT_EQ(RemoveDividers(1, 5, 14), 1);

        ExpectOnlyDeleted(before, {{2, 0}});
        EXPECT_EQ(CallsOf(kNextBlock).size(), 2u) << "no block after T2 is asked for";
        EXPECT_EQ(CallsOf(kLoadBlock).size(), 3u) << "T1's size and text, T2's size";
        EXPECT_EQ(CallsOf(kNextLayout).size(), 4u) << "one layout scan of the three layouts, for T1";
        ExpectNoViolations();
    }
}

TEST_F(RemovalTest, TextEndsAtTheReportedSize) {
    // T1's size is reported as given; T2, a divider, shows that the scan
    // goes on after T1 whatever T1 holds.
    struct Row {
        const char* name;
        std::string record;
        int32_t reportedSize;
        bool matches;
    };
    const std::string z(1, '\0');
    const int32_t textLength = static_cast<int32_t>(kPlain14.size());
    const Row rows[] = {
        {"one more character, cut off by a size of the text's length", kPlain14 + "x" + z, textLength, true},
        {"a size one short cuts off 0xBB", kPlain14 + z, textLength - 1, false},
        {"size 1000: the rest of the buffer is zero", kPlain14 + z, 1000, true},
        {"size 1000, no zero of its own", kPlain14, 1000, true},
        {"size 0: an empty text", kPlain14 + z, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        sim::PutRecord(tags::TextBlock, {1, 0}, BytesOf(row.record));
        sim::PutTextLayout({1, 0}, 1);
        sim::PutPageText({2, 0}, 1);
        PutDivider(2, kPlain14, 2, {{2, 1}});
        sim::W().reportedTextBlockSize[1] = row.reportedSize;
        const Snapshot before = Records();

        EXPECT_EQ(RemoveDividers(1, 5, 14), row.matches ? 2 : 1);

        ExpectOnlyDeleted(
            before, row.matches ? std::vector<sim::Key>{{2, 1}, {2, 0}} : std::vector<sim::Key>{{2, 1}});
        ExpectNoViolations();
    }
}

TEST_F(RemovalTest, LargestReportedSizeIsAllocatedAndCompared) {
    // A buffer of 2147483647 bytes: the system hands out its zeroed pages
    // lazily, so only the pages the text and the final zero touch are used.
    PutDivider(1, kPlain14, 1, {{2, 0}});
    PutDivider(2, kPlain14, 2, {{2, 1}});
    sim::W().reportedTextBlockSize[1] = INT32_MAX - 1;
    const Snapshot before = Records();

    EXPECT_EQ(RemoveDividers(1, 5, 14), 2);

    ExpectOnlyDeleted(before, {{2, 1}, {2, 0}});
}

#if defined(__SANITIZE_ADDRESS__)
#define STAVENOR_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define STAVENOR_UNDER_ASAN 1
#endif
#endif

TEST_F(RemovalTest, TextBufferThatCannotBeAllocatedHoldsNoDivider) {
#if defined(STAVENOR_UNDER_ASAN)
    GTEST_SKIP() << "AddressSanitizer ends the process where the allocation fails";
#else
    // The address space is limited to what the process uses plus 256 MiB
    // while the removal runs, so the 2 GiB text buffer of T1 cannot be had
    // and every smaller allocation can.
    PutDivider(1, kPlain14, 1, {{2, 0}});
    PutDivider(2, kPlain14, 2, {{2, 1}});
    sim::W().reportedTextBlockSize[1] = INT32_MAX - 1;
    const Snapshot before = Records();

    long pages = 0;  // the process's size in pages
    FILE* statm = std::fopen("/proc/self/statm", "r");
    ASSERT_NE(statm, nullptr);
    ASSERT_EQ(std::fscanf(statm, "%ld", &pages), 1);
    std::fclose(statm);
    rlimit saved = {};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (256u << 20);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &limited), 0);
    const int32_t removed = RemoveDividers(1, 5, 14);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &saved), 0);

    EXPECT_EQ(removed, 1);
    ExpectOnlyDeleted(before, {{2, 1}});
    EXPECT_EQ(CallsOf(kLoadBlock).size(), 3u) << "T1's text is not loaded";
#endif
}

TEST_F(RemovalTest, MoreMatchesThanTheFirstCapacityAreAllDeletedAndCounted) {
    struct Row {
        const char* name;
        int32_t matches;
    };
    const Row rows[] = {
        {"exactly the first capacity", kRemovalCapacity},
        {"one more", kRemovalCapacity + 1},
        {"three more", kRemovalCapacity + 3},
        {"40000, more than a 16-bit count holds", 40000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        // The matches fill pages 2 and 3 by sub, in collection order; page 1
        // and page 4 hold the same divider outside the range.
        sim::PutTextBlock(1, kPlain14);
        sim::PutTextLayout({1, 0}, 1);
        sim::PutPageText({1, 0}, 1);
        sim::PutPageText({4, 0}, 1);
        std::vector<sim::Key> collected;
        for (int32_t i = 0; i < row.matches; ++i) {
            const sim::Key key{static_cast<int16_t>(2 + i / 30000), static_cast<int16_t>(i % 30000)};
            sim::PutPageText(key, 1);
            collected.push_back(key);
        }

        EXPECT_EQ(RemoveDividers(2, 3, 14), row.matches);

        const auto& deletions = sim::W().deletions;
        ASSERT_EQ(deletions.size(), collected.size());
        bool reversed = true;
        for (size_t i = 0; i < collected.size(); ++i) {
            reversed = reversed && deletions[i].first == tags::PageText &&
                       deletions[i].second == collected[collected.size() - 1 - i];
        }
        EXPECT_TRUE(reversed) << "deleted in the reverse of the order of collection";
        const std::map<sim::Key, sim::Bytes>& pageTexts = sim::W().records[tags::PageText];
        ASSERT_EQ(pageTexts.size(), 2u);
        EXPECT_EQ(pageTexts.begin()->first, (sim::Key{1, 0}));
        EXPECT_EQ(pageTexts.rbegin()->first, (sim::Key{4, 0}));
        EXPECT_EQ(sim::W().records[tags::TextBlock].size(), 1u);
        EXPECT_EQ(sim::W().records[tags::TextLayout].size(), 1u);
        ExpectNoViolations();
    }
}

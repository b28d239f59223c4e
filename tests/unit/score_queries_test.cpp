// The read-only questions asked of the document: its page count, its
// measurement unit and whether it is an extracted part.
#include "engine/score_queries.h"

#include <vector>

#include "sim_fixture.h"

namespace {

int LoadCalls() { return Count(sim::W().hostCalls, "HostLoadRecord"); }

// A record image of the given size with one int16 at an offset.
sim::Bytes RecordWith(size_t size, size_t offset, int16_t value) {
    sim::Bytes bytes(size, 0);
    bytes[offset] = static_cast<uint8_t>(static_cast<uint16_t>(value) & 0xFF);
    bytes[offset + 1] = static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8);
    return bytes;
}

}  // namespace

class ScoreQueriesTest : public SimTest {};

TEST_F(ScoreQueriesTest, CountPagesCountsTheUnbrokenRunFromPageOne) {
    struct Case {
        const char* name;
        std::vector<sim::Key> pageRecords;
        int32_t pages;
        int hostCalls;
    };
    const Case cases[] = {
        {"pages 1 to 5", {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}}, 5, 6},
        {"no page records", {}, 0, 1},
        {"pages 1, 2 and 4: counting stops at the gap", {{1, 0}, {2, 0}, {4, 0}}, 2, 3},
        {"page 2 alone", {{2, 0}}, 0, 1},
        {"a record under sub 1 is not page 1", {{1, 1}}, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        for (const sim::Key& key : c.pageRecords) sim::PutRecord(tags::PageSpec, key, sim::Bytes(22, 0));
        EXPECT_EQ(CountPages(), c.pages);
        EXPECT_EQ(LoadCalls(), c.hostCalls);
        ExpectNoViolations();
    }
}

TEST_F(ScoreQueriesTest, CountPagesOfTheScore) {
    sim::SetScore(std::vector<sim::PageModel>(3));
    EXPECT_EQ(CountPages(), 3);
    EXPECT_EQ(LoadCalls(), 4);
}

TEST_F(ScoreQueriesTest, MeasurementUnit) {
    struct Case {
        const char* name;
        bool present;
        int16_t stored;
        int16_t unit;
    };
    const Case cases[] = {
        {"missing record", false, 0, 1},
        {"unit 0", true, 0, 0},
        {"unit 5", true, 5, 5},
        {"unit -3", true, -3, -3},
        {"unit 32767", true, 32767, 32767},
        {"unit -32768", true, -32768, -32768},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        if (c.present) sim::SetUnit(c.stored);
        EXPECT_EQ(GetMeasurementUnit(), c.unit);
        EXPECT_EQ(LoadCalls(), 1);
        ExpectNoViolations();
    }
}

TEST_F(ScoreQueriesTest, ExtractedPart) {
    struct Case {
        const char* name;
        bool present;
        int16_t mode;
        int32_t extracted;
    };
    const Case cases[] = {
        {"missing record", false, 0, 0}, {"mode -8", true, -8, 1}, {"mode 0", true, 0, 0},
        {"mode 8", true, 8, 0},          {"mode -7", true, -7, 0}, {"mode 0x7FF8", true, 0x7FF8, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        if (c.present) sim::SetPartMode(c.mode);
        EXPECT_EQ(IsExtractedPart(), c.extracted);
        EXPECT_EQ(LoadCalls(), 1);
        ExpectNoViolations();
    }
}

TEST_F(ScoreQueriesTest, ExtractedPartReadsOnlyOffsetEightOfRecordMinusTwo) {
    struct Case {
        const char* name;
        sim::Key key;
        sim::Bytes record;
        int32_t extracted;
    };
    sim::Bytes markedWithNeighbours = RecordWith(12, 8, -8);
    markedWithNeighbours[7] = 0x12;
    markedWithNeighbours[10] = 0x34;
    markedWithNeighbours[11] = 0x56;
    const Case cases[] = {
        {"-8 at offset 8 among other bytes", {-2, 0}, markedWithNeighbours, 1},
        {"-8 at offset 10 only", {-2, 0}, RecordWith(12, 10, -8), 0},
        {"-8 at offset 6 only", {-2, 0}, RecordWith(12, 6, -8), 0},
        {"-8 under key (-2, 1)", {-2, 1}, RecordWith(12, 8, -8), 0},
        {"-8 under key (2, 0)", {2, 0}, RecordWith(12, 8, -8), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        sim::PutRecord(tags::PartMode, c.key, c.record);
        EXPECT_EQ(IsExtractedPart(), c.extracted);
        ExpectNoViolations();
    }
}

TEST_F(ScoreQueriesTest, UnitIsReadFromOffsetThirtyOfRecordZero) {
    sim::Bytes record = RecordWith(61, 30, 0x0203);
    record[28] = 0x11;
    record[29] = 0x22;
    record[32] = 0x33;
    sim::PutRecord(tags::UnitPrefs, {0, 0}, record);
    EXPECT_EQ(GetMeasurementUnit(), 0x0203);
}

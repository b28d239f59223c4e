// Questions asked of the active document through HostLoadRecord.
#include "engine/score_queries.h"

#include "platform/host_services.h"
#include "platform/wrap.h"

int32_t CountRecords(uint32_t tag, int32_t recordSize) {
    // The size is passed by reference on every call and not reset. Numbers
    // stop at the largest key number, so the count ends even for a host that
    // answers yes to every number.
    int32_t size = recordSize;
    int32_t count = 0;
    for (int32_t number = 1; number <= INT16_MAX; ++number) {
        RecordKey key = {static_cast<int16_t>(number), 0};
        if (Low16(HostLoadRecord(tag, &key, nullptr, &size, HostInterfaceVersion)) == 0) break;
        ++count;
    }
    return count;
}

int32_t CountPages() { return CountRecords(kPageSpecTag, kPageSpecSize); }

int16_t GetMeasurementUnit() {
    RecordKey key = {0, 0};
    int32_t size = kUnitPrefsSize;
    unsigned char record[kUnitPrefsSize] = {};
    if (Low16(HostLoadRecord(kUnitPrefsTag, &key, record, &size, HostInterfaceVersion)) == 0) return 1;
    return ReadLE16(record, kUnitCodeOffset);
}

int32_t IsExtractedPart() {
    RecordKey key = {kPartModeNumber, 0};
    int32_t size = kPartModeSize;
    unsigned char record[kPartModeSize] = {};
    if (Low16(HostLoadRecord(kPartModeTag, &key, record, &size, HostInterfaceVersion)) == 0) return 0;
    return ReadLE16(record, kPartModeOffset) == kExtractedPartMode ? 1 : 0;
}

// The host's document: an ordered record store per tag, reached through the
// record services, and the pre-placement service.
#include <algorithm>
#include <cstring>

#include "sim/world_internals.h"

using namespace sim;
using namespace sim::detail;

namespace {

constexpr int16_t kAssign = -1;  // a key part the host is asked to assign

std::string TagArgument(uint32_t tag) { return Format("0x%08x", tag); }

std::map<Key, Bytes>* RecordsOf(uint32_t tag) {
    auto found = W().records.find(tag);
    return found == W().records.end() ? nullptr : &found->second;
}

void CopyOut(const Bytes& record, void* buffer, int32_t size) {
    if (buffer == nullptr || size <= 0) return;
    size_t count = std::min(record.size(), static_cast<size_t>(size));
    if (count > 0) std::memcpy(buffer, record.data(), count);
}

// The number one above the tag's highest, at least 1; 0 when none is left.
int16_t NextNumber(const std::map<Key, Bytes>& records) {
    int32_t highest = 0;
    for (const auto& [key, bytes] : records) highest = std::max<int32_t>(highest, key.number);
    return highest < INT16_MAX ? static_cast<int16_t>(highest + 1) : 0;
}

// The sub one above the highest under the number, at least 0; -1 when none
// is left.
int16_t NextSub(const std::map<Key, Bytes>& records, int16_t number) {
    int32_t highest = -1;
    for (const auto& [key, bytes] : records) {
        if (key.number == number) highest = std::max<int32_t>(highest, key.sub);
    }
    return highest < INT16_MAX ? static_cast<int16_t>(highest + 1) : kAssign;
}

// The first record strictly after the key: in (number, sub) order, or with
// World::unsignedKeyNumbers the numbers read as unsigned 16-bit.
std::map<Key, Bytes>::iterator FirstAfter(std::map<Key, Bytes>& records, Key after) {
    if (!W().unsignedKeyNumbers) return records.upper_bound(after);
    auto less = [](Key a, Key b) {
        const uint16_t aNumber = static_cast<uint16_t>(a.number);
        const uint16_t bNumber = static_cast<uint16_t>(b.number);
        return aNumber != bNumber ? aNumber < bNumber : a.sub < b.sub;
    };
    auto first = records.end();
    for (auto it = records.begin(); it != records.end(); ++it) {
        if (less(after, it->first) && (first == records.end() || less(it->first, first->first))) first = it;
    }
    return first;
}

// Writes a stored key back into the caller's; a text block's sub is left
// as the caller had it.
void WriteBack(uint32_t tag, Key stored, RecordKey* key) {
    key->number = stored.number;
    if (tag != kTextBlockTag) key->sub = stored.sub;
}

}  // namespace

extern "C" {

int32_t WINAPI HostLoadRecord(uint32_t tag, RecordKey* key, void* buffer, int32_t* size, int32_t version) {
    LogHost("HostLoadRecord", TagArgument(tag));
    CheckVersion("HostLoadRecord", version);
    if (key == nullptr || size == nullptr) {
        Breach("HostLoadRecord: null key or size pointer");
        return Answer16(0);
    }
    std::map<Key, Bytes>* records = RecordsOf(tag);
    if (records == nullptr) return Answer16(0);
    auto found = records->find(StoredKey(tag, Key{key->number, key->sub}));
    if (found == records->end()) return Answer16(0);
    if (buffer == nullptr && tag == kTextBlockTag) {
        if (W().failTextBlockSize.count(key->number) != 0) return Answer16(0);
        auto reported = W().reportedTextBlockSize.find(key->number);
        if (reported != W().reportedTextBlockSize.end()) {
            *size = reported->second;
            return Answer16(1);
        }
    }
    if (buffer == nullptr) {
        *size = static_cast<int32_t>(found->second.size());
    } else {
        CopyOut(found->second, buffer, *size);
    }
    return Answer16(1);
}

int32_t WINAPI HostCreateRecord(uint32_t tag, RecordKey* key, const void* buffer, int32_t size,
                                int32_t version) {
    LogHost("HostCreateRecord", TagArgument(tag));
    CheckVersion("HostCreateRecord", version);
    int nth = ++W().creations[tag];
    if (key == nullptr || size < 0 || (buffer == nullptr && size > 0)) {
        Breach(Format("HostCreateRecord: null key, or %d bytes from %s", size, buffer ? "a buffer" : "null"));
        return Answer16(0);
    }
    if (W().refuseCreate.count({tag, nth}) != 0) return Answer16(0);

    std::map<Key, Bytes>& records = W().records[tag];
    Key stored = StoredKey(tag, Key{key->number, key->sub});
    if (stored.number == kAssign) {
        stored.number = NextNumber(records);
        if (stored.number == 0) return Answer16(0);
    }
    if (tag != kTextBlockTag && stored.sub == kAssign) {
        stored.sub = NextSub(records, stored.number);
        if (stored.sub == kAssign) return Answer16(0);
    }
    const uint8_t* bytes = static_cast<const uint8_t*>(buffer);
    records[stored] = size > 0 ? Bytes(bytes, bytes + size) : Bytes();
    WriteBack(tag, stored, key);
    return Answer16(1);
}

int32_t WINAPI HostDeleteRecord(uint32_t tag, RecordKey* key, int32_t version) {
    LogHost("HostDeleteRecord", TagArgument(tag));
    CheckVersion("HostDeleteRecord", version);
    if (key == nullptr) {
        Breach("HostDeleteRecord: null key");
        return Answer16(0);
    }
    W().deletions.push_back({tag, Key{key->number, key->sub}});
    std::map<Key, Bytes>* records = RecordsOf(tag);
    if (records == nullptr) return Answer16(0);
    return Answer16(records->erase(StoredKey(tag, Key{key->number, key->sub})) != 0 ? 1 : 0);
}

int32_t WINAPI HostNextRecord(uint32_t tag, RecordKey* key, void* buffer, int32_t size, int32_t version) {
    LogHost("HostNextRecord", TagArgument(tag));
    CheckVersion("HostNextRecord", version);
    if (key == nullptr) {
        Breach("HostNextRecord: null key");
        return Answer16(0);
    }
    std::map<Key, Bytes>* records = RecordsOf(tag);
    if (records == nullptr) return Answer16(0);
    // Text blocks all sit at sub 0, so the first key after (number, 0) is
    // the first greater number.
    auto next = FirstAfter(*records, StoredKey(tag, Key{key->number, key->sub}));
    if (next == records->end()) return Answer16(0);
    WriteBack(tag, next->first, key);
    CopyOut(next->second, buffer, size);
    return Answer16(1);
}

int32_t WINAPI HostPrePlacement(int32_t one, int32_t zero, int32_t version) {
    LogHost("HostPrePlacement", Format("%d,%d", one, zero));
    CheckVersion("HostPrePlacement", version);
    if (one != 1 || zero != 0) Breach(Format("HostPrePlacement: arguments (%d, %d), not (1, 0)", one, zero));
    ++W().prePlacements;
    return 1;
}

}  // extern "C"

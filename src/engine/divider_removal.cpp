// Finds the dividers of one font size by the text of their text blocks,
// follows each one's chain to its layouts and page texts, and deletes the
// page text records on the range once every scan has ended.
//
// Nothing is indexed: each matching text block costs one scan of all
// layouts, and each matching layout one scan of all page texts.
#include "engine/divider_removal.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "engine/divider_records.h"
#include "platform/host_services.h"
#include "platform/wrap.h"

namespace {

// The page text records to delete, in the order they were found.
struct KeyList {
    RecordKey* keys = nullptr;
    int32_t count = 0;
    int32_t capacity = 0;
};

// The count is an int32 and the list's size in bytes a size_t.
constexpr size_t kMostKeys = std::min<size_t>(INT32_MAX, SIZE_MAX / sizeof(RecordKey));

struct PageRange {
    int16_t fromPage;
    int16_t toPage;
};

// Appends a key, doubling the list when it is full. False when it is full
// and cannot grow: the key is not stored and the list stays as it was.
bool Append(KeyList* list, RecordKey key) {
    if (list->count == list->capacity) {
        const size_t capacity = static_cast<size_t>(list->capacity);
        if (capacity >= kMostKeys) return false;
        const size_t grown = capacity > kMostKeys / 2 ? kMostKeys : capacity * 2;
        void* keys = std::realloc(list->keys, grown * sizeof(RecordKey));
        if (keys == nullptr) return false;
        list->keys = static_cast<RecordKey*>(keys);
        list->capacity = static_cast<int32_t>(grown);
    }
    list->keys[list->count] = key;
    ++list->count;
    return true;
}

// The host numbers pages unsigned; the range's bounds are signed.
bool OnRange(int16_t keyPage, PageRange range) {
    const int32_t page = static_cast<uint16_t>(keyPage);
    return range.fromPage <= page && page <= range.toPage;
}

// The text block's size as the host reports it, or -1 when the host cannot
// report it or reports one that a buffer of size + 1 bytes cannot have.
int32_t ReportedSize(RecordKey* blockKey) {
    int32_t size = 0;
    if (Low16(HostLoadRecord(kTextBlockTag, blockKey, nullptr, &size, HostInterfaceVersion)) == 0) return -1;
    if (size < 0 || size == INT32_MAX) return -1;
    return size;
}

// Whether the block's text is one of the two divider texts, byte for byte up
// to its terminating zero. The buffer is zero-filled and its text ends at the
// reported size, whatever the host copies into it, so a block without a zero
// of its own ends there. A buffer that cannot be had holds no divider.
bool HoldsDividerText(RecordKey* blockKey, int32_t size, const char* plainText, const char* numberedText) {
    char* text = static_cast<char*>(std::calloc(static_cast<size_t>(size) + 1, 1));
    if (text == nullptr) return false;
    int32_t loadSize = size;
    HostLoadRecord(kTextBlockTag, blockKey, text, &loadSize, HostInterfaceVersion);
    text[size] = '\0';
    const bool matches = std::strcmp(text, plainText) == 0 || std::strcmp(text, numberedText) == 0;
    std::free(text);
    return matches;
}

// The next record after the key into a cleared buffer, so that a record
// shorter than the buffer reads as zeros past its end.
template <typename Record>
bool NextRecord(uint32_t tag, RecordKey* key, Record* record) {
    *record = Record{};
    return Low16(HostNextRecord(tag, key, record, sizeof(Record), HostInterfaceVersion)) != 0;
}

// Collects the page text records on the range that put the layout on a
// page, visiting every page text record from page 1 on. False when the list
// is full.
bool CollectPageTexts(int16_t layoutNumber, PageRange range, KeyList* collected) {
    RecordKey key = {1, 0};
    int32_t size = sizeof(PageTextRecord);
    PageTextRecord text = {};
    bool inHand = Low16(HostLoadRecord(kPageTextTag, &key, &text, &size, HostInterfaceVersion)) != 0 ||
                  NextRecord(kPageTextTag, &key, &text);
    while (inHand) {
        if (text.textLayout == layoutNumber && OnRange(key.number, range)) {
            if (!Append(collected, key)) return false;
        }
        inHand = NextRecord(kPageTextTag, &key, &text);
    }
    return true;
}

// Collects the page texts of every layout of the text block. False when the
// list is full.
bool CollectLayouts(int16_t blockNumber, PageRange range, KeyList* collected) {
    RecordKey key = {0, 0};
    TextLayoutRecord layout = {};
    while (NextRecord(kTextLayoutTag, &key, &layout)) {
        if (layout.textBlock != blockNumber) continue;
        if (!CollectPageTexts(key.number, range, collected)) return false;
    }
    return true;
}

bool SameKey(const RecordKey& a, const RecordKey& b) { return a.number == b.number && a.sub == b.sub; }

// One page text can be reached twice, through two layouts of one number
// (subs 0 and 1, say) that both lay out a divider. It is deleted and counted
// once, in the place where it was first found. Without room to sort, the
// list stays as it is.
void DropRepeatedKeys(KeyList* list) {
    const int32_t count = list->count;
    if (count < 2) return;
    const size_t slots = static_cast<size_t>(count);
    auto* order = static_cast<int32_t*>(std::malloc(slots * sizeof(int32_t)));
    auto* repeated = static_cast<bool*>(std::calloc(slots, sizeof(bool)));
    if (order != nullptr && repeated != nullptr) {
        const RecordKey* keys = list->keys;
        for (int32_t i = 0; i < count; ++i) order[i] = i;
        std::sort(order, order + count, [keys](int32_t a, int32_t b) {
            if (keys[a].number != keys[b].number) return keys[a].number < keys[b].number;
            if (keys[a].sub != keys[b].sub) return keys[a].sub < keys[b].sub;
            return a < b;
        });
        for (int32_t i = 1; i < count; ++i) {
            if (SameKey(keys[order[i]], keys[order[i - 1]])) repeated[order[i]] = true;
        }
        int32_t kept = 0;
        for (int32_t i = 0; i < count; ++i) {
            if (!repeated[i]) list->keys[kept++] = list->keys[i];
        }
        list->count = kept;
    }
    std::free(order);
    std::free(repeated);
}

}  // namespace

int32_t RemoveDividers(int16_t fromPage, int16_t toPage, int16_t fontSize) {
    KeyList collected;
    collected.keys = static_cast<RecordKey*>(std::malloc(kRemovalCapacity * sizeof(RecordKey)));
    if (collected.keys == nullptr) return 0;
    collected.capacity = kRemovalCapacity;

    char plainText[kDividerTextSize] = {};
    char numberedText[kDividerTextSize] = {};
    FormatDividerText(plainDividerTemplate, fontSize, plainText);
    FormatDividerText(numberedDividerTemplate, fontSize, numberedText);

    // A block whose size cannot be had ends the scan as the last block does.
    // A list that is full and cannot grow ends it too: what it holds is
    // deleted and counted.
    const PageRange range = {fromPage, toPage};
    RecordKey blockKey = {0, 0};
    bool collecting = true;
    while (collecting &&
           Low16(HostNextRecord(kTextBlockTag, &blockKey, nullptr, 0, HostInterfaceVersion)) != 0) {
        const int32_t size = ReportedSize(&blockKey);
        if (size < 0) break;
        if (!HoldsDividerText(&blockKey, size, plainText, numberedText)) continue;
        collecting = CollectLayouts(blockKey.number, range, &collected);
    }

    DropRepeatedKeys(&collected);
    // The last key found is deleted first; a failed deletion counts all the same.
    for (int32_t i = collected.count - 1; i >= 0; --i) {
        HostDeleteRecord(kPageTextTag, &collected.keys[i], HostInterfaceVersion);
    }
    const int32_t count = collected.count;
    std::free(collected.keys);
    return count;
}

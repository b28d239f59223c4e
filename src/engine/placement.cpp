// Puts one divider into every gap between two consecutive staff systems on
// every page of the range in dividerSettings.
//
// Positions are integer EVPUs decreasing downward. Every intermediate is a
// wrapping 32-bit value and every stored position its low 16 bits, so any
// geometry the helper reports gives a defined result.
#include "engine/placement.h"

#include "engine/divider_records.h"
#include "helperlib/helper_calls.h"
#include "platform/host_services.h"
#include "platform/wrap.h"
#include "settings/divider_settings.h"

namespace {

constexpr int32_t kStaffHeight = 96;                // EVPU of a staff at 100 percent
constexpr int32_t kFirstUnscaledTopVersion = 2001;  // hosts from here do not scale topLineDrop
constexpr int16_t kBoundariesMethod = 1;

const char kSystemRangeErrorText[] = "Staff system is not updated correctly.";
const char kSystemRangeErrorCaption[] = "Error";

bool RightOriginApplies(int16_t marginOrigin, int32_t page) {
    switch (marginOrigin) {
        case 1: return true;
        case 2: return page % 2 != 0;
        case 3: return page % 2 == 0;
        default: return false;
    }
}

bool AskLayout(int16_t system, SystemLayoutInfo* info) {
    *info = SystemLayoutInfo{};
    info->infoSize = kSystemLayoutInfoSize;
    return Low16(HelperGetLayoutInfo(system, info, 0)) == 0;
}

// The divider of the gap below the upper system; runningPos moves from the
// bottom edge of the system above it to its own bottom edge.
bool PlaceGap(int16_t page, int16_t upperSystem, bool rightOrigin, int32_t* runningPos) {
    const int16_t lowerSystem = Low16(Add32(upperSystem, 1));
    SystemLayoutInfo lower;  // A
    SystemLayoutInfo upper;  // B
    if (!AskLayout(lowerSystem, &lower)) return false;
    if (!AskLayout(upperSystem, &upper)) return false;

    const int32_t halfGap = Low16(Neg32(Low16(lower.spaceAbove))) / 2;
    const int16_t percent = Low16(HelperGetStaffEnduction(upperSystem, upper.lastStaff));
    const int32_t staffSpan = Low16(Mul32(-kStaffHeight, percent)) / 100;

    *runningPos = Sub32(*runningPos, upper.spaceAbove);  // top edge of the upper system
    int32_t lastLineY;
    if (upper.isResized != 0) {
        const int32_t scaled =
            Div32(Mul32(upper.resizePercent, Sub32(Neg32(upper.lastLineRise), staffSpan)), 100);
        lastLineY = Sub32(Sub32(*runningPos, upper.height), scaled);
    } else {
        lastLineY = Add32(Add32(Sub32(*runningPos, upper.height), upper.lastLineRise), staffSpan);
    }
    *runningPos = Sub32(*runningPos, upper.height);  // bottom edge of the upper system

    int32_t firstLineY;
    if (lower.isResized != 0 && HelperFinaleVersion() < kFirstUnscaledTopVersion) {
        const int32_t scaled = Div32(Mul32(lower.resizePercent, Neg32(lower.topLineDrop)), 100);
        firstLineY = Add32(Sub32(*runningPos, lower.spaceAbove), scaled);
    } else {
        firstLineY = Sub32(Sub32(*runningPos, lower.spaceAbove), lower.topLineDrop);
    }

    const int16_t layoutNumber = CreateDividerText();
    if (layoutNumber == 0) return false;

    const DividerSettings& settings = dividerSettings;
    PageTextRecord text = {};
    text.textLayout = layoutNumber;
    text.startPage = page;
    text.endPage = page;
    text.flags = rightOrigin ? kRightMarginOriginFlags : 0;
    text.hOffset = rightOrigin ? Low16(Neg32(settings.hAdjust)) : settings.hAdjust;
    if (settings.vMethod == kBoundariesMethod) {
        text.vPosition = Low16(Add32(Add32(*runningPos, halfGap), settings.vAdjust));
    } else {
        const int32_t middle = Add32(lastLineY, Div32(Sub32(firstLineY, lastLineY), 2));
        text.vPosition = Low16(Add32(middle, settings.vAdjust));
    }

    RecordKey key = {page, -1};
    return Low16(HostCreateRecord(kPageTextTag, &key, &text, sizeof text, HostInterfaceVersion)) != 0;
}

}  // namespace

int32_t PlaceDividers(HWND ownerWindow) {
    // The page counter is wider than the 16-bit page numbers, so a range
    // that ends at the largest page number still ends.
    for (int32_t page = dividerSettings.firstPage; page <= dividerSettings.lastPage; ++page) {
        const int16_t page16 = static_cast<int16_t>(page);
        int16_t firstSystem = 0;
        int16_t lastSystem = 0;
        if (Low16(HelperSystemRangeOnPage(page16, &firstSystem, &lastSystem)) != 0) {
            MessageBoxA(ownerWindow, kSystemRangeErrorText, kSystemRangeErrorCaption, MB_ICONERROR);
            return 0;
        }
        if (firstSystem == 0) continue;

        const bool rightOrigin = RightOriginApplies(dividerSettings.marginOrigin, page);
        int32_t runningPos = 0;
        for (int32_t system = firstSystem; system < lastSystem; ++system) {
            if (!PlaceGap(page16, static_cast<int16_t>(system), rightOrigin, &runningPos)) return 0;
        }
    }
    return 1;
}

// The options dialog's Remove button: asks, removes the dividers of the
// chosen size from the chosen pages, and says how many went.
#include "dialogs/options_controls.h"
#include "engine/divider_removal.h"

namespace {

constexpr char kQuestionText[] =
    "This will erase all divider symbols with the specified font size within the selected page range. "
    "Are you sure?";
constexpr char kQuestionCaption[] = "Delete dividers?";
constexpr char kErasedFormat[] = "%d divider symbols erased.";
constexpr char kErasedCaption[] = "Divider symbols deleted";
constexpr char kNoneFoundText[] = "No divider symbols were found within the selected page range.";
constexpr char kNoneFoundCaption[] = "No dividers found";

// Room for the message with any int32 count.
constexpr int kMessageSize = 100;

}  // namespace

int16_t RemoveFromDialog(HWND dialog) {
    int16_t firstPage = 0;
    int16_t lastPage = 0;
    if (!ReadPageRange(dialog, &firstPage, &lastPage)) return 0;
    const int16_t size = SelectedFontSize(dialog);
    if (MessageBoxA(dialog, kQuestionText, kQuestionCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return 0;

    const int32_t removed = RemoveDividers(firstPage, lastPage, size);
    if (removed != 0) {
        char text[kMessageSize] = {};
        wsprintfA(text, kErasedFormat, static_cast<int>(removed));
        MessageBoxA(dialog, text, kErasedCaption, MB_ICONINFORMATION);
        return 1;
    }
    MessageBoxA(dialog, kNoneFoundText, kNoneFoundCaption, MB_ICONINFORMATION);
    return 0;
}

// The options dialog's two constant tables: the font sizes of its list and
// the names of its right-margin origins.
#include "dialogs/options_controls.h"

const int8_t kFontSizes[kFontSizeCount] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48};

const char kOriginNames[kOriginCount][kOriginNameSize] = {"Never", "Always", "On Odd Pages", "On Even Pages"};

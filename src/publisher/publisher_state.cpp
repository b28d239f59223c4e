// The publisher's process-wide values, empty until the host initialises the
// module.
#include "publisher/publisher_state.h"

HINSTANCE publisherModule = nullptr;
HWND publisherHostWindow = nullptr;
int32_t publisherVersionValue = 0;
const char* publisherMenuText = nullptr;
const char* publisherProgramName = nullptr;

HHOOK publisherHook = nullptr;
UINT publishedMenuId = 0;
HANDLE publisherMapping = nullptr;

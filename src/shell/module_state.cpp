#include "shell/module_state.h"

HINSTANCE moduleInstance = nullptr;
int32_t hostVersionValue = 0;

const char kMenuText[] = "Kelmoor &Stavenor [v 1.07]...";
const char kDescription[] = "Placing breaks between systems";
const char kTitle[] = "Stavenor";
const char kProgramName[] = "stavenor";

// The named shared-memory block that holds the command's menu identifier.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

constexpr size_t kBlockNameSize = 52;

// The block's name: the program name followed at once by the decimal value
// (with its minus sign), cut to fit the buffer and always terminated.
void FormatBlockName(char (&name)[kBlockNameSize], const char* programName, int32_t versionValue);

// Creates (or opens, when it exists) the 4-byte block named after the program
// name and publisherVersionValue and writes publishedMenuId into it. Answers
// the block's handle, or null when it could not be created or mapped.
HANDLE PublishMenuCommand(const char* programName);

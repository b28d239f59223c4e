// Calls into the bound helper entries, with the numbers at their widths.
//
// Each forwarder passes its arguments in 32-bit slots and returns the entry's
// result unchanged; callers take the low 16 bits where the entry answers in
// 16. The slots are called without a test: no caller gets past a successful
// HelperHandShake without a binding that filled them.
#pragma once

#include <cstdint>

#include "platform/helper_api.h"
#include "platform/win32.h"

int32_t CallInitByFinale(FARPROC entry);
int32_t CallHelperVersion(FARPROC entry, int32_t* scratch);
int32_t CallHandShake(FARPROC entry, int32_t a, int32_t b);

int32_t HelperFinaleVersion();
int32_t HelperGetLayoutInfo(int16_t system, SystemLayoutInfo* info, uint8_t flag);
int32_t HelperSystemRangeOnPage(int16_t page, int16_t* firstSystem, int16_t* lastSystem);
int32_t HelperGetStaffEnduction(int16_t system, int16_t staff);

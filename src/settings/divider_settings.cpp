#include "settings/divider_settings.h"

// The record as the module is loaded, before anything is read.
DividerSettings dividerSettings = {
    .firstPage = 1,
    .lastPage = 1,
    .hAdjust = 0,
    .vAdjust = 0,
    .fontSize = 14,
    .vMethod = 0,
    .rangeMode = 0,
    .autoAdjustV = 1,
    .marginOrigin = 0,
    .dialogAccepted = 0,
    .saveOnExit = 0,
    .pageCount = 1,
};

int16_t showWarning = 1;

void SetDefaultSettings(DividerSettings* record) {
    record->firstPage = 1;
    record->lastPage = 1;
    record->hAdjust = 0;
    record->vAdjust = 0;
    record->fontSize = 14;
    record->vMethod = 0;
    record->rangeMode = 0;
    record->autoAdjustV = 1;
    record->marginOrigin = 0;
}

#pragma once
// The system's common controls (track bar, up-down, progress bar,
// date-time picker) are made available once, before the first of them.

#include <windows.h>

void EnsureCommonControls();

// Texts of the Select Patch dialog's instrument list.
#pragma once

constexpr int INSTRUMENT_COUNT = 128;
extern const char* const INSTRUMENT_NAMES[INSTRUMENT_COUNT];

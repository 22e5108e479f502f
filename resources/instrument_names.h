// Texts of the Select Patch dialog's instrument list.
#pragma once

constexpr int kInstrumentCount = 128;
extern const char* const kInstrumentNames[kInstrumentCount];

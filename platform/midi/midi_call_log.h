// The log of MIDI calls that TABULOR_MIDI_LOG asks for, so that tests of the
// real program can check which calls it made.
#pragma once

#include <string>

// Appends line and a line end to the log file, if one is set; each line
// reaches the file before the call returns.
void LogMidiCall(const std::string& line);

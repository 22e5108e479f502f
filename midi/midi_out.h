// The MIDI short messages the main window sends: one 32-bit value each,
// the status byte lowest, then the first and the second data byte, all on
// channel 1.
#pragma once

#include "windef.h"

// A string's note index plus this is its MIDI key.
const int MIDI_NOTE_BASE = 36;
// The largest value of a data byte: the top of the volume slider's range and
// of the General MIDI program numbers.
const int MIDI_DATA_MAX = 127;
// Channel volume at every start.
const int START_VOLUME = 100;

inline DWORD NoteOnMessage(int nKey)
{
    const DWORD velocity = 127;
    return (velocity << 16) | (static_cast<DWORD>(nKey) << 8) | 0x90;
}

inline DWORD ProgramChangeMessage(int nProgram)
{
    return (static_cast<DWORD>(nProgram) << 8) | 0xC0;
}

// Control Change of controller 7, Channel Volume.
inline DWORD ChannelVolumeMessage(int nVolume)
{
    return (static_cast<DWORD>(nVolume) << 16) | 0x07B0;
}

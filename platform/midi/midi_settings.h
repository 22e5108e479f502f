// The MIDI device's settings. Like Windows, which takes them from the system
// and not from the program, they come from the environment:
//   TABULOR_MIDI_SOUNDFONT  SoundFont path (set but unusable: no device)
//   TABULOR_MIDI_DRIVER     FluidSynth audio driver name
//   TABULOR_MIDI_WAV        render into this WAV file instead of a sound device
//   TABULOR_MIDI_LOG        append one line per MIDI call to this file
// An empty variable counts as unset.
#pragma once

#include <string>
#include <vector>

struct MidiSettings
{
    std::string soundFont;
    std::string driver;
    std::string wavPath;
    std::string logPath;
};

MidiSettings ReadMidiSettings();

// The General MIDI SoundFonts looked for when none is configured, in order.
extern const std::vector<std::string> DEFAULT_SOUNDFONTS;

// The configured SoundFont if it is one; without a configured path the first
// of the candidates that is a SoundFont; empty when there is none.
std::string FindSoundFont(const std::string& configured,
                          const std::vector<std::string>& candidates = DEFAULT_SOUNDFONTS);

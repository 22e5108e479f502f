#include "midi_settings.h"

#include <cstdlib>

#include <fluidsynth.h>

#include "library_log.h"

namespace
{

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

const std::vector<std::string> DEFAULT_SOUNDFONTS = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

MidiSettings ReadMidiSettings()
{
    MidiSettings settings;
    settings.soundFont = Environment("TABULOR_MIDI_SOUNDFONT");
    settings.driver = Environment("TABULOR_MIDI_DRIVER");
    settings.wavPath = Environment("TABULOR_MIDI_WAV");
    settings.logPath = Environment("TABULOR_MIDI_LOG");
    return settings;
}

std::string FindSoundFont(const std::string& configured, const std::vector<std::string>& candidates)
{
    SilenceLibraryLogging();
    // A configured path that is wrong must show, not be papered over by a
    // default the user did not ask for.
    if (!configured.empty())
        return fluid_is_soundfont(configured.c_str()) ? configured : "";
    for (const std::string& candidate : candidates)
    {
        if (fluid_is_soundfont(candidate.c_str()))
            return candidate;
    }
    return "";
}

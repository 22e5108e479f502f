#include "fluid_driver_output.h"

#include <fluidsynth.h>

#include "fluid_synthesizer.h"
#include "library_log.h"
#include "midi_open_error.h"

namespace
{

// Buffering. FluidSynth's PulseAudio client renders one block of
// period-size frames and asks the server for a stream of that one block
// (periods unused): with 384 frames (8.7 ms) a PulseAudio server ran dry
// 2 to 149 times a minute under load, each gap up to 41 ms of silence inside
// a held chord; 768 frames (17.4 ms) gave 0 or 1, and a note then sounds
// some 15 to 35 ms after the call, which a click on Play does not feel.
// ALSA and the other drivers keep periods x period-size frames: 3 x 128
// frames, 8.7 ms, each period 2.9 ms, well above the synthesizer's render
// time for a chord (see bench/midi).
struct DriverBuffering
{
    const char* driver;
    int periodSize;
    int periods;
};

constexpr DriverBuffering PULSEAUDIO_BUFFERING = {"pulseaudio", 768, 2};
constexpr DriverBuffering OTHER_BUFFERING = {nullptr, 128, 3};

const DriverBuffering& BufferingOf(const std::string& driver)
{
    return driver == PULSEAUDIO_BUFFERING.driver ? PULSEAUDIO_BUFFERING : OTHER_BUFFERING;
}

}  // namespace

const std::vector<std::string> FluidDriverOutput::DEFAULT_DRIVERS = {"pulseaudio", "alsa"};

FluidDriverOutput::FluidDriverOutput(FluidSynthesizer& synthesizer, const std::vector<std::string>& drivers)
{
    fluid_settings_t* settings = synthesizer.Settings();
    std::string failures;
    for (const std::string& driver : drivers)
    {
        const DriverBuffering& buffering = BufferingOf(driver);
        fluid_settings_setstr(settings, "audio.driver", driver.c_str());
        fluid_settings_setint(settings, "audio.period-size", buffering.periodSize);
        fluid_settings_setint(settings, "audio.periods", buffering.periods);
        TakeLibraryError();
        m_driver = new_fluid_audio_driver(settings, synthesizer.Synth());
        if (m_driver)
            return;
        const std::string error = TakeLibraryError();
        failures += (failures.empty() ? "" : "; ") + driver + (error.empty() ? "" : ": " + error);
    }
    throw MidiOpenError(MMSYSERR_NODRIVER, "no audio output could be started (" + failures + ")");
}

FluidDriverOutput::~FluidDriverOutput()
{
    delete_fluid_audio_driver(m_driver);
}

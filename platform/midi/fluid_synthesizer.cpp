#include "fluid_synthesizer.h"

#include <fluidsynth.h>

#include "library_log.h"
#include "midi_open_error.h"

namespace
{

constexpr int MIDI_CHANNELS = 16;
constexpr int CONTROLLER_SUSTAIN = 64;
constexpr int ALL_CHANNELS = -1;

enum MidiStatus
{
    STATUS_NOTE_OFF = 0x80,
    STATUS_NOTE_ON = 0x90,
    STATUS_CONTROL_CHANGE = 0xB0,
    STATUS_PROGRAM_CHANGE = 0xC0,
};

std::string WithLibraryError(const std::string& reason)
{
    const std::string detail = TakeLibraryError();
    return detail.empty() ? reason : reason + " (" + detail + ")";
}

} // namespace

FluidSynthesizer::FluidSynthesizer(const std::string& soundFontPath)
{
    SilenceLibraryLogging();
    m_settings = new_fluid_settings();
    if (m_settings)
    {
        fluid_settings_setnum(m_settings, "synth.sample-rate", SAMPLE_RATE);
        m_synth = new_fluid_synth(m_settings);
    }
    if (!m_synth)
    {
        Destroy();
        throw MidiOpenError(MMSYSERR_NOMEM, WithLibraryError("cannot create the synthesizer"));
    }
    int soundFontId = FLUID_FAILED;
    KeepingGlibMessages([&] { soundFontId = fluid_synth_sfload(m_synth, soundFontPath.c_str(), 1); });
    if (soundFontId == FLUID_FAILED)
    {
        Destroy();
        throw MidiOpenError(MMSYSERR_ERROR, WithLibraryError("cannot load the SoundFont " + soundFontPath));
    }
}

FluidSynthesizer::~FluidSynthesizer()
{
    Destroy();
}

void FluidSynthesizer::Destroy()
{
    if (m_synth)
        delete_fluid_synth(m_synth);
    if (m_settings)
        delete_fluid_settings(m_settings);
    m_synth = nullptr;
    m_settings = nullptr;
}

void FluidSynthesizer::ShortMessage(DWORD message)
{
    const int status = message & 0xFF;
    const int channel = status & 0x0F;
    const int data1 = (message >> 8) & 0x7F;
    const int data2 = (message >> 16) & 0x7F;
    switch (status & 0xF0)
    {
    case STATUS_NOTE_ON:
        if (data2 != 0)
        {
            fluid_synth_noteon(m_synth, channel, data1, data2);
            break;
        }
        [[fallthrough]];
    case STATUS_NOTE_OFF:
        fluid_synth_noteoff(m_synth, channel, data1);
        break;
    case STATUS_CONTROL_CHANGE:
        fluid_synth_cc(m_synth, channel, data1, data2);
        break;
    case STATUS_PROGRAM_CHANGE:
        fluid_synth_program_change(m_synth, channel, data1);
        break;
    default:
        break;
    }
}

void FluidSynthesizer::Reset()
{
    // Sustain first: with the pedal down a Note Off would only hand the note
    // over to the pedal.
    for (int channel = 0; channel < MIDI_CHANNELS; ++channel)
        fluid_synth_cc(m_synth, channel, CONTROLLER_SUSTAIN, 0);
    fluid_synth_all_notes_off(m_synth, ALL_CHANNELS);
}

void FluidSynthesizer::Render(std::int16_t* samples, int frames)
{
    fluid_synth_write_s16(m_synth, frames, samples, 0, CHANNELS, samples, 1, CHANNELS);
}

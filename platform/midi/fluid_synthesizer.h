// The General MIDI synthesizer behind device 0: FluidSynth with one
// SoundFont. It plays MIDI short messages and renders on demand, so an audio
// output, a WAV file or a test can pull its sound. Every member may be called
// from any thread (FluidSynth's thread-safe API).
#pragma once

#include <cstdint>
#include <string>

#include "windef.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

class FluidSynthesizer
{
public:
    static constexpr int SAMPLE_RATE = 44100;
    static constexpr int CHANNELS = 2;

    // Creates the synthesizer and loads the SoundFont; throws MidiOpenError.
    explicit FluidSynthesizer(const std::string& soundFontPath);
    ~FluidSynthesizer();
    FluidSynthesizer(const FluidSynthesizer&) = delete;
    FluidSynthesizer& operator=(const FluidSynthesizer&) = delete;

    // Plays one short message in the layout midiOutShortMsg takes: Note On
    // (velocity 0 is Note Off), Note Off, Control Change and Program Change
    // on any channel; every other status is ignored.
    void ShortMessage(DWORD message);

    // Sustain off and Note Off for every sounding note on all channels:
    // notes end through their release; programs and controllers stay.
    void Reset();

    // Renders the next frames as interleaved 16-bit stereo samples.
    void Render(std::int16_t* samples, int frames);

    // For the audio drivers, which pull the sound themselves.
    fluid_settings_t* Settings() const { return m_settings; }
    fluid_synth_t* Synth() const { return m_synth; }

private:
    void Destroy();

    fluid_settings_t* m_settings = nullptr;
    fluid_synth_t* m_synth = nullptr;
};

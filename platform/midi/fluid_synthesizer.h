// The General MIDI synthesizer behind device 0: FluidSynth with one
// SoundFont. It plays MIDI short messages and renders on demand, so an audio
// output, a WAV file or a test can pull its sound. Every member may be called
// from any thread.
//
// The SoundFont's presets and samples load in a thread of their own, so that
// opening the device does not wait for them. Until the load ends the
// synthesizer renders silence and keeps the messages it is given, in order;
// they take effect the moment the load ends, so a chord played at once
// sounds whole as soon as it can. A SoundFont that turns out not to load
// leaves the synthesizer silent, with one line of report.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "windef.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

class FluidSynthesizer
{
public:
    static constexpr int SAMPLE_RATE = 44100;
    static constexpr int CHANNELS = 2;

    // Creates the synthesizer and starts loading the SoundFont; throws
    // MidiOpenError when the synthesizer cannot be created or the file's
    // layout shows it cannot be a SoundFont.
    explicit FluidSynthesizer(const std::string& soundFontPath);
    // Waits for the load to end.
    ~FluidSynthesizer();
    FluidSynthesizer(const FluidSynthesizer&) = delete;
    FluidSynthesizer& operator=(const FluidSynthesizer&) = delete;

    // Plays one short message in the layout midiOutShortMsg takes: Note On
    // (velocity 0 is Note Off), Note Off, Control Change and Program Change
    // on any channel; every other status is ignored.
    void ShortMessage(DWORD message);

    // Sustain off and Note Off for every sounding note on all channels:
    // notes end through their release; programs and controllers stay.
    // Notes still waiting for the load are dropped: they never sound.
    void Reset();

    // Renders the next frames as interleaved 16-bit stereo samples.
    void Render(std::int16_t* samples, int frames);

    // Waits until the SoundFont's load has ended; true when it loaded.
    bool WaitUntilLoaded();

    // For the audio drivers, which pull the sound themselves.
    fluid_settings_t* Settings() const { return m_settings; }
    fluid_synth_t* Synth() const { return m_synth; }

private:
    enum class LoadState
    {
        LOADING,
        LOADED,
        FAILED,
    };

    // A message kept during the load; a reset is kept as one too.
    struct PendingMessage
    {
        bool isReset;
        DWORD message;
    };

    void Load(const std::string& soundFontPath);
    void Play(DWORD message);
    void PlayReset();
    void Destroy();

    fluid_settings_t* m_settings = nullptr;
    fluid_synth_t* m_synth = nullptr;

    std::mutex m_stateMutex;
    std::condition_variable m_loadEnded;
    LoadState m_state = LoadState::LOADING;
    std::vector<PendingMessage> m_pending;
    std::thread m_loadThread;
};

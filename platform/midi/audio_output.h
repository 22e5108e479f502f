// Where the synthesizer's sound goes while device 0 is open. An output runs
// from construction, when it starts pulling sound from the synthesizer, to
// destruction, when it stops; a constructor that cannot start throws
// MidiOpenError.
#pragma once

#include <memory>

class FluidSynthesizer;
struct MidiSettings;

class AudioOutput
{
public:
    virtual ~AudioOutput() = default;
};

// The WAV file of the settings if one is set, else the sound device.
std::unique_ptr<AudioOutput> StartAudioOutput(FluidSynthesizer& synthesizer, const MidiSettings& settings);

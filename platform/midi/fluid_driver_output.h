// The synthesizer playing through one of FluidSynth's audio drivers.
#pragma once

#include <string>
#include <vector>

#include "audio_output.h"

typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

class FluidDriverOutput : public AudioOutput
{
public:
    // The drivers tried in order when none is configured. PipeWire desktops
    // serve PulseAudio clients too.
    static const std::vector<std::string> DEFAULT_DRIVERS;

    // Starts the first of drivers that opens; throws MidiOpenError
    // (MMSYSERR_NODRIVER) when none does.
    FluidDriverOutput(FluidSynthesizer& synthesizer, const std::vector<std::string>& drivers);
    ~FluidDriverOutput() override;
    FluidDriverOutput(const FluidDriverOutput&) = delete;
    FluidDriverOutput& operator=(const FluidDriverOutput&) = delete;

private:
    fluid_audio_driver_t* m_driver = nullptr;
};

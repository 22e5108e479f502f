#include "audio_output.h"

#include "fluid_driver_output.h"
#include "midi_settings.h"
#include "wav_file_output.h"

std::unique_ptr<AudioOutput> StartAudioOutput(FluidSynthesizer& synthesizer, const MidiSettings& settings)
{
    if (!settings.wavPath.empty())
        return std::make_unique<WavFileOutput>(synthesizer, settings.wavPath);
    if (!settings.driver.empty())
        return std::make_unique<FluidDriverOutput>(synthesizer, std::vector<std::string>{settings.driver});
    return std::make_unique<FluidDriverOutput>(synthesizer, FluidDriverOutput::DEFAULT_DRIVERS);
}

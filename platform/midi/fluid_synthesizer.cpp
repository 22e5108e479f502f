#include "fluid_synthesizer.h"

#include <system_error>

#include <fluidsynth.h>
#include <omp.h>

#include "library_log.h"
#include "midi_open_error.h"
#include "soundfont_layout.h"

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

bool IsNoteMessage(DWORD message)
{
    const int kind = message & 0xF0;
    return kind == STATUS_NOTE_ON || kind == STATUS_NOTE_OFF;
}

} // namespace

FluidSynthesizer::FluidSynthesizer(const std::string& soundFontPath)
{
    SilenceLibraryLogging();
    const std::string layoutError = SoundFontLayoutError(soundFontPath);
    if (!layoutError.empty())
        throw MidiOpenError(MMSYSERR_ERROR, "cannot load the SoundFont " + soundFontPath + ": the file " + layoutError);
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
    try
    {
        m_loadThread = std::thread(&FluidSynthesizer::Load, this, soundFontPath);
    }
    catch (const std::system_error&)
    {
        Destroy();
        throw MidiOpenError(MMSYSERR_NOMEM, "cannot start loading the SoundFont");
    }
}

FluidSynthesizer::~FluidSynthesizer()
{
    m_loadThread.join();
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

void FluidSynthesizer::Load(const std::string& soundFontPath)
{
    // FluidSynth holds its API lock for the whole load: a message given to
    // it meanwhile would block its caller, so messages wait here instead.
    //
    // FluidSynth reads the samples with an OpenMP team as large as the
    // machine, whose threads spin while they wait for work: the default
    // SoundFont took 34 to 70 ms to load that way against 16 to 21 ms on
    // this thread alone, which also leaves the other cores to the window.
    omp_set_num_threads(1);
    int soundFontId = FLUID_FAILED;
    TakeLibraryError();
    KeepingGlibMessages([&] { soundFontId = fluid_synth_sfload(m_synth, soundFontPath.c_str(), 1); });
    std::lock_guard<std::mutex> lock(m_stateMutex);
    if (soundFontId == FLUID_FAILED)
    {
        m_state = LoadState::FAILED;
        ReportMidiFailure(WithLibraryError("cannot load the SoundFont " + soundFontPath) +
                          "; the MIDI output stays silent");
    }
    else
    {
        for (const PendingMessage& pending : m_pending)
            pending.isReset ? PlayReset() : Play(pending.message);
        m_state = LoadState::LOADED;
    }
    m_pending.clear();
    m_pending.shrink_to_fit();
    m_loadEnded.notify_all();
}

bool FluidSynthesizer::WaitUntilLoaded()
{
    std::unique_lock<std::mutex> lock(m_stateMutex);
    m_loadEnded.wait(lock, [this] { return m_state != LoadState::LOADING; });
    return m_state == LoadState::LOADED;
}

void FluidSynthesizer::ShortMessage(DWORD message)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    if (m_state == LoadState::LOADING)
        m_pending.push_back({false, message});
    else if (m_state == LoadState::LOADED)
        Play(message);
}

void FluidSynthesizer::Reset()
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    if (m_state == LoadState::LOADING)
    {
        // Notes silenced before they could sound are dropped, not started
        // and stopped at once (which would let their release be heard).
        std::vector<PendingMessage> kept;
        for (const PendingMessage& pending : m_pending)
        {
            if (pending.isReset || !IsNoteMessage(pending.message))
                kept.push_back(pending);
        }
        kept.push_back({true, 0});
        m_pending.swap(kept);
    }
    else if (m_state == LoadState::LOADED)
        PlayReset();
}

void FluidSynthesizer::Play(DWORD message)
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

void FluidSynthesizer::PlayReset()
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

// Device 0 with the default SoundFont: the open's return and the end of the
// SoundFont's load, the Note Ons of a chord, the synthesizer's render time
// against an audio period, how closely the WAV file output keeps pace with
// the clock, and the memory the loaded synthesizer holds. Device opens
// render into a WAV file so that they run without a sound card.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "midi/fluid_synthesizer.h"
#include "midi/midi_settings.h"
#include "mmsystem.h"

namespace
{

// The E major chord on six strings: the most notes the program sounds.
const DWORD CHORD_NOTE_ONS[] = {0x7F4090, 0x7F3B90, 0x7F3890, 0x7F3490, 0x7F2F90, 0x7F2890};

const char WAV_PATH[] = "/tmp/tabulor_midi_bench.wav";

void UseWavOutput()
{
    ::setenv("TABULOR_MIDI_WAV", WAV_PATH, 1);
}

double SecondsInWavFile()
{
    constexpr int HEADER_BYTES = 44;
    constexpr int BYTES_PER_SECOND = FluidSynthesizer::SAMPLE_RATE * FluidSynthesizer::CHANNELS * 2;
    std::error_code error;
    const auto size = std::filesystem::file_size(WAV_PATH, error);
    return error || size < HEADER_BYTES ? 0.0 : double(size - HEADER_BYTES) / BYTES_PER_SECOND;
}

double ResidentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long sizePages = 0;
    long residentPages = 0;
    statm >> sizePages >> residentPages;
    return double(residentPages) * ::sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0);
}

HMIDIOUT OpenOrSkip(benchmark::State& state)
{
    HMIDIOUT handle = nullptr;
    if (midiOutOpen(&handle, 0, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR)
        state.SkipWithError("midiOutOpen failed");
    return handle;
}

// First, so that no earlier open has grown the heap already. The
// synthesizer alone, so that the figure is taken once its SoundFont has
// loaded.
void BM_ResidentMemoryWithSoundFontLoaded(benchmark::State& state)
{
    for (auto _ : state)
    {
        const double before = ResidentMegabytes();
        FluidSynthesizer synthesizer(FindSoundFont(""));
        synthesizer.WaitUntilLoaded();
        state.counters["rss_before_MB"] = before;
        state.counters["rss_loaded_MB"] = ResidentMegabytes();
    }
}
BENCHMARK(BM_ResidentMemoryWithSoundFontLoaded)->Iterations(1)->Unit(benchmark::kMillisecond);

// The time midiOutOpen takes to return (what the window waits for), and
// the synthesizer's time from its creation to the end of its SoundFont's
// load (what a chord played at once waits for).
void BM_Open(benchmark::State& state)
{
    UseWavOutput();
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        HMIDIOUT handle = OpenOrSkip(state);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        midiOutClose(handle);
    }
}
BENCHMARK(BM_Open)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SoundFontLoaded(benchmark::State& state)
{
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        FluidSynthesizer synthesizer(FindSoundFont(""));
        synthesizer.WaitUntilLoaded();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_SoundFontLoaded)->UseManualTime()->Unit(benchmark::kMillisecond);

// From the first Note On of a chord to the return of the last.
void BM_SixNoteOns(benchmark::State& state)
{
    UseWavOutput();
    HMIDIOUT handle = OpenOrSkip(state);
    for (auto _ : state)
    {
        midiOutReset(handle);
        const auto start = std::chrono::steady_clock::now();
        for (DWORD message : CHORD_NOTE_ONS)
            midiOutShortMsg(handle, message);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    midiOutClose(handle);
}
BENCHMARK(BM_SixNoteOns)->UseManualTime()->Unit(benchmark::kMicrosecond);

// One audio period of a sounding six-note chord. The audio thread must
// render a period in less than the period lasts, or the sound drops out:
// budget_used_pct is render time over period time, in percent.
void BM_RenderPeriod(benchmark::State& state)
{
    const int frames = static_cast<int>(state.range(0));
    FluidSynthesizer synthesizer(FindSoundFont(""));
    synthesizer.WaitUntilLoaded();
    std::vector<std::int16_t> samples(frames * FluidSynthesizer::CHANNELS);
    const int periodsPerSecond = FluidSynthesizer::SAMPLE_RATE / frames;
    int period = 0;
    std::chrono::steady_clock::duration rendering{};
    for (auto _ : state)
    {
        // Struck again every second, so that the voices do not die away.
        if (period++ % periodsPerSecond == 0)
            for (DWORD message : CHORD_NOTE_ONS)
                synthesizer.ShortMessage(message);
        const auto start = std::chrono::steady_clock::now();
        synthesizer.Render(samples.data(), frames);
        rendering += std::chrono::steady_clock::now() - start;
        benchmark::DoNotOptimize(samples.data());
    }
    const double periodSeconds = double(frames) / FluidSynthesizer::SAMPLE_RATE;
    state.counters["budget_used_pct"] =
        100 * std::chrono::duration<double>(rendering).count() / (double(state.iterations()) * periodSeconds);
}
BENCHMARK(BM_RenderPeriod)->Arg(128)->Arg(384)->Unit(benchmark::kMicrosecond);

// The WAV file output renders in real time: for one second after the open
// returns, how far the sound in the file lags behind the clock counted from
// that return (negative: ahead, as rendering starts inside the open).
void BM_WavFilePace(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    UseWavOutput();
    double worstLag = -1e9;
    double lastLag = 0;
    for (auto _ : state)
    {
        HMIDIOUT handle = OpenOrSkip(state);
        const Clock::time_point opened = Clock::now();
        for (double clock = 0; clock < 1.0;)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            clock = std::chrono::duration<double>(Clock::now() - opened).count();
            lastLag = clock - SecondsInWavFile();
            worstLag = std::max(worstLag, lastLag);
        }
        midiOutClose(handle);
    }
    state.counters["lag_worst_ms"] = 1000 * worstLag;
    state.counters["lag_end_ms"] = 1000 * lastLag;
}
BENCHMARK(BM_WavFilePace)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

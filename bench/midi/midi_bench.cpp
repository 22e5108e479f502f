// Device 0 with the default SoundFont: the open's return and the end of the
// SoundFont's load, the Note Ons of a chord, the synthesizer's render time
// against an audio period, and the memory the loaded synthesizer holds. Device opens render into a WAV file so that
// they run without a sound card.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
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

void UseWavOutput()
{
    ::setenv("TABULOR_MIDI_WAV", "/tmp/tabulor_midi_bench.wav", 1);
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


} // namespace

// Process start to the first frame on screen: the program with the chord
// file and help image it ships with, against bare Qt 6 programs, run
// alternately in one benchmark so that a busy machine weighs on all alike.
// Reported as medians of the runs (ms), with the median of the per-round
// ratio to the bare dialog with controls, the resident memory at the first
// frame and the load average around the run.
#include "probe_run.h"
#include "scratch_dir.h"
#include "testing.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>


namespace
{
struct Program
{
    const char* name;
    const char* path;
};

// The first is the program measured, the second its yardstick.
const Program PROGRAMS[] = {
    {"Tabulor", TABULOR_FIRST_FRAME},
    {"BareControls", BARE_CONTROLS_DIALOG},
    {"BareControlsWithFluidSynth", BARE_CONTROLS_DIALOG_WITH_FLUIDSYNTH},
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A scratch working folder holding copies of the shipped data, current
// while it lives.
class ShippedDataFolder : public CurrentScratchDir
{
public:
    ShippedDataFolder()
    {
        for (const char* file : {"Tabulor.xml", "TabulorHelp.gif"})
            std::filesystem::copy_file(std::filesystem::path(SHIPPED_DATA_DIR) / file, Folder() / file);
    }
};

double LoadAverage()
{
    double load = -1;
    getloadavg(&load, 1);
    return load;
}

// One iteration is one round: every program once, the order turned each
// round so that none always follows the same one.
void BM_FirstFrame(benchmark::State& state)
{
    ShippedDataFolder folder;
    constexpr std::size_t count = std::size(PROGRAMS);
    std::map<std::string, std::vector<double>> times;
    std::map<std::string, long> resident;
    std::vector<double> ratios;
    const double loadBefore = LoadAverage();
    std::size_t round = 0;
    for (auto _ : state)
    {
        ProbeRun runs[count];
        for (std::size_t i = 0; i < count; ++i)
        {
            const std::size_t which = (round + i) % count;
            runs[which] = RunProbe(PROGRAMS[which].path);
            if (runs[which].milliseconds < 0)
            {
                state.SkipWithError((std::string(PROGRAMS[which].name) + " showed no frame").c_str());
                return;
            }
        }
        ++round;
        for (std::size_t i = 0; i < count; ++i)
        {
            times[PROGRAMS[i].name].push_back(runs[i].milliseconds);
            resident[PROGRAMS[i].name] = runs[i].residentKb;
        }
        ratios.push_back(runs[0].milliseconds / runs[1].milliseconds);
        state.SetIterationTime(runs[0].milliseconds / 1000);
    }
    for (const Program& program : PROGRAMS)
    {
        state.counters[std::string(program.name) + "_ms"] = Median(times[program.name]);
        state.counters[std::string(program.name) + "_MB"] = resident[program.name] / 1024.0;
    }
    state.counters["ratio_to_BareControls"] = Median(ratios);
    state.counters["load_before"] = loadBefore;
    state.counters["load_after"] = LoadAverage();
}
BENCHMARK(BM_FirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
}  // namespace

int main(int argc, char** argv)
{
    afxtest::UseHeadlessDefaults();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Start-up time and memory of the main window against a bare Qt dialog, and
// the cost of one keystroke's lookup in large chord tables.
#include "bench_folder.h"
#include "chord_file.h"
#include "probe_run.h"
#include "tabulor_dlg.h"
#include "testing.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>


namespace
{
// Runs the program to its end; returns the resident kilobytes its probe
// printed, or -1.
long RunToEnd(const char* program)
{
    return RunProbe(program).residentKb;
}

void MeasureStartUp(benchmark::State& state, const char* program)
{
    BenchFolder folder(1000);
    long residentKb = 0;
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        residentKb = RunToEnd(program);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    if (residentKb < 0)
        state.SkipWithError("the probe did not reach its first paint");
    state.counters["resident_MB"] = residentKb / 1024.0;
}

// The main window without its MIDI device, against the bare dialog.
void BM_StartUpToFirstPaint_Tabulor(benchmark::State& state)
{
    MeasureStartUp(state, STARTUP_PROBE_WITHOUT_DEVICE);
}
BENCHMARK(BM_StartUpToFirstPaint_Tabulor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// The same with the synthesizer opened as the program opens it: the
// difference is what the default SoundFont and the audio thread add.
void BM_StartUpToFirstPaint_TabulorWithSynthesizer(benchmark::State& state)
{
    MeasureStartUp(state, STARTUP_PROBE);
}
BENCHMARK(BM_StartUpToFirstPaint_TabulorWithSynthesizer)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

void BM_StartUpToFirstPaint_BareQtDialog(benchmark::State& state)
{
    MeasureStartUp(state, BARE_QT_DIALOG);
}
BENCHMARK(BM_StartUpToFirstPaint_BareQtDialog)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

class CLookupDlg : public CTabulorDlg
{
public:
    void TypeWithoutPainting(const char* name)
    {
        m_strChordName = name;
        UpdateData(FALSE);
    }
    using CTabulorDlg::OnEnChangeChordName;
};

// One keystroke's work in the worst place: the last family of the table.
void BM_KeystrokeLookup(benchmark::State& state)
{
    const int families = static_cast<int>(state.range(0));
    BenchFolder folder(families);
    afxtest::MessageBoxRecorder boxes;
    CLookupDlg dlg;
    afxtest::ModelessDialog run(dlg);
    dlg.TypeWithoutPainting(("Alt" + std::to_string(families - 1)).c_str());
    for (auto _ : state)
        dlg.OnEnChangeChordName();
}
BENCHMARK(BM_KeystrokeLookup)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

CWinApp benchApp;
}  // namespace

// The main window's sound: from Play to the last Note On sent. Without a
// sound card the device renders into /dev/null: the same synthesizer and
// audio thread, no sound server. What the synthesizer adds to start-up time
// and memory is measured beside the main window's start-up (bench/fretboard).
#include "bench_folder.h"
#include "tabulor_dlg.h"
#include "testing.h"

#include <benchmark/benchmark.h>

namespace
{
// The shown A minor played as the Play button does: from the click's
// message to the return after the last Note On.
void BM_PlayToLastNoteOn(benchmark::State& state)
{
    BenchFolder folder(1);
    afxtest::MessageBoxRecorder boxes;
    CTabulorDlg dlg;
    afxtest::ModelessDialog run(dlg);
    dlg.ShowApplicature(0, 1, 2, 2, -10, 0, 0, 1, 3, 2, 0, 0, 0);
    for (auto _ : state)
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PLAY, BN_CLICKED), 0);
}
BENCHMARK(BM_PlayToLastNoteOn)->Unit(benchmark::kMicrosecond);

CWinApp benchApp;
}  // namespace

// Google Benchmark's main for the window benchmarks: one QApplication for
// the whole run, on the offscreen platform with a silent MIDI device unless
// the environment names others.
#include "testing.h"

#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char** argv)
{
    afxtest::UseHeadlessDefaults();
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

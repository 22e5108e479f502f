// Reading and writing chord files of 1,000 to 100,000 families, each time
// against the bare file work that cannot be avoided: TinyXML's LoadFile for
// the reader, one fwrite of the same bytes for the writer. Then the memory
// of one read, each in a process of its own: its peak, what stays resident
// after it, and what the same table takes when built in memory directly.
#include "scratch_dir.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>
#include <tinyxml.h>

#include "chord_table_reader.h"
#include "chord_table_writer.h"
#include "resident_memory.h"

namespace
{

using Clock = std::chrono::steady_clock;

ChordTable GeneratedTable(int families)
{
    ChordTable table;
    table.reserve(families);
    for (int i = 0; i < families; ++i)
    {
        const std::string root = "C" + std::to_string(i);
        ChordFamily family{{root + "m7", root + "-7", root + "min7"}, {}};
        for (int j = 0; j < 4; ++j)
        {
            Applicature applicature(APPLICATURE_SIZE);
            for (int s = 0; s < 6; ++s)
            {
                applicature[s] = (i + j + s) % 5 == 0 ? POS_NOT_PLAYED : (i + s) % 4 + 1;
                applicature[s + 6] = (i * 3 + j + s) % 5;
            }
            applicature[(i + j) % 6] = -applicature[(i + j) % 6];
            applicature[12] = (i + j) % 13;
            family.variants.push_back(applicature);
        }
        table.push_back(family);
    }
    return table;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

void BM_ReadChordTable(benchmark::State& state)
{
    const ScratchDir folder;
    const std::string path = folder.Path("Tabulor.xml");
    const ChordTable source = GeneratedTable(static_cast<int>(state.range(0)));
    ChordTableWriter writer(path.c_str(), &source, 0, 0);
    const auto fileSize = static_cast<int64_t>(std::filesystem::file_size(path));

    Clock::duration readerTime{}, loadFileTime{};
    for (auto _ : state)
    {
        state.PauseTiming();
        const Clock::time_point loadStart = Clock::now();
        {
            TiXmlDocument document(path.c_str());
            benchmark::DoNotOptimize(document.LoadFile(TIXML_ENCODING_UNKNOWN));
        }
        loadFileTime += Clock::now() - loadStart;
        state.ResumeTiming();

        const Clock::time_point readStart = Clock::now();
        ChordTable table;
        ChordTableReader reader(path.c_str(), &table);
        benchmark::DoNotOptimize(table.data());
        readerTime += Clock::now() - readStart;
    }
    state.SetBytesProcessed(state.iterations() * fileSize);
    state.counters["x_LoadFile"] = Seconds(readerTime) / Seconds(loadFileTime);
}

void BM_WriteChordTable(benchmark::State& state)
{
    const ScratchDir folder;
    const std::string path = folder.Path("Tabulor.xml");
    const std::string plainPath = folder.Path("plain.xml");
    const ChordTable table = GeneratedTable(static_cast<int>(state.range(0)));
    {
        ChordTableWriter writer(path.c_str(), &table, 0, 0);
    }
    const std::string bytes = FileBytes(path);

    // The same bytes with one fwrite, once as it is and once made durable
    // as the writer makes its file.
    const auto plainWrite = [&](bool sync) {
        const Clock::time_point start = Clock::now();
        FILE* file = std::fopen(plainPath.c_str(), "wb");
        benchmark::DoNotOptimize(std::fwrite(bytes.data(), 1, bytes.size(), file));
        if (sync)
        {
            std::fflush(file);
            fsync(fileno(file));
        }
        std::fclose(file);
        return Clock::now() - start;
    };

    Clock::duration writerTime{}, fwriteTime{}, fwriteSyncTime{};
    for (auto _ : state)
    {
        state.PauseTiming();
        fwriteTime += plainWrite(false);
        fwriteSyncTime += plainWrite(true);
        state.ResumeTiming();

        const Clock::time_point start = Clock::now();
        ChordTableWriter writer(path.c_str(), &table, 0, 0);
        writerTime += Clock::now() - start;
        if (!writer.IsWritten())
            state.SkipWithError("the chord file was not written");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
    state.counters["x_fwrite"] = Seconds(writerTime) / Seconds(fwriteTime);
    state.counters["x_fwrite_fsync"] = Seconds(writerTime) / Seconds(fwriteSyncTime);
}

// What one child process measured of its work.
struct ChildFigures
{
    double seconds = 0;
    long residentBeforeKb = 0;
    long residentAfterKb = 0;
    long peakKb = 0;
};

// Runs work in a child process, so that its peak resident memory is its
// own; the figures come back through a pipe and wait4's resource use.
template <typename Work>
ChildFigures MeasureInChild(Work work)
{
    int channel[2];
    if (pipe(channel) != 0)
        std::abort();
    const pid_t child = fork();
    if (child == 0)
    {
        close(channel[0]);
        ChildFigures figures;
        figures.residentBeforeKb = ResidentKilobytes();
        const Clock::time_point start = Clock::now();
        work();
        figures.seconds = Seconds(Clock::now() - start);
        figures.residentAfterKb = ResidentKilobytes();
        const bool sent = write(channel[1], &figures, sizeof figures) == static_cast<ssize_t>(sizeof figures);
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    ChildFigures figures;
    const bool received = read(channel[0], &figures, sizeof figures) == static_cast<ssize_t>(sizeof figures);
    close(channel[0]);
    int status = 0;
    struct rusage usage;
    if (wait4(child, &status, 0, &usage) != child || !received || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::abort();
    figures.peakKb = usage.ru_maxrss;
    return figures;
}

void ReportMemory(benchmark::State& state, const std::string& path, const ChildFigures& read)
{
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
    state.counters["read_s"] = read.seconds;
    state.counters["peak_MB"] = (read.peakKb - read.residentBeforeKb) / 1024.0;
    state.counters["resident_after_MB"] = (read.residentAfterKb - read.residentBeforeKb) / 1024.0;
}

// A valid file of range(0) families; the table's own size is what the same
// table takes when built directly.
void BM_ReadMemory(benchmark::State& state)
{
    const ScratchDir folder;
    const std::string path = folder.Path("Tabulor.xml");
    const int families = static_cast<int>(state.range(0));
    MeasureInChild([&] {
        const ChordTable source = GeneratedTable(families);
        ChordTableWriter writer(path.c_str(), &source, 0, 0);
    });
    ChildFigures read, built;
    for (auto _ : state)
    {
        read = MeasureInChild([&] {
            ChordTable table;
            ChordTableReader reader(path.c_str(), &table);
            benchmark::DoNotOptimize(table.data());
        });
        built = MeasureInChild([&] {
            const ChordTable table = GeneratedTable(families);
            benchmark::DoNotOptimize(table.data());
        });
    }
    ReportMemory(state, path, read);
    state.counters["table_MB"] = (built.residentAfterKb - built.residentBeforeKb) / 1024.0;
}

// range(0) MB of empty chord elements, each a family of its own: the
// parser's cost per element at its worst.
void BM_ReadEmptyChordsMemory(benchmark::State& state)
{
    const ScratchDir folder;
    const std::string path = folder.Path("Tabulor.xml");
    {
        const std::string head = "<chords_xml_table><instrument>";
        const std::string tail = "</instrument></chords_xml_table>";
        const std::size_t size = static_cast<std::size_t>(state.range(0)) << 20;
        const std::string chord = "<chord/>";
        std::string text = head;
        text.reserve(size);
        while (text.size() + chord.size() + tail.size() <= size)
            text += chord;
        text += tail;
        std::ofstream(path, std::ios::binary) << text;
    }
    ChildFigures read;
    for (auto _ : state)
        read = MeasureInChild([&] {
            ChordTable table;
            ChordTableReader reader(path.c_str(), &table);
            benchmark::DoNotOptimize(table.data());
        });
    ReportMemory(state, path, read);
}

// The text alone, without the file: what the writer's own code costs.
void BM_BuildChordText(benchmark::State& state)
{
    const ChordTable table = GeneratedTable(static_cast<int>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state)
    {
        std::string text;
        for (std::size_t i = 0; i < table.size(); ++i)
            ChordTableWriter::WriteChord(text, table[i], static_cast<int>(i));
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}

BENCHMARK(BM_ReadChordTable)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteChordTable)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildChordText)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMemory)->Arg(100000)->Arg(120000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEmptyChordsMemory)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

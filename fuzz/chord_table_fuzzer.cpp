// Reads arbitrary bytes as a chord file, then writes the table and reads it
// again: the second read must give the same table back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "chord_table_reader.h"
#include "chord_table_writer.h"

namespace {

std::string g_scratchFolder;

void RemoveScratchFolder()
{
    std::filesystem::remove_all(g_scratchFolder);
}

// Every save syncs its file; on tmpfs that costs nothing.
const std::string& ScratchFolder()
{
    if (g_scratchFolder.empty())
    {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/chordtable-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        g_scratchFolder = pattern;
        std::atexit(RemoveScratchFolder);
    }
    return g_scratchFolder;
}

void Check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "chord table fuzzer: %s\n", what);
        std::abort();
    }
}

// A carriage return can only reach a name through a character reference
// (the loader turns every CR of the file into LF); it is written as it is,
// and so comes back as LF.
bool NamesHoldCarriageReturn(const ChordTable& table)
{
    for (const ChordFamily& family : table)
        for (const std::string& name : family.names)
            if (name.find('\r') != std::string::npos)
                return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = ScratchFolder() + "/input.xml";
    const std::string output = ScratchFolder() + "/Tabulor.xml";
    FILE* file = std::fopen(input.c_str(), "wb");
    Check(file != nullptr && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0, "cannot write the input");

    ChordTable table;
    ChordTableReader reader(input.c_str(), &table);
    for (const ChordFamily& family : table)
    {
        Check(!family.names.empty(), "a family without names");
        for (const std::string& name : family.names)
            Check(name.find(',') == std::string::npos, "a name holding a comma");
        for (const Applicature& applicature : family.variants)
            Check(applicature.size() == APPLICATURE_SIZE, "an applicature of the wrong size");
    }

    ChordTableWriter writer(output.c_str(), &table, 0, 0);
    Check(writer.IsWritten(), "the table was not written");
    ChordTable readBack;
    ChordTableReader readerOfWritten(output.c_str(), &readBack);
    Check(readerOfWritten.IsReadWhole(), "the written file does not parse");
    if (!NamesHoldCarriageReturn(table))
        Check(readBack == table, "the written table reads back different");
    return 0;
}

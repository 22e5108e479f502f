// A chord file of n families for the benchmarks: two names and one
// fingering each, the last family's names the last to be found.
#pragma once

#include "chord_table_writer.h"

#include <string>

inline std::string BenchFamilyName(int index)
{
    return "Chord" + std::to_string(index);
}

inline void WriteBenchChordFile(const char* fileName, int families)
{
    ChordTable table;
    table.reserve(families);
    for (int i = 0; i < families; ++i)
        table.push_back(
            {{BenchFamilyName(i), "Alt" + std::to_string(i)}, {{0, 1, 2, 2, -10, 0, 0, 1, 3, 2, 0, 0, i % 13}}});
    ChordTableWriter writer(fileName, &table, 0, 0);
}

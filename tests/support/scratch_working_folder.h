// The process's working directory moved to a private folder for one test,
// where the program finds its chord file and help image.
#pragma once

#include "chord_table_writer.h"
#include "scratch_dir.h"

class ScratchWorkingFolder : public CurrentScratchDir
{
public:
    void WriteChordFile(const ChordTable& table) const { ChordTableWriter writer("Tabulor.xml", &table, 0, 0); }
    void WriteHelpImage() const { Write("TabulorHelp.gif", "GIF89a"); }
};

// The process's working directory moved to a private folder for one test,
// where the program finds its chord file and help image.
#pragma once

#include "chord_table_writer.h"
#include "scratch_dir.h"

#include <filesystem>

class ScratchWorkingFolder
{
public:
    ScratchWorkingFolder() : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(m_dir.Folder());
    }
    // Back out before the folder goes: the scratch folder is removed after.
    ~ScratchWorkingFolder() { std::filesystem::current_path(m_previous); }
    ScratchWorkingFolder(const ScratchWorkingFolder&) = delete;
    ScratchWorkingFolder& operator=(const ScratchWorkingFolder&) = delete;

    void WriteChordFile(const ChordTable& table) const
    {
        ChordTableWriter writer("Tabulor.xml", &table, 0, 0);
    }
    void WriteHelpImage() const { m_dir.Write("TabulorHelp.gif", "GIF89a"); }

private:
    ScratchDir m_dir;
    std::filesystem::path m_previous;
};

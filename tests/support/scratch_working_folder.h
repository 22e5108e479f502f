// The process's working directory moved to a private folder for one test,
// where the program finds its chord file and help image.
#pragma once

#include "chord_table_writer.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class ScratchWorkingFolder
{
public:
    ScratchWorkingFolder() : m_previous(std::filesystem::current_path())
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "fretboard-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_path = pattern;
        std::filesystem::current_path(m_path);
    }
    ~ScratchWorkingFolder()
    {
        std::filesystem::current_path(m_previous);
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchWorkingFolder(const ScratchWorkingFolder&) = delete;
    ScratchWorkingFolder& operator=(const ScratchWorkingFolder&) = delete;

    void WriteChordFile(const ChordTable& table) const
    {
        ChordTableWriter writer("Tabulor.xml", &table, 0, 0);
    }
    void WriteHelpImage() const { std::ofstream("TabulorHelp.gif", std::ios::binary) << "GIF89a"; }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};


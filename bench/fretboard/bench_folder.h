// A scratch working folder for the benchmarks, made current while it lives:
// a chord file of n families and a help image, as the program expects them.
#pragma once

#include "chord_file.h"
#include "scratch_dir.h"

#include <cstdio>
#include <filesystem>
#include <string>

class BenchFolder
{
public:
    explicit BenchFolder(int families) : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(m_dir.Folder());
        WriteBenchChordFile("Tabulor.xml", families);
        std::fclose(std::fopen("TabulorHelp.gif", "wb"));
    }
    ~BenchFolder() { std::filesystem::current_path(m_previous); }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

private:
    ScratchDir m_dir;
    std::filesystem::path m_previous;
};

// A scratch working folder for the benchmarks, made current while it lives:
// a chord file of n families and a help image, as the program expects them.
#pragma once

#include "chord_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

class BenchFolder
{
public:
    explicit BenchFolder(int families) : m_previous(std::filesystem::current_path())
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tabulor-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_path = pattern;
        std::filesystem::current_path(m_path);
        WriteBenchChordFile("Tabulor.xml", families);
        std::fclose(std::fopen("TabulorHelp.gif", "wb"));
    }
    ~BenchFolder()
    {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_path);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};

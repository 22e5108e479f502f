// A scratch working folder for the benchmarks, made current while it lives:
// a chord file of n families and a help image, as the program expects them.
#pragma once

#include "chord_file.h"
#include "scratch_dir.h"

#include <cstdio>
#include <filesystem>
#include <string>

class BenchFolder : public CurrentScratchDir
{
public:
    explicit BenchFolder(int families)
    {
        WriteBenchChordFile("Tabulor.xml", families);
        std::fclose(std::fopen("TabulorHelp.gif", "wb"));
    }
};

// Reads a 16-bit PCM WAV file as the tests check it: the header's fields as
// stored, and the samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WavFile
{
    bool isRiffWave = false;
    std::uint32_t riffSize = 0;
    std::uint16_t format = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t byteRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint32_t dataSize = 0;
    std::uintmax_t fileSize = 0;
    std::vector<std::int16_t> samples;
};

WavFile ReadWavFile(const std::string& path);

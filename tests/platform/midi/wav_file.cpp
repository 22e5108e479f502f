#include "wav_file.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{

std::uint32_t LittleEndian(const std::vector<unsigned char>& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[at + i];
    return value;
}

bool HasTag(const std::vector<unsigned char>& bytes, std::size_t at, const char* tag)
{
    return at + 4 <= bytes.size() && std::memcmp(&bytes[at], tag, 4) == 0;
}

}  // namespace

WavFile ReadWavFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WavFile wav;
    wav.fileSize = std::filesystem::file_size(path);
    wav.isRiffWave = HasTag(bytes, 0, "RIFF") && HasTag(bytes, 8, "WAVE");
    if (!wav.isRiffWave)
        return wav;
    wav.riffSize = LittleEndian(bytes, 4, 4);
    // Walk the chunks so that a file with the chunks in another layout is
    // read as a WAV reader would read it.
    for (std::size_t at = 12; at + 8 <= bytes.size();)
    {
        const std::uint32_t size = LittleEndian(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (HasTag(bytes, at, "fmt ") && body + 16 <= bytes.size())
        {
            wav.format = LittleEndian(bytes, body, 2);
            wav.channels = LittleEndian(bytes, body + 2, 2);
            wav.sampleRate = LittleEndian(bytes, body + 4, 4);
            wav.byteRate = LittleEndian(bytes, body + 8, 4);
            wav.blockAlign = LittleEndian(bytes, body + 12, 2);
            wav.bitsPerSample = LittleEndian(bytes, body + 14, 2);
        }
        else if (HasTag(bytes, at, "data"))
        {
            wav.dataSize = size;
            const std::size_t end = std::min<std::size_t>(bytes.size(), body + size);
            for (std::size_t i = body; i + 1 < end; i += 2)
                wav.samples.push_back(static_cast<std::int16_t>(LittleEndian(bytes, i, 2)));
        }
        at = body + size + (size & 1);
    }
    return wav;
}

// A 16-bit PCM WAV file written as the samples come. The header's sizes are
// filled in by Finish, so the file is a valid WAV once it is finished.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class WavFileWriter
{
public:
    // Creates or truncates path; throws MidiOpenError when it cannot.
    WavFileWriter(const std::string& path, int sampleRate, int channels);
    ~WavFileWriter();
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;

    // Appends interleaved samples and hands them to the system, so that the
    // file's size follows the sound written. Samples past the largest size
    // a WAV file can describe are dropped.
    void Append(const std::int16_t* samples, std::size_t count);

    // Writes the final sizes into the header and closes the file; later
    // calls do nothing.
    void Finish();

private:
    void WriteHeader();

    std::FILE* m_file = nullptr;
    int m_sampleRate;
    int m_channels;
    std::uint32_t m_dataBytes = 0;
};

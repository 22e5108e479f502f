// A 16-bit PCM WAV file written as the samples come. The header's sizes are
// filled in by Finish, so the file is a valid WAV once it is finished. A
// write that fails (a full disk) is reported once and ends the sound in the
// file: the header then describes the whole frames that did reach it.
#pragma once

#include <cstdint>
#include <string>

class WavFileWriter
{
public:
    // Creates or truncates path and writes the header; throws MidiOpenError
    // when it cannot.
    WavFileWriter(const std::string& path, int sampleRate, int channels);
    ~WavFileWriter();
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;

    // Appends interleaved samples and hands them to the system, so that the
    // file's size follows the sound written. Samples past the largest size
    // a WAV file can describe, or after a failed write, are dropped.
    void Append(const std::int16_t* samples, std::size_t count);

    // Writes the final sizes into the header and closes the file; later
    // calls do nothing.
    void Finish();

private:
    // Writes all of bytes at offset; false (errno set) when the system took
    // less, with written telling how much it took.
    bool WriteAt(const unsigned char* bytes, std::size_t size, std::uint64_t offset, std::size_t& written);
    bool WriteHeader();
    // Reports the first failure only, and ends the writing.
    void ReportFailure(const char* what);

    std::string m_path;
    int m_fd = -1;
    int m_sampleRate;
    int m_channels;
    std::uint32_t m_dataBytes = 0;
    bool m_failed = false;
};

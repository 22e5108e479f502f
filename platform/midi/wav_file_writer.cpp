#include "wav_file_writer.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "library_log.h"
#include "midi_open_error.h"

namespace
{

constexpr std::uint32_t HEADER_BYTES = 44;
constexpr int BITS_PER_SAMPLE = 16;
constexpr std::uint16_t FORMAT_PCM = 1;
// The RIFF size field, data size plus the rest of the header, is 32 bits.
constexpr std::uint32_t MAX_DATA_BYTES = 0xFFFFFFFFu - (HEADER_BYTES - 8);

void PutLittleEndian(std::vector<unsigned char>& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void PutTag(std::vector<unsigned char>& bytes, const char* tag)
{
    bytes.insert(bytes.end(), tag, tag + 4);
}

}  // namespace

WavFileWriter::WavFileWriter(const std::string& path, int sampleRate, int channels)
    : m_path(path),
      m_sampleRate(sampleRate),
      m_channels(channels)
{
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_fd < 0 || !WriteHeader())
    {
        const std::string reason = std::strerror(errno);
        if (m_fd >= 0)
            ::close(m_fd);
        throw MidiOpenError(MMSYSERR_ERROR, "cannot write the WAV file " + path + ": " + reason);
    }
}

WavFileWriter::~WavFileWriter()
{
    Finish();
}

bool WavFileWriter::WriteAt(const unsigned char* bytes, std::size_t size, std::uint64_t offset, std::size_t& written)
{
    written = 0;
    while (written < size)
    {
        const ssize_t result = ::pwrite(m_fd, bytes + written, size - written, static_cast<off_t>(offset + written));
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0)
        {
            if (result == 0)
                errno = ENOSPC;
            return false;
        }
        written += static_cast<std::size_t>(result);
    }
    return true;
}

bool WavFileWriter::WriteHeader()
{
    const int blockAlign = m_channels * BITS_PER_SAMPLE / 8;
    std::vector<unsigned char> header;
    PutTag(header, "RIFF");
    PutLittleEndian(header, HEADER_BYTES - 8 + m_dataBytes, 4);
    PutTag(header, "WAVE");
    PutTag(header, "fmt ");
    PutLittleEndian(header, 16, 4);
    PutLittleEndian(header, FORMAT_PCM, 2);
    PutLittleEndian(header, m_channels, 2);
    PutLittleEndian(header, m_sampleRate, 4);
    PutLittleEndian(header, m_sampleRate * blockAlign, 4);
    PutLittleEndian(header, blockAlign, 2);
    PutLittleEndian(header, BITS_PER_SAMPLE, 2);
    PutTag(header, "data");
    PutLittleEndian(header, m_dataBytes, 4);
    std::size_t written;
    return WriteAt(header.data(), header.size(), 0, written);
}

void WavFileWriter::ReportFailure(const char* what)
{
    if (m_failed)
        return;
    m_failed = true;
    ReportMidiFailure(std::string(what) + " the WAV file " + m_path + " failed: " + std::strerror(errno) +
                      "; the file keeps the sound written before");
}

void WavFileWriter::Append(const std::int16_t* samples, std::size_t count)
{
    if (m_fd < 0 || m_failed || count * 2 > MAX_DATA_BYTES - m_dataBytes)
        return;
    std::vector<unsigned char> bytes;
    bytes.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i)
        PutLittleEndian(bytes, static_cast<std::uint16_t>(samples[i]), 2);
    std::size_t written;
    const bool whole = WriteAt(bytes.data(), bytes.size(), HEADER_BYTES + std::uint64_t(m_dataBytes), written);
    // What did reach the file stays in it and in the header.
    m_dataBytes += static_cast<std::uint32_t>(written);
    if (!whole)
        ReportFailure("writing");
}

void WavFileWriter::Finish()
{
    if (m_fd < 0)
        return;
    // The header lies in the file's first block, which is already on the
    // disk: rewriting it needs no new space.
    if (!WriteHeader())
        ReportFailure("finishing");
    if (::close(m_fd) != 0)
        ReportFailure("closing");
    m_fd = -1;
}

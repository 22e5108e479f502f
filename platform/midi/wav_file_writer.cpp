#include "wav_file_writer.h"

#include <cerrno>
#include <cstring>
#include <vector>

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

} // namespace

WavFileWriter::WavFileWriter(const std::string& path, int sampleRate, int channels)
    : m_sampleRate(sampleRate), m_channels(channels)
{
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file)
        throw MidiOpenError(MMSYSERR_ERROR, "cannot write the WAV file " + path + ": " + std::strerror(errno));
    WriteHeader();
}

WavFileWriter::~WavFileWriter()
{
    Finish();
}

void WavFileWriter::WriteHeader()
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
    std::fseek(m_file, 0, SEEK_SET);
    std::fwrite(header.data(), 1, header.size(), m_file);
    std::fseek(m_file, 0, SEEK_END);
}

void WavFileWriter::Append(const std::int16_t* samples, std::size_t count)
{
    if (!m_file || count * 2 > MAX_DATA_BYTES - m_dataBytes)
        return;
    std::vector<unsigned char> bytes;
    bytes.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i)
        PutLittleEndian(bytes, static_cast<std::uint16_t>(samples[i]), 2);
    m_dataBytes += std::fwrite(bytes.data(), 1, bytes.size(), m_file);
    std::fflush(m_file);
}

void WavFileWriter::Finish()
{
    if (!m_file)
        return;
    WriteHeader();
    std::fclose(m_file);
    m_file = nullptr;
}

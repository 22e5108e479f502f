#include "soundfont_layout.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <set>

namespace
{

constexpr std::uint64_t CHUNK_HEADER_BYTES = 8;
constexpr std::uint64_t FORM_HEADER_BYTES = 12;

struct ChunkHeader
{
    char id[4];
    std::uint32_t size;
    char type[4];  // of a RIFF or LIST chunk
};

std::uint32_t LittleEndian32(const unsigned char* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t(bytes[3]) << 24;
}

bool ReadChunkHeader(std::ifstream& file, std::uint64_t offset, ChunkHeader& header)
{
    unsigned char bytes[FORM_HEADER_BYTES];
    file.seekg(static_cast<std::streamoff>(offset));
    if (!file.read(reinterpret_cast<char*>(bytes), sizeof bytes))
        return false;
    std::memcpy(header.id, bytes, 4);
    header.size = LittleEndian32(bytes + 4);
    std::memcpy(header.type, bytes + 8, 4);
    return true;
}

bool Is(const char (&field)[4], const char* tag)
{
    return std::memcmp(field, tag, 4) == 0;
}

}  // namespace

std::string SoundFontLayoutError(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return "cannot be read";
    const std::uint64_t fileSize = static_cast<std::uint64_t>(file.tellg());
    ChunkHeader form;
    if (!ReadChunkHeader(file, 0, form) || !Is(form.id, "RIFF"))
        return "is not a RIFF file";
    const std::uint64_t formEnd = CHUNK_HEADER_BYTES + form.size;
    if (formEnd > fileSize)
        return "is cut short: its RIFF form claims " + std::to_string(formEnd) + " bytes, the file has " +
               std::to_string(fileSize);
    if (!Is(form.type, "sfbk"))
        return "";

    std::set<std::string> lists;
    for (std::uint64_t offset = FORM_HEADER_BYTES; offset + FORM_HEADER_BYTES <= formEnd;)
    {
        ChunkHeader chunk;
        if (!ReadChunkHeader(file, offset, chunk))
            return "cannot be read";
        const std::uint64_t chunkEnd = offset + CHUNK_HEADER_BYTES + chunk.size;
        if (chunkEnd > formEnd)
            return "has a chunk that runs past its end";
        if (Is(chunk.id, "LIST"))
            lists.insert(std::string(chunk.type, 4));
        offset = chunkEnd + (chunk.size & 1);  // chunks are padded to even sizes
    }
    for (const char* list : {"INFO", "sdta", "pdta"})
    {
        if (!lists.count(list))
            return std::string("has no ") + list + " list";
    }
    return "";
}

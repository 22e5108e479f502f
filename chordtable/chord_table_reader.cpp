#include "chord_table_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <tinyxml.h>

#include "tinyxml_walk.h"

namespace
{

// Names are separated by a comma and one more character (the writer puts a
// blank there); that character is skipped whatever it is, so no name ever
// holds a comma.
std::vector<std::string> SplitNames(const std::string& text)
{
    std::vector<std::string> names;
    std::string::size_type start = 0;
    for (;;)
    {
        const std::string::size_type comma = start < text.size() ? text.find(',', start) : std::string::npos;
        if (comma == std::string::npos)
        {
            names.push_back(start < text.size() ? text.substr(start) : std::string());
            return names;
        }
        names.push_back(text.substr(start, comma - start));
        start = comma + 2;
    }
}

// QueryIntAttribute reads with "%d" and leaves the value alone when the
// attribute is absent or not a number, so every value starts at 0.
Applicature ReadVariant(const TiXmlElement& variant)
{
    Applicature applicature(APPLICATURE_SIZE, 0);
    variant.QueryIntAttribute("position", &applicature[POSITION_INDEX]);
    std::string stringName = "string_0";
    for (int n = 1; n <= STRING_COUNT; ++n)
    {
        stringName.back() = static_cast<char>('0' + n);
        const TiXmlElement* stringElement = variant.FirstChildElement(stringName.c_str());
        if (stringElement == nullptr)
            continue;
        stringElement->QueryIntAttribute("relative_position", &applicature[n - 1]);
        stringElement->QueryIntAttribute("left_hand_finger", &applicature[FINGER_INDEX + n - 1]);
    }
    return applicature;
}

// No chord file comes near this size; a larger one is not taken into memory.
constexpr std::size_t MAX_CHORD_FILE_SIZE = std::size_t(256) << 20;

// TinyXML in UTF-8 mode steps over a multi-byte sequence whole, even when the
// text ends inside it; as many zero bytes behind the text as such a step can
// skip make every step end on one.
constexpr std::size_t LONGEST_UTF8_SEQUENCE = 4;

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

// The bytes of a regular file of at most MAX_CHORD_FILE_SIZE. Anything else
// (a FIFO, a device, a folder, a link to one of them) is not read at all:
// the open does not wait for a writer, and nothing endless is read.
bool ReadRegularFile(const char* fileName, std::string* text)
{
    const FileDescriptor file(open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status;
    if (file.Get() < 0 || fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::uintmax_t>(status.st_size) > MAX_CHORD_FILE_SIZE)
        return false;
    // One byte more than the file holds shows whether it grew meanwhile;
    // the reserve keeps room for the zero bytes appended after the read.
    const auto expected = static_cast<std::size_t>(status.st_size);
    text->reserve(expected + 1 + LONGEST_UTF8_SEQUENCE);
    text->resize(expected + 1);
    std::size_t got = 0;
    for (;;)
    {
        if (got == text->size())
        {
            if (got > MAX_CHORD_FILE_SIZE)
                return false;
            text->resize(std::min(2 * got, MAX_CHORD_FILE_SIZE + 1));
        }
        const ssize_t n = read(file.Get(), &(*text)[got], text->size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    text->resize(got);
    return true;
}

// The file's text as TinyXML's LoadFile would parse it: up to the first zero
// byte, every CR LF and lone CR turned into LF, then the zero bytes that
// TinyXML may step onto. LoadFile itself is not used: it opens any kind of
// file, waits on a FIFO, and leaves UTF-8 steps reading past its buffer.
// False when the file cannot be read; *cut tells whether a zero byte cut
// the text short.
bool ReadFileText(const char* fileName, std::string* text, bool* cut)
{
    if (!ReadRegularFile(fileName, text))
        return false;
    const std::size_t firstZero = text->find('\0');
    *cut = firstZero != std::string::npos;
    if (*cut)
        text->resize(firstZero);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text->size(); ++i)
    {
        const char c = (*text)[i];
        (*text)[kept++] = c == '\r' ? '\n' : c;
        if (c == '\r' && i + 1 < text->size() && (*text)[i + 1] == '\n')
            ++i;
    }
    text->resize(kept);
    text->append(LONGEST_UTF8_SEQUENCE, '\0');
    return true;
}

ChordFamily ReadChord(const TiXmlElement& chord)
{
    ChordFamily family;
    // A chord without names still gets one (empty) name, so that every
    // family can be shown and looked up like the others.
    const char* names = chord.Attribute("names");
    family.names = SplitNames(names != nullptr ? names : "");
    for (const TiXmlElement* variant = chord.FirstChildElement("variant"); variant != nullptr;
         variant = variant->NextSiblingElement("variant"))
        family.variants.push_back(ReadVariant(*variant));
    return family;
}

// Appends the chords of the text to the table and says whether the text was
// taken in whole: TinyXML reads it to its end without a fault, and it holds
// the root element. A text beyond what TinyXML bears is not parsed at all.
// Otherwise TinyXML parses one chord element at a time, where its document
// parse would meet it, so that the document is never held whole beside the
// table.
bool ReadText(const std::string& text, ChordTable* table)
{
    const WalkResult shape = WalkAsTinyXml(text.c_str());
    if (shape.end == WalkEnd::BEYOND_LIMITS)
        return false;
    table->reserve(table->size() + shape.chords);
    const WalkResult read = WalkAsTinyXml(text.c_str(), [table](const char* start, TiXmlEncoding encoding) {
        TiXmlElement chord("");
        const char* const end = chord.Parse(start, nullptr, encoding);
        // A chord cut short by a fault yields what it holds, and is the last.
        table->push_back(ReadChord(chord));
        return end;
    });
    return read.end == WalkEnd::COMPLETE && read.hasRoot;
}

bool ReadFile(const char* fileName, ChordTable* table)
{
    std::string text;
    bool cut = false;
    return ReadFileText(fileName, &text, &cut) && ReadText(text, table) && !cut;
}

}  // namespace

ChordTableReader::ChordTableReader(const char* fileName, ChordTable* table)
{
    m_bReadWhole = ReadFile(fileName, table);
    // The text and the parser's nodes are freed by now; give their heap back
    // rather than keep it for the whole run.
    malloc_trim(0);
}

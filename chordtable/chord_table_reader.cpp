#include "chord_table_reader.h"

#include <cstdio>
#include <memory>
#include <string>

#include <sys/stat.h>

#include <tinyxml.h>

namespace {

constexpr int STRING_COUNT = 6;
constexpr int POSITION_INDEX = 12;

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
        stringElement->QueryIntAttribute("left_hand_finger", &applicature[n + STRING_COUNT - 1]);
    }
    return applicature;
}

// The file's text as TinyXML's LoadFile would parse it: up to the first zero
// byte, every CR LF and lone CR turned into LF. LoadFile itself is not used:
// in UTF-8 mode (a byte-order mark, or a declaration naming UTF-8 or no
// encoding) TinyXML steps over a multi-byte sequence whole even when the
// text ends inside it, and then reads on past the end of its buffer. Behind
// this text stand as many zero bytes as such a step can skip, so every step
// ends on one.
bool ReadFileText(const char* fileName, std::string* text)
{
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(fileName, "rb"), std::fclose);
    if (file == nullptr)
        return false;
    constexpr std::size_t LONGEST_UTF8_SEQUENCE = 4;
    text->clear();
    struct stat status;
    if (fstat(fileno(file.get()), &status) == 0 && status.st_size > 0)
        text->reserve(static_cast<std::size_t>(status.st_size) + LONGEST_UTF8_SEQUENCE);
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        text->append(chunk, got);
    if (std::ferror(file.get()))
        return false;

    const std::size_t firstZero = text->find('\0');
    if (firstZero != std::string::npos)
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

} // namespace

ChordTableReader::ChordTableReader(const char* fileName, ChordTable* table)
{
    std::string text;
    if (!ReadFileText(fileName, &text))
        return;
    TiXmlDocument document;
    // A parse that fails part-way keeps the nodes built before the fault, and
    // those are read like a whole file; the error only tells the caller.
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UNKNOWN);
    m_bReadWhole = !document.Error();

    const TiXmlElement* root = document.FirstChildElement("chords_xml_table");
    const TiXmlElement* instrument = root != nullptr ? root->FirstChildElement("instrument") : nullptr;
    if (instrument == nullptr)
        return;
    for (const TiXmlElement* chord = instrument->FirstChildElement("chord"); chord != nullptr;
         chord = chord->NextSiblingElement("chord"))
        table->push_back(ReadChord(*chord));
}

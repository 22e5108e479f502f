// Reads arbitrary bytes as a chord file, then writes the table and reads it
// again: the second read must give the same table back. Where the text is
// within what TinyXML bears, the reader's table (TinyXML parsing one chord
// at a time) must equal the table read from TinyXML's whole document.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include <unistd.h>

#include <tinyxml.h>

#include "chord_table_reader.h"
#include "chord_table_writer.h"
#include "tinyxml_walk.h"

namespace
{

std::string g_scratchFolder;

void RemoveScratchFolder()
{
    std::filesystem::remove_all(g_scratchFolder);
}

// Every save syncs its file; on tmpfs that costs nothing.
const std::string& ScratchFolder()
{
    if (g_scratchFolder.empty())
    {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/chordtable-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        g_scratchFolder = pattern;
        std::atexit(RemoveScratchFolder);
    }
    return g_scratchFolder;
}

void Check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "chord table fuzzer: %s\n", what);
        std::abort();
    }
}

// A carriage return can only reach a name through a character reference
// (the loader turns every CR of the file into LF); it is written as it is,
// and so comes back as LF.
bool NamesHoldCarriageReturn(const ChordTable& table)
{
    for (const ChordFamily& family : table)
        for (const std::string& name : family.names)
            if (name.find('\r') != std::string::npos)
                return true;
    return false;
}

// The text as the reader parses it: up to its first zero byte, line ends
// made LF, four zero bytes behind.
std::string ParsedText(const std::uint8_t* data, std::size_t size)
{
    std::string text;
    for (std::size_t i = 0; i < size && data[i] != 0; ++i)
    {
        if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n')
            continue;
        text += data[i] == '\r' ? '\n' : static_cast<char>(data[i]);
    }
    return text + std::string(4, '\0');
}

// The reading the chord file's format describes, straight from TinyXML's
// document of the whole text.
std::vector<std::string> ReferenceNames(const char* text)
{
    const std::string names = text != nullptr ? text : "";
    std::vector<std::string> split;
    std::size_t start = 0;
    for (std::size_t comma; start < names.size() && (comma = names.find(',', start)) != std::string::npos;
         start = comma + 2)
        split.push_back(names.substr(start, comma - start));
    split.push_back(start < names.size() ? names.substr(start) : "");
    return split;
}

ChordTable ReferenceTable(const TiXmlDocument& document)
{
    ChordTable table;
    const TiXmlElement* root = document.FirstChildElement("chords_xml_table");
    const TiXmlElement* instrument = root != nullptr ? root->FirstChildElement("instrument") : nullptr;
    for (const TiXmlElement* chord = instrument != nullptr ? instrument->FirstChildElement("chord") : nullptr;
         chord != nullptr; chord = chord->NextSiblingElement("chord"))
    {
        ChordFamily family{ReferenceNames(chord->Attribute("names")), {}};
        for (const TiXmlElement* variant = chord->FirstChildElement("variant"); variant != nullptr;
             variant = variant->NextSiblingElement("variant"))
        {
            Applicature values(APPLICATURE_SIZE, 0);
            variant->QueryIntAttribute("position", &values[POSITION_INDEX]);
            for (int n = 1; n <= STRING_COUNT; ++n)
                if (const TiXmlElement* string = variant->FirstChildElement(("string_" + std::to_string(n)).c_str()))
                {
                    string->QueryIntAttribute("relative_position", &values[n - 1]);
                    string->QueryIntAttribute("left_hand_finger", &values[FINGER_INDEX + n - 1]);
                }
            family.variants.push_back(values);
        }
        table.push_back(family);
    }
    return table;
}

void CheckAgainstTheWholeDocument(const std::uint8_t* data, std::size_t size, const ChordTable& table, bool readWhole)
{
    const std::string text = ParsedText(data, size);
    const WalkResult shape = WalkAsTinyXml(text.c_str());
    if (shape.end == WalkEnd::BEYOND_LIMITS)
    {
        Check(table.empty() && !readWhole, "a text beyond the parser's limits was read");
        return;
    }
    TiXmlDocument document;
    const char* end = document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UNKNOWN);
    Check(table == ReferenceTable(document), "the chords differ from those of the whole document");
    const bool documentWhole = !document.Error() && (end == nullptr || *end == '\0') &&
                               document.FirstChildElement("chords_xml_table") != nullptr &&
                               std::memchr(data, 0, size) == nullptr;
    Check(!readWhole || documentWhole, "read whole, but TinyXML's document did not take the text whole");
    // Trailing white space leaves TinyXML's end on the zero byte: then it
    // surely took every node.
    if (documentWhole && end != nullptr)
        Check(readWhole, "TinyXML's document took the text whole, the reader did not");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = ScratchFolder() + "/input.xml";
    const std::string output = ScratchFolder() + "/Tabulor.xml";
    FILE* file = std::fopen(input.c_str(), "wb");
    Check(file != nullptr && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0,
          "cannot write the input");

    ChordTable table;
    ChordTableReader reader(input.c_str(), &table);
    for (const ChordFamily& family : table)
    {
        Check(!family.names.empty(), "a family without names");
        for (const std::string& name : family.names)
            Check(name.find(',') == std::string::npos, "a name holding a comma");
        for (const Applicature& applicature : family.variants)
            Check(applicature.size() == APPLICATURE_SIZE, "an applicature of the wrong size");
    }

    CheckAgainstTheWholeDocument(data, size, table, reader.IsReadWhole());

    ChordTableWriter writer(output.c_str(), &table, 0, 0);
    Check(writer.IsWritten(), "the table was not written");
    ChordTable readBack;
    ChordTableReader readerOfWritten(output.c_str(), &readBack);
    Check(readerOfWritten.IsReadWhole(), "the written file does not parse");
    if (!NamesHoldCarriageReturn(table))
        Check(readBack == table, "the written table reads back different");
    return 0;
}

#include "chord_table_writer.h"

#include <charconv>
#include <string_view>

#include "careful_save.h"

namespace
{

// Appends the pieces of the chord file to a string. The text ends its lines
// with LF; the file on disk holds CR LF, and building those bytes directly
// spares a second pass.
class ChordText
{
public:
    ChordText(std::string& out, std::string_view lineEnd) : m_out(out), m_lineEnd(lineEnd) {}

    void Piece(std::string_view piece) { m_out.append(piece); }
    void EndLine() { m_out.append(m_lineEnd); }

    // to_chars: the same digits in every locale, no grouping, no padding.
    void Number(int value)
    {
        char digits[MAX_NUMBER_SIZE];
        m_out.append(digits, std::to_chars(digits, digits + MAX_NUMBER_SIZE, value).ptr);
    }

    // A name goes into a double-quoted attribute and must read back as it
    // was: '"' and '&' are escaped, and so are control characters, which the
    // reader would otherwise take as line ends (CR) or drop. A line feed
    // inside a name gets the file's line end like every other.
    void Name(std::string_view name)
    {
        std::size_t plainStart = 0;
        for (std::size_t i = 0; i < name.size(); ++i)
        {
            const char c = name[i];
            if (c != '"' && c != '&' && static_cast<unsigned char>(c) >= ' ')
                continue;
            m_out.append(name.substr(plainStart, i - plainStart));
            plainStart = i + 1;
            if (c == '"')
                Piece("&quot;");
            else if (c == '&')
                Piece("&amp;");
            else if (c == '\n')
                EndLine();
            else
            {
                Piece("&#");
                Number(c);
                Piece(";");
            }
        }
        m_out.append(name.substr(plainStart));
    }

    void Chord(const ChordFamily& family, int id)
    {
        Piece("<chord id=\"");
        Number(id);
        Piece("\" names=\"");
        for (std::size_t i = 0; i < family.names.size(); ++i)
        {
            if (i != 0)
                Piece(", ");
            Name(family.names[i]);
        }
        Piece("\">");
        EndLine();
        for (std::size_t j = 0; j < family.variants.size(); ++j)
            Variant(family.variants[j], static_cast<int>(j));
        Piece("</chord>");
        EndLine();
        EndLine();
    }

private:
    static constexpr std::size_t MAX_NUMBER_SIZE = 11;  // "-2147483648"

    void Variant(const Applicature& applicature, int id)
    {
        Piece("\t<variant id=\"");
        Number(id);
        Piece("\" position=\"");
        Number(applicature[POSITION_INDEX]);
        Piece("\">");
        EndLine();
        for (int n = 1; n <= STRING_COUNT; ++n)
        {
            Piece("\t\t<string_");
            Number(n);
            Piece(" relative_position=\"");
            Number(applicature[n - 1]);
            Piece("\" left_hand_finger=\"");
            Number(applicature[FINGER_INDEX + n - 1]);
            Piece("\"/>");
            EndLine();
        }
        Piece("\t</variant>");
        EndLine();
    }

    std::string& m_out;
    std::string_view m_lineEnd;
};

// The whole chord file for the families [first, last), with CR LF line ends.
std::string FileText(const ChordTable& table, int first, int last)
{
    std::string file;
    ChordText text(file, "\r\n");
    text.Piece("<?xml version=\"1.0\" encoding=\"ANSI\"?>");
    text.EndLine();
    text.Piece("<chords_xml_table>");
    text.EndLine();
    text.Piece("<instrument type=\"guitar_6\">");
    text.EndLine();
    for (int i = first; i < last; ++i)
        text.Chord(table[i], i);
    text.Piece("</instrument>");
    text.EndLine();
    text.Piece("</chords_xml_table>");
    return file;
}

}  // namespace

ChordTableWriter::ChordTableWriter(const char* fileName, const ChordTable* table, int first, int last)
{
    const int count = static_cast<int>(table->size());
    if (last == 0 || static_cast<unsigned>(last) > static_cast<unsigned>(count))
        last = count;

    m_bWritten = SaveCarefully(fileName, FileText(*table, first, last));
}

void ChordTableWriter::WriteChord(std::string& out, const ChordFamily& family, int id)
{
    ChordText(out, "\n").Chord(family, id);
}

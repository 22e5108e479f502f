#include "chord_table_writer.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int STRING_COUNT = 6;
constexpr int POSITION_INDEX = 12;

// Writes the pieces of the chord file through a cursor into room made
// beforehand (see RoomFor): a large table is many small pieces, and
// std::string's checks on every append would cost more than the bytes. The
// text ends its lines with LF; the file on disk holds CR LF, and building
// those bytes directly spares a second pass.
class ChordText
{
public:
    ChordText(char* cursor, std::string_view lineEnd) : m_cursor(cursor), m_lineEnd(lineEnd) {}

    char* Cursor() const { return m_cursor; }

    void Piece(std::string_view piece)
    {
        std::memcpy(m_cursor, piece.data(), piece.size());
        m_cursor += piece.size();
    }
    void EndLine() { Piece(m_lineEnd); }

    // to_chars: the same digits in every locale, no grouping, no padding.
    void Number(int value) { m_cursor = std::to_chars(m_cursor, m_cursor + MAX_NUMBER_SIZE, value).ptr; }

    // A name goes into a double-quoted attribute: '"' and '&' are escaped so
    // that the next read gives the same name back; a line feed inside a name
    // gets the file's line end like every other.
    void Name(std::string_view name)
    {
        for (char c : name)
        {
            switch (c)
            {
            case '"': Piece("&quot;"); break;
            case '&': Piece("&amp;"); break;
            case '\n': EndLine(); break;
            default: *m_cursor++ = c; break;
            }
        }
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

    // At least the size of the family's element: every number at its longest,
    // every name byte escaped at its longest ("&quot;").
    static std::size_t RoomFor(const ChordFamily& family)
    {
        constexpr std::size_t CHORD = 64;
        constexpr std::size_t VARIANT = 80 + STRING_COUNT * 96;
        constexpr std::size_t LONGEST_ESCAPE = 6;
        std::size_t room = CHORD + family.variants.size() * VARIANT;
        for (const std::string& name : family.names)
            room += 2 + name.size() * LONGEST_ESCAPE;
        return room;
    }

private:
    static constexpr std::size_t MAX_NUMBER_SIZE = 11; // "-2147483648"

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
            Number(applicature[n + STRING_COUNT - 1]);
            Piece("\"/>");
            EndLine();
        }
        Piece("\t</variant>");
        EndLine();
    }

    char* m_cursor;
    std::string_view m_lineEnd;
};

// The whole chord file for the families [first, last), with CR LF line ends.
// The room is not filled beforehand: for a large table it is far bigger than
// the text, and the part left unused is never touched.
struct FileText
{
    std::unique_ptr<char[]> data;
    std::size_t size;
};

FileText BuildFileText(const ChordTable& table, int first, int last)
{
    constexpr std::size_t HEAD_AND_TAIL = 128;
    std::size_t room = HEAD_AND_TAIL;
    for (int i = first; i < last; ++i)
        room += ChordText::RoomFor(table[i]);
    FileText file{std::unique_ptr<char[]>(new char[room]), 0};
    ChordText text(file.data.get(), "\r\n");
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
    file.size = static_cast<std::size_t>(text.Cursor() - file.data.get());
    return file;
}

bool WriteAll(int fd, const FileText& text)
{
    const char* data = text.data.get();
    std::size_t left = text.size;
    while (left > 0)
    {
        const ssize_t written = write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// The mode a file gets when it is created, as an ordinary open would make it.
mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Replaces fileName with text so that the old file stays intact unless the
// new one was written completely: the text goes to a temporary file in the same
// folder, which is renamed over the old file only at the end. A file without
// any write permission is left alone, whoever runs the program; a symbolic
// link is followed, so the file it points to is replaced, not the link.
bool ReplaceFile(const char* fileName, const FileText& text)
{
    std::string target = fileName;
    struct stat status;
    if (lstat(fileName, &status) == 0 && S_ISLNK(status.st_mode))
    {
        if (char* resolved = realpath(fileName, nullptr))
        {
            target = resolved;
            std::free(resolved);
        }
    }

    mode_t mode;
    if (stat(target.c_str(), &status) == 0)
    {
        if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(target.c_str(), W_OK) != 0)
            return false;
        mode = status.st_mode & 07777;
    }
    else
        mode = NewFileMode();

    std::string temporary = target + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool complete = WriteAll(fd, text) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    complete = close(fd) == 0 && complete;
    if (complete && rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    unlink(temporary.c_str());
    return false;
}

} // namespace

ChordTableWriter::ChordTableWriter(const char* fileName, const ChordTable* table, int first, int last)
{
    const int count = static_cast<int>(table->size());
    if (last == 0 || static_cast<unsigned>(last) > static_cast<unsigned>(count))
        last = count;

    m_bWritten = ReplaceFile(fileName, BuildFileText(*table, first, last));
}

void ChordTableWriter::WriteChord(std::string& out, const ChordFamily& family, int id)
{
    const std::size_t start = out.size();
    out.resize(start + ChordText::RoomFor(family));
    ChordText text(out.data() + start, "\n");
    text.Chord(family, id);
    out.resize(static_cast<std::size_t>(text.Cursor() - out.data()));
}

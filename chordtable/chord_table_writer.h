// Writes a ChordTable as the chord file.
#pragma once

#include <string>

#include "chord_table.h"

class ChordTableWriter
{
public:
    // Writes the families [first, last) of *table to fileName, with CR LF
    // line ends. first must not be negative. last 0, and any last above the
    // number of families (compared unsigned, so negative values too), means
    // up to the end of the table. The file is saved as SaveCarefully
    // (careful_save.h) saves: never left cut, keeping its links, owner, group
    // and mode; a file without any write permission bit is never touched.
    ChordTableWriter(const char* fileName, const ChordTable* table, int first, int last);

    // Appends the complete <chord> element of one family to out, its lines
    // ended by LF.
    static void WriteChord(std::string& out, const ChordFamily& family, int id);

    // True when the file holds the new text completely; false when it was
    // left as it was.
    bool IsWritten() const { return m_bWritten; }

private:
    bool m_bWritten = false;
};

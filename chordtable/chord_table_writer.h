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
    // up to the end of the table. The old file is replaced only by a
    // completely written new one (which keeps the old permission bits); a
    // file without any write permission bit is never replaced.
    ChordTableWriter(const char* fileName, const ChordTable* table, int first, int last);

    // Appends the complete <chord> element of one family to out, its lines
    // ended by LF.
    static void WriteChord(std::string& out, const ChordFamily& family, int id);

    // True when the new file replaced the old one completely.
    bool IsWritten() const { return m_bWritten; }

private:
    bool m_bWritten = false;
};

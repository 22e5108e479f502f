// Reads the chord file into a ChordTable.
#pragma once

#include "chord_table.h"

class ChordTableReader
{
public:
    // Appends one family per <chord> element of fileName to *table; families
    // already in the table stay in front. A missing file leaves the table as
    // it was, and so does anything that is not a regular file, a file larger
    // than any chord table, or one nested too deep or with too many
    // attributes in one element for the parser; a file broken part-way gives
    // the families read before the fault.
    ChordTableReader(const char* fileName, ChordTable* table);

    // True when the file was present and its whole text was parsed without
    // fault, the root element among it, so that the table holds everything
    // the file holds.
    bool IsReadWhole() const { return m_bReadWhole; }

private:
    bool m_bReadWhole = false;
};

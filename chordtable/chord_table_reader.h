// Reads the chord file into a ChordTable.
#pragma once

#include "chord_table.h"

class ChordTableReader
{
public:
    // Appends one family per <chord> element of fileName to *table; families
    // already in the table stay in front. A missing or broken file leaves
    // what could be read and reports nothing.
    ChordTableReader(const char* fileName, ChordTable* table);

    // True when the file was present and parsed without error, so that the
    // table holds everything the file holds.
    bool IsReadWhole() const { return m_bReadWhole; }

private:
    bool m_bReadWhole = false;
};

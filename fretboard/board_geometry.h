// Where the paint lays out the fretboard in a client area: the white area,
// the board rectangle inside it, the strings and the fret lines. The mouse
// finds the markers in the same layout, and the help picture's labels are
// placed by it (tools/board-geometry).
#pragma once

#include "windef.h"

#include "chord_table.h"

// The white area the board is drawn in, for a client area of this size.
RECT FretboardArea(int nClientWidth, int nClientHeight);

struct BoardGeometry
{
    // The board rectangle: strings 1 and 6 are its top and bottom edges,
    // the nut and the last fret line its left and right edges.
    int left;
    int top;
    int right;
    int bottom;
    float stringSpacing;
    float fretWidth;
    float stringY[STRING_COUNT];
    // The nut, then the fret line right of each column.
    float fretX[FRET_COLUMNS + 1];
};

BoardGeometry BoardGeometryIn(const RECT& area);

// Centre of the open column, left of the nut: a fraction of the area's
// width, not the board's.
double OpenColumnX(const RECT& area, double nutX);

// Centre of fret column nCell (1 .. FRET_COLUMNS), left of its fret line.
double CellCentreX(double fretLineX, double fretWidth);

#include "board_geometry.h"

namespace
{
// Fretboard area as fractions of the client area.
const double AREA_LEFT = 0.027;
const double AREA_TOP = 0.08;
const double AREA_RIGHT = 0.81;
const double AREA_BOTTOM = 0.7;

// Board margins inside the area: the left one holds the open-string markers.
const double MARGIN_LEFT_DIVISOR = 18.0;
const double MARGIN_RIGHT_DIVISOR = 50.0;
const double MARGIN_TOP_BOTTOM_DIVISOR = 25.0;
const double OPEN_COLUMN_DIVISOR = 40.0;

int Trunc(double value)
{
    return static_cast<int>(value);
}
}  // namespace

RECT FretboardArea(int nClientWidth, int nClientHeight)
{
    RECT area;
    area.left = Trunc(nClientWidth * AREA_LEFT);
    area.top = Trunc(nClientHeight * AREA_TOP);
    area.right = Trunc(nClientWidth * AREA_RIGHT);
    area.bottom = Trunc(nClientHeight * AREA_BOTTOM);
    return area;
}

BoardGeometry BoardGeometryIn(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;

    BoardGeometry board;
    board.bottom = Trunc(area.bottom - height / MARGIN_TOP_BOTTOM_DIVISOR);
    board.right = Trunc(area.right - width / MARGIN_RIGHT_DIVISOR);
    board.top = Trunc(area.top + height / MARGIN_TOP_BOTTOM_DIVISOR);
    board.left = Trunc(area.left + width / MARGIN_LEFT_DIVISOR);

    board.stringSpacing = static_cast<float>((board.bottom - board.top) / (STRING_COUNT - 1.0));
    board.fretWidth = static_cast<float>((board.right - board.left) / static_cast<double>(FRET_COLUMNS));
    for (int i = 0; i < STRING_COUNT; ++i)
        board.stringY[i] = static_cast<float>(i * static_cast<double>(board.stringSpacing) + board.top);
    for (int j = 0; j <= FRET_COLUMNS; ++j)
        board.fretX[j] = static_cast<float>(j * static_cast<double>(board.fretWidth) + board.left);
    return board;
}

double OpenColumnX(const RECT& area, double nutX)
{
    return nutX - (area.right - area.left) / OPEN_COLUMN_DIVISOR;
}

double CellCentreX(double fretLineX, double fretWidth)
{
    return fretLineX - fretWidth * 0.5;
}

#include "board_geometry.h"

namespace
{
// Fretboard area as fractions of the client area.
const double kAreaLeft = 0.027;
const double kAreaTop = 0.08;
const double kAreaRight = 0.81;
const double kAreaBottom = 0.7;

// Board margins inside the area: the left one holds the open-string markers.
const double kMarginLeftDivisor = 18.0;
const double kMarginRightDivisor = 50.0;
const double kMarginTopBottomDivisor = 25.0;
const double kOpenColumnDivisor = 40.0;

int Trunc(double value)
{
    return static_cast<int>(value);
}
}  // namespace

RECT FretboardArea(int nClientWidth, int nClientHeight)
{
    RECT area;
    area.left = Trunc(nClientWidth * kAreaLeft);
    area.top = Trunc(nClientHeight * kAreaTop);
    area.right = Trunc(nClientWidth * kAreaRight);
    area.bottom = Trunc(nClientHeight * kAreaBottom);
    return area;
}

BoardGeometry BoardGeometryIn(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;

    BoardGeometry board;
    board.bottom = Trunc(area.bottom - height / kMarginTopBottomDivisor);
    board.right = Trunc(area.right - width / kMarginRightDivisor);
    board.top = Trunc(area.top + height / kMarginTopBottomDivisor);
    board.left = Trunc(area.left + width / kMarginLeftDivisor);

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
    return nutX - (area.right - area.left) / kOpenColumnDivisor;
}

double CellCentreX(double fretLineX, double fretWidth)
{
    return fretLineX - fretWidth * 0.5;
}

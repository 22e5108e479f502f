// The main window on a scaled screen (run with QT_SCALE_FACTOR set): the
// program works in device pixels, and what its paint draws reaches the
// screen pixel for pixel, every line one device pixel wide.
#include "dialog_fixture.h"

#include <cstdlib>
#include <string>

namespace
{
const Applicature kEveryMarker = {0, -10, 1, -2, 10, 4, 0, 0, 1, 2, 0, 4, 0};

double ScaleFactor()
{
    const char* factor = std::getenv("QT_SCALE_FACTOR");
    return factor != nullptr ? std::atof(factor) : 1.0;
}

class ScaledScreenTest : public DialogTest
{
};

TEST_F(ScaledScreenTest, FontsAndDialogUnitsFollowTheDeviceDpi)
{
    Open({});
    const int dpi = static_cast<int>(96 * ScaleFactor() + 0.5);
    EXPECT_EQ(GetDeviceCaps(NULL, LOGPIXELSY), dpi);
    // An 8-point dialog font is 8 / 72 inch high in device pixels.
    const SIZE base = afxtest::DialogBaseUnits(&m_dlg);
    EXPECT_GE(base.cy, MulDiv(8, dpi, 72));
    EXPECT_LE(base.cy, MulDiv(8, dpi, 72) * 3 / 2);
    EXPECT_EQ(afxtest::FontPixelHeight(Item(IDC_CHORD_NAME)) > 0, true);

    CRect client;
    m_dlg.GetClientRect(&client);
    const afxtest::Image seen = afxtest::GrabClientArea(&m_dlg);
    EXPECT_EQ(seen.width, client.Width()) << "the client area is in device pixels";
    EXPECT_EQ(seen.height, client.Height());
}

TEST_F(ScaledScreenTest, TheBoardReachesTheScreenPixelForPixel)
{
    Open({});
    m_dlg.Show(kEveryMarker);
    const afxtest::Image painted = afxtest::GrabPaint(&m_dlg);
    const afxtest::Image seen = afxtest::GrabClientArea(&m_dlg);
    CRect client;
    m_dlg.GetClientRect(&client);
    ASSERT_EQ(painted.width, client.Width());
    ASSERT_EQ(painted.height, client.Height());
    ASSERT_EQ(seen.width, painted.width);
    ASSERT_EQ(seen.height, painted.height);

    const CRect board(m_dlg.m_rcFretboard);
    int differing = 0;
    for (int y = board.top; y < board.bottom; ++y)
        for (int x = board.left; x < board.right; ++x)
            differing += seen.At(x, y) != painted.At(x, y) ? 1 : 0;
    EXPECT_EQ(differing, 0) << "pixels of the board that the screen shows otherwise than painted";

    // Across the strings, in the middle of a fret cell without markers
    // (the third cell holds none of this fingering's markers): six lines
    // of one device pixel each, at the rows the geometry gives.
    const int x = static_cast<int>((m_dlg.m_fFretX[2] + m_dlg.m_fFretX[3]) / 2);
    int lines = 0;
    for (int y = board.top; y < board.bottom; ++y)
    {
        if (seen.At(x, y) != RGB(0, 0, 0))
            continue;
        ++lines;
        EXPECT_NE(seen.At(x, y + 1), RGB(0, 0, 0)) << "line at row " << y << " is wider than one pixel";
        while (y + 1 < board.bottom && seen.At(x, y + 1) == RGB(0, 0, 0))
            ++y;
    }
    EXPECT_EQ(lines, 6);
    // String 6 is the board rectangle's bottom edge, which lies inside it.
    for (int i = 0; i < 6; ++i)
    {
        const int row = static_cast<int>(m_dlg.m_fStringY[i]) - (i == 5 ? 1 : 0);
        EXPECT_EQ(seen.At(x, row), RGB(0, 0, 0)) << "string " << i + 1;
    }
}
}  // namespace

namespace
{
// The pointer's position reaches the program in device pixels: the hand
// shows over a marker where the board's geometry puts it, and the screen
// shows it there too.
TEST_F(ScaledScreenTest, TheHandShowsOverAMarkerWhereTheGeometryPutsIt)
{
    Open({});
    m_dlg.Show(kEveryMarker);
    afxtest::PaintNow(&m_dlg);
    // String 3 is fretted in the first cell.
    const CPoint marker(static_cast<int>((m_dlg.m_fFretX[0] + m_dlg.m_fFretX[1]) / 2),
                        static_cast<int>(m_dlg.m_fStringY[2]));
    afxtest::MouseMove(&m_dlg, marker);
    EXPECT_EQ(afxtest::CurrentCursor(), m_dlg.m_hHandCursor);
    EXPECT_EQ(afxtest::CursorShownAt(&m_dlg, marker), m_dlg.m_hHandCursor);
    const CPoint emptyCell(static_cast<int>((m_dlg.m_fFretX[2] + m_dlg.m_fFretX[3]) / 2), marker.y);
    afxtest::MouseMove(&m_dlg, emptyCell);
    EXPECT_EQ(afxtest::CurrentCursor(), ::LoadCursor(NULL, IDC_ARROW));
}
}  // namespace

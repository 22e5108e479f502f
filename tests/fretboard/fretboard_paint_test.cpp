// The fretboard picture: the drawing calls of the worked examples value for
// value, the pixels the user sees, and the report of codes it cannot draw.
#include "dialog_fixture.h"

#include <cstdio>
#include <sstream>

namespace
{
using afxtest::DrawCall;

const long WHITE = RGB(255, 255, 255);
const long BLACK = RGB(0, 0, 0);

DrawCall Call(const char* op, std::vector<long> args)
{
    return DrawCall{op, std::move(args), ""};
}
DrawCall Brush(long colour)
{
    return Call("SelectBrush", {colour});
}
DrawCall Ellipse(long l, long t, long r, long b)
{
    return Call("Ellipse", {l, t, r, b});
}
DrawCall MoveTo(long x, long y)
{
    return Call("MoveTo", {x, y});
}
DrawCall LineTo(long x, long y)
{
    return Call("LineTo", {x, y});
}

std::vector<std::string> Strings(const std::vector<DrawCall>& calls)
{
    std::vector<std::string> result;
    for (const DrawCall& call : calls)
        result.push_back(call.ToString());
    return result;
}

// What one paint drew, from the area's white fill on (the erase before it
// is the window's, not the fretboard's).
std::vector<DrawCall> FretboardCalls(const afxtest::DrawingRecorder& recorder)
{
    const std::vector<DrawCall>& calls = recorder.Calls();
    auto first = std::find_if(calls.begin(), calls.end(), [](const DrawCall& c) { return c.op == "FillRect"; });
    return std::vector<DrawCall>(first, calls.end());
}

// Open, open root, fretted, fretted root, not played, fretted: every kind
// of marker once.
const Applicature EVERY_MARKER = {0, -10, 1, -2, 10, 4, 0, 0, 1, 2, 0, 4, 0};

class FretboardPaintTest : public DialogTest
{
protected:
    std::vector<DrawCall> PaintAt(int cx, int cy, const Applicature& shown)
    {
        afxtest::SetClientSize(&m_dlg, cx, cy);
        m_dlg.Show(shown);
        afxtest::DrawingRecorder recorder;
        afxtest::PaintNow(&m_dlg);
        return FretboardCalls(recorder);
    }

    // The geometry the last paint stored for the mouse.
    struct Geometry
    {
        CRect area;
        float stringSpacing;
        float fretWidth;
        float stringY[6];
        float fretX[5];
    };
    void ExpectGeometry(const Geometry& g)
    {
        EXPECT_EQ(CRect(m_dlg.m_rcFretboard), g.area);
        EXPECT_FLOAT_EQ(m_dlg.m_fStringSpacing, g.stringSpacing);
        EXPECT_FLOAT_EQ(m_dlg.m_fFretWidth, g.fretWidth);
        for (int i = 0; i < 6; ++i)
            EXPECT_FLOAT_EQ(m_dlg.m_fStringY[i], g.stringY[i]) << "string " << i + 1;
        for (int j = 0; j < 5; ++j)
            EXPECT_FLOAT_EQ(m_dlg.m_fFretX[j], g.fretX[j]) << "fret line " << j;
    }
};

TEST_F(FretboardPaintTest, ClientArea500x300)
{
    Open({});
    const std::vector<DrawCall> calls = PaintAt(500, 300, EVERY_MARKER);

    const std::vector<DrawCall> expected = {
        Call("FillRect", {13, 24, 405, 210, WHITE}),
        Brush(WHITE),
        Call("Rectangle", {34, 31, 397, 202}),
        MoveTo(34, 65),
        LineTo(397, 65),
        MoveTo(34, 99),
        LineTo(397, 99),
        MoveTo(34, 133),
        LineTo(397, 133),
        MoveTo(34, 167),
        LineTo(397, 167),
        MoveTo(124, 31),
        LineTo(124, 202),
        MoveTo(215, 31),
        LineTo(215, 202),
        MoveTo(306, 31),
        LineTo(306, 202),
        Brush(WHITE),
        Ellipse(17, 24, 31, 38),
        Brush(WHITE),
        Ellipse(13, 54, 35, 76),
        Ellipse(17, 58, 31, 72),
        Brush(BLACK),
        Ellipse(72, 92, 86, 106),
        Brush(WHITE),
        Ellipse(159, 122, 181, 144),
        Brush(BLACK),
        Ellipse(163, 126, 177, 140),
        MoveTo(17, 160),
        LineTo(31, 174),
        MoveTo(31, 160),
        LineTo(17, 174),
        Brush(BLACK),
        Ellipse(344, 195, 358, 209),
    };
    EXPECT_EQ(Strings(calls), Strings(expected));

    ExpectGeometry({CRect(13, 24, 405, 210),
                    34.2f,
                    90.75f,
                    {31, 65.2f, 99.4f, 133.6f, 167.8f, 202},
                    {34, 124.75f, 215.5f, 306.25f, 397}});
}

TEST_F(FretboardPaintTest, MarkersOfTheFirstStringAt500x300)
{
    struct MarkerCase
    {
        int code;
        std::vector<DrawCall> marker;
    };
    const MarkerCase cases[] = {
        {0, {Brush(WHITE), Ellipse(17, 24, 31, 38)}},
        {-10, {Brush(WHITE), Ellipse(13, 20, 35, 42), Ellipse(17, 24, 31, 38)}},
        {1, {Brush(BLACK), Ellipse(72, 24, 86, 38)}},
        {-1, {Brush(WHITE), Ellipse(68, 20, 90, 42), Brush(BLACK), Ellipse(72, 24, 86, 38)}},
        {10, {MoveTo(17, 24), LineTo(31, 38), MoveTo(31, 24), LineTo(17, 38)}},
    };
    Open({});
    for (const MarkerCase& c : cases)
    {
        SCOPED_TRACE(c.code);
        // The other strings are not played: six X's of 4 calls each.
        Applicature shown = NOT_PLAYED;
        shown[0] = c.code;
        const std::vector<DrawCall> calls = PaintAt(500, 300, shown);
        const size_t markersStart = 17;
        ASSERT_EQ(calls.size(), markersStart + c.marker.size() + 5 * 4);
        const std::vector<DrawCall> marker(calls.begin() + markersStart,
                                           calls.begin() + markersStart + c.marker.size());
        EXPECT_EQ(Strings(marker), Strings(c.marker));
    }
}

TEST_F(FretboardPaintTest, ClientArea100x100ReachesLeftOfTheWindow)
{
    Open({});
    const std::vector<DrawCall> calls = PaintAt(100, 100, {0, -10, -1, 3, 10, -4, 0, 0, 0, 0, 0, 0, 0});

    const std::vector<DrawCall> expected = {
        Call("FillRect", {2, 8, 81, 70, WHITE}),
        Brush(WHITE),
        Call("Rectangle", {6, 10, 79, 67}),
        MoveTo(6, 21),
        LineTo(79, 21),
        MoveTo(6, 32),
        LineTo(79, 32),
        MoveTo(6, 44),
        LineTo(79, 44),
        MoveTo(6, 55),
        LineTo(79, 55),
        MoveTo(24, 10),
        LineTo(24, 67),
        MoveTo(42, 10),
        LineTo(42, 67),
        MoveTo(60, 10),
        LineTo(60, 67),
        Brush(WHITE),
        Ellipse(-2, 3, 11, 17),
        Brush(WHITE),
        Ellipse(-6, 10, 15, 32),
        Ellipse(-2, 14, 11, 28),
        Brush(WHITE),
        Ellipse(4, 21, 26, 43),
        Brush(BLACK),
        Ellipse(8, 25, 22, 39),
        Brush(BLACK),
        Ellipse(44, 37, 58, 51),
        MoveTo(-3, 48),
        LineTo(11, 62),
        MoveTo(11, 48),
        LineTo(-3, 62),
        Brush(WHITE),
        Ellipse(58, 56, 80, 78),
        Brush(BLACK),
        Ellipse(62, 60, 76, 74),
    };
    EXPECT_EQ(Strings(calls), Strings(expected));

    ExpectGeometry(
        {CRect(2, 8, 81, 70), 11.4f, 18.25f, {10, 21.4f, 32.8f, 44.2f, 55.6f, 67}, {6, 24.25f, 42.5f, 60.75f, 79}});
}

// A bad code in the chord file used to raise its box at every paint, and
// closing the box repaints: the user could never get out.
TEST_F(FretboardPaintTest, UndrawableCodeIsReportedAtTheFirstPaintOfEachShow)
{
    Open({});
    const Applicature codeSevenOnString3 = {0, 1, 7, 2, -10, 0, 0, 0, 0, 0, 0, 0, 0};
    const std::string error = "Error! Invalidate number of 3 string position!";

    afxtest::SetClientSize(&m_dlg, 500, 300);
    m_dlg.Show(codeSevenOnString3);
    EXPECT_EQ(m_boxes.Texts(), std::vector<std::string>{error});
    {
        afxtest::DrawingRecorder recorder;
        afxtest::PaintNow(&m_dlg);
        const std::vector<DrawCall> calls = FretboardCalls(recorder);
        const std::vector<DrawCall> markers(calls.begin() + 17, calls.end());
        const std::vector<DrawCall> expected = {
            Brush(WHITE),
            Ellipse(17, 24, 31, 38),
            Brush(BLACK),
            Ellipse(72, 58, 86, 72),
            DrawCall{"MessageBox", {long(MB_OK | MB_ICONEXCLAMATION)}, error},
            Brush(BLACK),
            Ellipse(163, 126, 177, 140),
            Brush(WHITE),
            Ellipse(13, 156, 35, 178),
            Ellipse(17, 160, 31, 174),
            Brush(WHITE),
            Ellipse(17, 195, 31, 209),
        };
        EXPECT_EQ(Strings(markers), Strings(expected));
    }
    EXPECT_EQ(m_boxes.Texts(), (std::vector<std::string>{error, error}));

    m_dlg.Invalidate();
    afxtest::PaintNow(&m_dlg);
    EXPECT_EQ(m_boxes.Boxes().size(), 2u) << "a repaint of the same fingering reports nothing";

    m_boxes.Clear();
    m_dlg.Show(codeSevenOnString3);
    afxtest::PaintNow(&m_dlg);
    EXPECT_EQ(m_boxes.Texts(), (std::vector<std::string>{error, error}));
}

TEST_F(FretboardPaintTest, MinimisedPaintDrawsTheIconOnly)
{
    Open({});
    PaintAt(500, 300, A_MINOR);
    afxtest::SetIconic(&m_dlg, true);
    m_dlg.Show(NOT_PLAYED);
    afxtest::DrawingRecorder recorder;
    afxtest::PaintNow(&m_dlg);

    EXPECT_TRUE(FretboardCalls(recorder).empty());
    EXPECT_EQ(recorder.CallsOf("DrawIcon").size(), 1u);
    EXPECT_EQ(CRect(m_dlg.m_rcFretboard), CRect(13, 24, 405, 210));
    EXPECT_FLOAT_EQ(m_dlg.m_fFretX[4], 397.0f);
    EXPECT_EQ(m_dlg.OnQueryDragIcon(), m_dlg.m_hIcon);
}

// The picture as the user sees it, controls included, at the dialog's own
// size; the places come from the geometry the paint stored.
TEST_F(FretboardPaintTest, PixelsOfTheWindow)
{
    Open({});
    m_dlg.Show(EVERY_MARKER);
    afxtest::PaintNow(&m_dlg);
    const afxtest::Image image = afxtest::GrabClientArea(&m_dlg);

    const auto isBlack = [&](double x, double y) { return image.At(int(x), int(y)) == RGB(0, 0, 0); };
    const auto isWhite = [&](double x, double y) { return image.At(int(x), int(y)) == RGB(255, 255, 255); };
    const CRect area(m_dlg.m_rcFretboard);
    const float* y = m_dlg.m_fStringY;
    const float* x = m_dlg.m_fFretX;
    const double open = x[0] - area.Width() / 40.0;
    const auto cell = [&](int k) { return x[k] - m_dlg.m_fFretWidth * 0.5; };
    const int top = int(y[0]), bottom = int(y[5]), left = int(x[0]), right = int(x[4]);

    // Outline: the nut, the last fret line, strings 1 and 6.
    EXPECT_TRUE(isBlack(left, (top + bottom) / 2));
    EXPECT_TRUE(isBlack(right - 1, (top + bottom) / 2));
    EXPECT_TRUE(isBlack(cell(3), top));
    EXPECT_TRUE(isBlack(cell(3), bottom - 1));
    EXPECT_TRUE(isWhite(cell(3), top + 2));
    // Strings 2..5 and fret lines 1..3, away from the markers.
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(isBlack(cell(3), int(y[i]))) << "string " << i + 1;
    for (int j = 1; j <= 3; ++j)
        EXPECT_TRUE(isBlack(int(x[j]), (y[0] + y[1]) / 2)) << "fret line " << j;
    // Open string 1: white inside a black circle, in the left margin.
    EXPECT_TRUE(isWhite(open, y[0]));
    EXPECT_TRUE(isBlack(open, int(y[0] - 7)));
    // Open root string 2: two circles, white between them.
    EXPECT_TRUE(isBlack(int(open - 11), y[1]));
    EXPECT_TRUE(isWhite(open - 9, y[1]));
    EXPECT_TRUE(isBlack(int(open - 7), y[1]));
    // Dot on string 3 in cell 1; dot in a ring on string 4 in cell 2.
    EXPECT_TRUE(isBlack(cell(1), y[2]));
    EXPECT_TRUE(isBlack(cell(2), y[3]));
    EXPECT_TRUE(isWhite(cell(2) - 9, y[3]));
    EXPECT_TRUE(isBlack(int(cell(2) - 11), y[3]));
    // The X of string 5: its centre and a diagonal black, above the centre white.
    EXPECT_TRUE(isBlack(open, y[4]));
    EXPECT_TRUE(isBlack(open - 4, y[4] - 4));
    EXPECT_TRUE(isWhite(open, y[4] - 5));
    // Outside the area the dialog's own background.
    EXPECT_FALSE(isWhite(area.right + 1, (area.top + area.bottom) / 2));
}
// The help picture's script places its labels by what tabulor-board-geometry
// prints: it must tell the layout that the paint draws, at any window size.
std::vector<int> BoardGeometryToolOutput(int cx, int cy)
{
    const std::string command =
        std::string("'") + BOARD_GEOMETRY_TOOL + "' " + std::to_string(cx) + " " + std::to_string(cy);
    std::FILE* pipe = popen(command.c_str(), "r");
    std::string text;
    char buffer[256];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        text += buffer;
    if (pipe != nullptr)
        pclose(pipe);
    std::istringstream in(text);
    std::vector<int> values;
    for (int value; in >> value;)
        values.push_back(value);
    return values;
}

TEST_F(FretboardPaintTest, HelpPictureToolTellsThePaintedLayout)
{
    Open({});
    const struct
    {
        int cx;
        int cy;
    } sizes[] = {{500, 300}, {576, 356}, {733, 451}, {100, 100}};
    for (const auto& size : sizes)
    {
        SCOPED_TRACE(std::to_string(size.cx) + " x " + std::to_string(size.cy));
        const std::vector<DrawCall> calls = PaintAt(size.cx, size.cy, EVERY_MARKER);
        // String 1 is open: the first marker is its circle, whose right edge
        // lies 7 pixels right of the open column's centre.
        const auto openMarker =
            std::find_if(calls.begin(), calls.end(), [](const DrawCall& c) { return c.op == "Ellipse"; });
        ASSERT_NE(openMarker, calls.end());

        std::vector<int> painted;
        for (float y : m_dlg.m_fStringY)
            painted.push_back(static_cast<int>(y));
        for (float x : m_dlg.m_fFretX)
            painted.push_back(static_cast<int>(x));
        const CRect area(m_dlg.m_rcFretboard);
        const std::vector<int> rest = {static_cast<int>(m_dlg.m_fFretWidth),
                                       int(openMarker->args[2]) - 7,
                                       int(area.left),
                                       int(area.top),
                                       area.Width(),
                                       area.Height()};
        painted.insert(painted.end(), rest.begin(), rest.end());
        EXPECT_EQ(BoardGeometryToolOutput(size.cx, size.cy), painted);
    }
}

}  // namespace

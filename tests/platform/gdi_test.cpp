// Device contexts with GDI's pixel rules, the log of drawing calls, and
// WM_PAINT painting into the window's image.
#include "test_dialog.h"
#include "testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

using ::testing::ElementsAre;

namespace
{
const COLORREF BLUE = RGB(0, 0, 255);
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF BLACK = RGB(0, 0, 0);

// A 40 x 40 context filled blue, so that every pixel drawn shows.
struct BlueCanvas
{
    afxtest::RecordingDC dc{40, 40};
    CBrush blue{BLUE};
    CBrush white{WHITE};
    CBrush black{BLACK};

    BlueCanvas()
    {
        const CRect all(0, 0, 40, 40);
        dc.FillRect(&all, &blue);
    }
};

TEST(GdiPixels, RectangleStaysInsideItsRightAndBottomEdges)
{
    BlueCanvas canvas;
    canvas.dc.SelectObject(&canvas.white);
    canvas.dc.Rectangle(5, 5, 15, 12);
    const afxtest::Image image = canvas.dc.Grab();
    EXPECT_EQ(image.At(5, 5), BLACK);
    EXPECT_EQ(image.At(14, 11), BLACK);
    EXPECT_EQ(image.At(14, 8), BLACK);
    EXPECT_EQ(image.At(9, 11), BLACK);
    EXPECT_EQ(image.At(6, 6), WHITE);
    EXPECT_EQ(image.At(13, 10), WHITE);
    EXPECT_EQ(image.At(15, 8), BLUE);
    EXPECT_EQ(image.At(9, 12), BLUE);
    EXPECT_EQ(image.At(4, 8), BLUE);
}

TEST(GdiPixels, FillRectCoversLeftTopButNotRightBottom)
{
    BlueCanvas canvas;
    const CRect box(2, 3, 10, 9);
    canvas.dc.FillRect(&box, &canvas.white);
    const CRect inverted(20, 20, 10, 10);
    canvas.dc.FillRect(&inverted, &canvas.white);
    const afxtest::Image image = canvas.dc.Grab();
    EXPECT_EQ(image.At(2, 3), WHITE);
    EXPECT_EQ(image.At(9, 8), WHITE);
    EXPECT_EQ(image.At(10, 8), BLUE);
    EXPECT_EQ(image.At(9, 9), BLUE);
    EXPECT_EQ(image.At(15, 15), BLUE) << "an inverted rectangle fills nothing";
}

TEST(GdiPixels, LineToLeavesItsEndPoint)
{
    BlueCanvas canvas;
    canvas.dc.MoveTo(2, 30);
    canvas.dc.LineTo(10, 30);
    canvas.dc.MoveTo(30, 2);
    canvas.dc.LineTo(30, 9);
    canvas.dc.MoveTo(20, 20);
    canvas.dc.LineTo(25, 25);
    const afxtest::Image image = canvas.dc.Grab();
    for (int x = 2; x < 10; ++x)
        EXPECT_EQ(image.At(x, 30), BLACK) << x;
    EXPECT_EQ(image.At(10, 30), BLUE);
    EXPECT_EQ(image.At(30, 8), BLACK);
    EXPECT_EQ(image.At(30, 9), BLUE);
    EXPECT_EQ(image.At(24, 24), BLACK);
    EXPECT_EQ(image.At(25, 25), BLUE);
}

TEST(GdiPixels, EllipseIsFilledWithTheSelectedBrushInsideItsBox)
{
    BlueCanvas canvas;
    canvas.dc.SelectObject(&canvas.black);
    canvas.dc.Ellipse(2, 2, 16, 16);
    canvas.dc.SelectObject(&canvas.white);
    canvas.dc.Ellipse(CRect(20, 2, 34, 16));
    const afxtest::Image image = canvas.dc.Grab();
    EXPECT_EQ(image.At(9, 9), BLACK);
    EXPECT_EQ(image.At(27, 9), WHITE);
    EXPECT_EQ(image.At(20, 2), BLUE) << "the corners of the box stay";
    // The outline reaches the last column and row inside the box, no further.
    bool lastColumnDrawn = false;
    bool lastRowDrawn = false;
    for (int i = 2; i < 16; ++i)
    {
        lastColumnDrawn = lastColumnDrawn || image.At(33, i) == BLACK;
        lastRowDrawn = lastRowDrawn || image.At(i + 18, 15) == BLACK;
        EXPECT_EQ(image.At(34, i), BLUE);
        EXPECT_EQ(image.At(i + 18, 16), BLUE);
    }
    EXPECT_TRUE(lastColumnDrawn);
    EXPECT_TRUE(lastRowDrawn);
}

TEST(DrawingRecorder, LogsEveryCallWithItsValuesAndBoxesInOrder)
{
    afxtest::MessageBoxRecorder boxes;
    afxtest::DrawingRecorder recorder;
    afxtest::RecordingDC dc(10, 10);
    CBrush white(WHITE);
    dc.SelectObject(&white);
    dc.Rectangle(1, 2, 3, 4);
    AfxMessageBox("in between");
    dc.MoveTo(5, 6);
    dc.LineTo(7, 8);
    dc.Ellipse(CRect(-2, 3, 11, 17));
    std::vector<std::string> calls;
    for (const afxtest::DrawCall& call : recorder.Calls())
        calls.push_back(call.ToString());
    EXPECT_THAT(calls, ElementsAre("SelectBrush(16777215)", "Rectangle(1,2,3,4)", "MessageBox(48,\"in between\")",
                                   "MoveTo(5,6)", "LineTo(7,8)", "Ellipse(-2,3,11,17)"));
}

TEST(DrawingRecorder, SelectObjectReturnsThePreviousBrush)
{
    afxtest::RecordingDC dc(4, 4);
    CBrush first(WHITE);
    CBrush second(BLACK);
    EXPECT_EQ(dc.SelectObject(&first), nullptr);
    EXPECT_EQ(dc.SelectObject(&second), &first);
}

TEST(WindowPaint, InvalidationBringsOneWmPaintIntoTheWindowImage)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    afxtest::PaintNow(&dlg);
    const int paints = dlg.m_nPaints;

    dlg.m_crPaint = RGB(255, 0, 0);
    dlg.InvalidateRect(nullptr, TRUE);
    dlg.InvalidateRect(nullptr, TRUE);
    ASSERT_TRUE(afxtest::WaitFor([&] { return dlg.m_nPaints > paints; }));
    afxtest::ProcessEvents();
    EXPECT_EQ(dlg.m_nPaints, paints + 1) << "invalidations add up to one paint";

    const afxtest::Image painted = afxtest::GrabPaint(&dlg);
    CRect client;
    dlg.GetClientRect(&client);
    ASSERT_EQ(painted.width, client.Width());
    EXPECT_EQ(painted.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(painted.At(client.Width() - 1, client.Height() - 1), RGB(255, 0, 0));
    EXPECT_EQ(painted.At(client.Width() - 5, 20), WHITE);

    const afxtest::Image seen = afxtest::GrabClientArea(&dlg);
    EXPECT_EQ(seen.At(1, 1), RGB(255, 0, 0)) << "the image shows under the controls";
}

TEST(WindowPaint, ABoxInsideWmPaintIsShownAndPaintingGoesOn)
{
    afxtest::MessageBoxRecorder boxes;
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    afxtest::PaintNow(&dlg);
    dlg.m_bBoxInPaint = true;
    boxes.OnShow([&](const afxtest::MessageBoxRecord&) {
        // The box is open while the painter is alive: the window's paint
        // request is not started again meanwhile.
        dlg.Invalidate();
        afxtest::ProcessEvents();
        return IDOK;
    });
    const int paints = dlg.m_nPaints;
    dlg.Invalidate();
    afxtest::PaintNow(&dlg);
    EXPECT_EQ(dlg.m_nPaints, paints + 1);
    EXPECT_THAT(boxes.Texts(), ElementsAre("painting"));
    dlg.m_bBoxInPaint = false;
    EXPECT_TRUE(afxtest::WaitFor([&] { return dlg.m_nPaints == paints + 2; })) << "the invalidation during the box";
    EXPECT_EQ(afxtest::GrabPaint(&dlg).At(20, 20), WHITE);
}

// While a box raised by the paint is open, the screen shows what the paint
// drew before it, not the picture of the paint before.
TEST(WindowPaint, WhatThePaintDrewBeforeItsBoxIsOnScreenWhileTheBoxIsOpen)
{
    afxtest::MessageBoxRecorder boxes;
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    afxtest::PaintNow(&dlg);
    const CPoint inside = FreeAreaPoint(dlg);
    ASSERT_EQ(afxtest::GrabClientArea(&dlg).At(inside.x, inside.y), WHITE);

    dlg.m_crPaint = RGB(255, 0, 0);
    dlg.m_bBoxInPaint = true;
    COLORREF seenWhileOpen = WHITE;
    boxes.OnShow([&](const afxtest::MessageBoxRecord&) {
        seenWhileOpen = afxtest::GrabClientArea(&dlg).At(inside.x, inside.y);
        return IDOK;
    });
    dlg.Invalidate();
    afxtest::PaintNow(&dlg);
    dlg.m_bBoxInPaint = false;
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(seenWhileOpen, RGB(255, 0, 0)) << "the red fill painted before the box";
    EXPECT_EQ(afxtest::GrabClientArea(&dlg).At(inside.x, inside.y), WHITE) << "the paint's end";
}

TEST(WindowPaint, MinimisedWindowReportsIconic)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    EXPECT_FALSE(dlg.IsIconic());
    afxtest::SetIconic(&dlg, true);
    EXPECT_TRUE(dlg.IsIconic());
    afxtest::SetIconic(&dlg, false);
    EXPECT_FALSE(dlg.IsIconic());
}

// The chord-name box's kind of font: Verdana, 19 pixels high.
bool CreateVerdana19(CFont& font)
{
    LOGFONT lf{};
    lf.lfHeight = -19;
    lf.lfWeight = FW_NORMAL;
    std::snprintf(lf.lfFaceName, LF_FACESIZE, "%s", "Verdana");
    return font.CreateFontIndirect(&lf);
}

TEST(Fonts, PointSizesFollowTheLogicalDpi)
{
    afxtest::SetLogicalDpi(120);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSY), 120);
    afxtest::SetLogicalDpi(0);

    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    CFont font;
    ASSERT_TRUE(CreateVerdana19(font));
    dlg.GetDlgItem(IDC_TEST_EDIT)->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.Detach()), TRUE);
    EXPECT_EQ(afxtest::FontPixelHeight(dlg.GetDlgItem(IDC_TEST_EDIT)), 19);
    EXPECT_EQ(font.GetSafeHandle(), nullptr);
}

// The colours of a control's inside as the screen shows it.
std::set<COLORREF> ColoursInside(CTestDlg& dlg, int nID, int inset)
{
    const afxtest::Image seen = afxtest::GrabClientArea(&dlg);
    CRect rect = afxtest::ControlRect(dlg.GetDlgItem(nID));
    rect = CRect(rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset);
    std::set<COLORREF> colours;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            colours.insert(seen.At(x, y));
    return colours;
}

// Control text is drawn as the desktop draws text, its letters' edges
// smoothed, whether in the dialog font or in a font the program made.
TEST(Fonts, ControlTextIsDrawnAntialiased)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    EXPECT_GT(ColoursInside(dlg, IDC_TEST_LABEL, 0).size(), 4u) << "static text in the dialog font";

    CFont font;
    ASSERT_TRUE(CreateVerdana19(font));
    dlg.GetDlgItem(IDC_TEST_READONLY)->SetFont(&font);
    EXPECT_GT(ColoursInside(dlg, IDC_TEST_READONLY, 3).size(), 4u) << "edit text in a font of the program";
}
}  // namespace

// The mouse on the fretboard at the 500 x 300 client area: which points hit
// a marker, what double-clicks and the wheel edit in edition mode, what they
// leave alone outside it, and the sound of a click.
#include "dialog_fixture.h"
#include "sound_fixture.h"

#include <climits>
#include <ostream>

namespace
{
// At 500 x 300 the strings lie at y 31, 65.2, 99.4, 133.6, 167.8 and 202,
// the open column's centre at x 24.2, the cells' centres at 79.375,
// 170.125, 260.875 and 351.625, and the last fret line at x 397.
const int CLIENT_WIDTH = 500;
const int CLIENT_HEIGHT = 300;

// Only string 1 (or 2) is set; the rest of the board is not played.
Applicature WithCodes(int nCode1, int nCode2 = POS_NOT_PLAYED)
{
    Applicature a = NOT_PLAYED;
    a[0] = nCode1;
    a[1] = nCode2;
    return a;
}

void SendMouse(CWnd& wnd, UINT message, CPoint point)
{
    wnd.SendMessage(message, 0, MAKELPARAM(point.x, point.y));
}

void SendWheel(CWnd& wnd, int zDelta)
{
    wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, zDelta), MAKELPARAM(100, 100));
}

class FretboardMouseTest : public DialogTest
{
protected:
    void OpenAt500x300(const Applicature& shown, bool bEditionMode = false)
    {
        OpenAt(CLIENT_HEIGHT, bEditionMode);
        ASSERT_FLOAT_EQ(m_dlg.m_fStringY[2], 99.4f);
        ASSERT_FLOAT_EQ(m_dlg.m_fFretX[4], 397.0f);
        m_dlg.Show(shown);
        m_boxes.Clear();
    }

    // Typing the special words looks up each shorter text first, so the
    // fingering is shown after them.
    void OpenAt(int cy, bool bEditionMode)
    {
        Open({});
        afxtest::SetClientSize(&m_dlg, CLIENT_WIDTH, cy);
        afxtest::PaintNow(&m_dlg);
        if (bEditionMode)
        {
            TypeChordName("edition mode");
            ASSERT_TRUE(m_dlg.m_bEditionMode);
        }
    }

    // True when the message at point turned the cursor into the hand.
    bool HandAfter(UINT message, CPoint point)
    {
        ::SetCursor(nullptr);
        SendMouse(m_dlg, message, point);
        return afxtest::CurrentCursor() == m_dlg.m_hHandCursor;
    }
};

struct HitCase
{
    Applicature shown;
    CPoint point;
    bool hit;
};

void PrintTo(const HitCase& c, std::ostream* out)
{
    *out << "codes " << c.shown[0] << ", " << c.shown[1] << " at (" << c.point.x << ", " << c.point.y << ")";
}

const HitCase HIT_CASES[] = {
    {WithCodes(1), {80, 40}, true},                                       // 21 < 40 < 41 and cell 1
    {WithCodes(1), {80, 41}, false},                                      // in no band
    {WithCodes(1), {80, 21}, false},     {WithCodes(0), {15, 31}, true},  // 14.2 < 15 < 34.2
    {WithCodes(0), {14, 31}, false},     {WithCodes(-10), {34, 31}, true},
    {WithCodes(-10), {35, 31}, false},   {WithCodes(10), {24, 31}, false},  // the X of a string not played
    {WithCodes(7), {24, 31}, false},                                        // a code that draws nothing
    {WithCodes(2), {161, 31}, true},                                        // 160.125 < 161
    {WithCodes(2), {160, 31}, false},    {WithCodes(2), {80, 31}, false},   // another cell of the same string
    {WithCodes(-2), {170, 31}, true},                                       // a root marker only in its own cell
    {WithCodes(-2), {80, 31}, false},    {WithCodes(-2), {24, 31}, false},
    {WithCodes(4), {361, 31}, true},                                          // 361 < 361.625
    {WithCodes(-3), {270, 31}, true},    {WithCodes(10, 1), {80, 56}, true},  // string 2: 55.2 < 56
    {WithCodes(10, 1), {80, 55}, false}, {WithCodes(10, 1), {80, 75}, true},  // 75 < 75.2
};

class MarkerHitTest : public FretboardMouseTest, public ::testing::WithParamInterface<HitCase>
{
};

TEST_P(MarkerHitTest, HandCursorOverAMarkerInEveryMode)
{
    OpenAt500x300(GetParam().shown);
    for (bool bEditionMode : {false, true})
    {
        SCOPED_TRACE(bEditionMode ? "edition mode" : "default mode");
        m_dlg.m_bEditionMode = bEditionMode;
        EXPECT_EQ(HandAfter(WM_MOUSEMOVE, GetParam().point), GetParam().hit);
        EXPECT_EQ(HandAfter(WM_LBUTTONUP, GetParam().point), GetParam().hit);
        EXPECT_EQ(HandAfter(WM_LBUTTONDOWN, GetParam().point), GetParam().hit);
    }
    EXPECT_EQ(m_dlg.Shown(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(At500x300, MarkerHitTest, ::testing::ValuesIn(HIT_CASES));

TEST_F(FretboardMouseTest, RealPointerOverAMarkerShowsTheHandAndElsewhereTheArrow)
{
    OpenAt500x300(A_MINOR);
    afxtest::MouseMove(&m_dlg, CPoint(80, 65));  // string 2, cell 1
    EXPECT_EQ(afxtest::CurrentCursor(), m_dlg.m_hHandCursor);
    afxtest::MouseMove(&m_dlg, CPoint(120, 65));
    EXPECT_EQ(afxtest::CurrentCursor(), ::LoadCursor(nullptr, IDC_ARROW));
}

struct DoubleClickCase
{
    const char* column;
    int x;
    int startCode;
    std::vector<int> codes;  // string 3's code after each double-click
};

void PrintTo(const DoubleClickCase& c, std::ostream* out)
{
    *out << c.column << " from " << c.startCode;
}

const DoubleClickCase DOUBLE_CLICK_CASES[] = {
    {"open", 24, 0, {-10, 10, 0, -10}},
    {"open", 24, 2, {0, -10}},
    {"open", 15, 10, {0}},
    {"open", 24, 7, {0}},
    {"cell 1", 79, 1, {-1, 10, 1}},
    {"cell 2", 170, 2, {-2, 10, 2}},
    {"cell 2", 161, 3, {2, -2}},
    {"cell 3", 261, -10, {3, -3, 10}},
    {"cell 4", 361, 10, {4, -4, 10, 4}},
    {"cell 4", 342, -1, {4}},
};

class DoubleClickTest : public FretboardMouseTest, public ::testing::WithParamInterface<DoubleClickCase>
{
};

TEST_P(DoubleClickTest, EachColumnCyclesThroughItsThreeStates)
{
    // No other root mark: the root string then tells that the board was
    // shown again.
    Applicature start = A_MINOR;
    start[4] = POS_OPEN;
    start[2] = GetParam().startCode;
    OpenAt500x300(start, true);

    Applicature expected = start;
    for (int code : GetParam().codes)
    {
        SCOPED_TRACE(code);
        EXPECT_TRUE(HandAfter(WM_LBUTTONDBLCLK, CPoint(GetParam().x, 99)));
        expected[2] = code;
        EXPECT_EQ(m_dlg.Shown(), expected);
        // Shown again: the notes and the root string follow the new code.
        if (code < 0)
        {
            EXPECT_EQ(m_dlg.m_nRootString, 2);
        }
        if (code == POS_NOT_PLAYED)
        {
            EXPECT_EQ(m_dlg.Notes()[2], -1);
        }
    }
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(String3At500x300, DoubleClickTest, ::testing::ValuesIn(DOUBLE_CLICK_CASES));

TEST_F(FretboardMouseTest, DoubleClicksInTheFingerStripCycleTheFinger)
{
    Applicature start = A_MINOR;
    start[6 + 3] = 9;  // string 4: a finger out of range
    OpenAt500x300(start, true);
    ASSERT_EQ(m_dlg.FingerLabels()[2], "3");

    const struct
    {
        CPoint point;
        int finger3;
        int finger4;
        const char* label3;
    } steps[] = {
        {{400, 99}, 4, 9, "4"},  {{400, 99}, 0, 9, " "},
        {{426, 99}, 1, 9, "1"},  {{427, 99}, 1, 9, "1"},  // right of the strip
        {{397, 99}, 1, 9, "1"},                           // on the last fret line
        {{400, 133}, 1, 0, "1"}, {{400, 133}, 1, 1, "1"},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(testing::Message() << "(" << step.point.x << ", " << step.point.y << ")");
        EXPECT_FALSE(HandAfter(WM_LBUTTONDBLCLK, step.point));
        EXPECT_EQ(m_dlg.m_nLeftHandFinger[2], step.finger3);
        EXPECT_EQ(m_dlg.m_nLeftHandFinger[3], step.finger4);
        EXPECT_EQ(m_dlg.FingerLabels()[2], step.label3);
    }
    EXPECT_EQ(m_dlg.Codes(), (std::array<int, 6>{0, 1, 2, 2, -10, 0}));
}

TEST_F(FretboardMouseTest, OverlappingBandsClickTheUpperStringAndDoubleClickEditBoth)
{
    OpenAt(120, true);
    ASSERT_LT(m_dlg.m_fStringSpacing, 20.0f);
    m_dlg.Show(WithCodes(POS_NOT_PLAYED, POS_OPEN));
    m_boxes.Clear();

    const RECT& area = m_dlg.m_rcFretboard;
    const double openX = m_dlg.m_fFretX[0] - (area.right - area.left) / 40.0;
    const double midY = (m_dlg.m_fStringY[0] + m_dlg.m_fStringY[1]) / 2.0;
    const CPoint between(static_cast<int>(openX), static_cast<int>(midY));
    // String 2's open marker is under the point, but string 1 comes first.
    EXPECT_FALSE(HandAfter(WM_LBUTTONDOWN, between));

    SendMouse(m_dlg, WM_LBUTTONDBLCLK, between);
    EXPECT_EQ(m_dlg.Codes(), (std::array<int, 6>{0, -10, 10, 10, 10, 10}));
}

struct WheelCase
{
    int startPosition;
    int zDelta;
    int position;
    size_t boxes;  // a base fret out of range is reported at each re-show
};

void PrintTo(const WheelCase& c, std::ostream* out)
{
    *out << "base " << c.startPosition << " turned " << c.zDelta;
}

const WheelCase WHEEL_CASES[] = {
    {0, WHEEL_DELTA, 1, 0},
    {0, -WHEEL_DELTA, 0, 0},
    {12, WHEEL_DELTA, 12, 0},
    {12, -1, 11, 0},
    {5, 0, 5, 0},
    {3, 5 * WHEEL_DELTA, 4, 0},
    {3, -5 * WHEEL_DELTA, 2, 0},
    {15, WHEEL_DELTA, 15, 1},
    {15, -WHEEL_DELTA, 14, 1},
    {-2, -WHEEL_DELTA, -2, 1},
    {INT_MAX, WHEEL_DELTA, INT_MAX, 1},
    {INT_MAX, -WHEEL_DELTA, INT_MAX - 1, 1},
    {INT_MIN, WHEEL_DELTA, INT_MIN + 1, 1},
};

class WheelTest : public FretboardMouseTest, public ::testing::WithParamInterface<WheelCase>
{
};

TEST_P(WheelTest, OneFretPerMessageWithinTheNeckAndShownEachTime)
{
    Applicature start = A_MINOR;
    start[12] = GetParam().startPosition;
    OpenAt500x300(start, true);
    // The labels are written again even when the base fret stays.
    m_dlg.GetDlgItem(IDC_POSITION1)->SetWindowText("?");

    SendWheel(m_dlg, GetParam().zDelta);

    Applicature expected = start;
    expected[12] = GetParam().position;
    EXPECT_EQ(m_dlg.Shown(), expected);
    EXPECT_NE(m_dlg.FretLabels()[0], "?");
    EXPECT_EQ(m_boxes.Boxes().size(), GetParam().boxes);
}

INSTANTIATE_TEST_SUITE_P(BaseFret, WheelTest, ::testing::ValuesIn(WHEEL_CASES));

TEST_F(FretboardMouseTest, OutsideEditionModeDoubleClicksAndTheWheelChangeNothing)
{
    OpenAt500x300(A_MINOR);
    m_dlg.GetDlgItem(IDC_POSITION1)->SetWindowText("?");
    for (CPoint point : {CPoint(24, 31), CPoint(79, 65), CPoint(400, 99)})
        SendMouse(m_dlg, WM_LBUTTONDBLCLK, point);
    SendWheel(m_dlg, WHEEL_DELTA);
    SendWheel(m_dlg, -WHEEL_DELTA);

    EXPECT_EQ(m_dlg.Shown(), A_MINOR);
    // Not even shown again.
    EXPECT_EQ(m_dlg.FretLabels()[0], "?");
}

// A click on a marker is heard: the sound tests' device with its call log.
class MarkerSoundTest : public SoundTest
{
protected:
    void OpenAt500x300(const Applicature& shown)
    {
        Open();
        afxtest::SetClientSize(&m_dlg, CLIENT_WIDTH, CLIENT_HEIGHT);
        afxtest::PaintNow(&m_dlg);
        m_dlg.Show(shown);
    }
};

TEST_F(MarkerSoundTest, AClickOnAMarkerPlaysThatStringOnly)
{
    OpenAt500x300(A_MINOR);
    const struct
    {
        CPoint point;
        std::vector<std::string> calls;
    } clicks[] = {
        {{80, 65}, {RESET, ShortMsg("0x007F3C90")}},   // string 2, cell 1: C4
        {{24, 31}, {RESET, ShortMsg("0x007F4090")}},   // string 1 open: E4
        {{24, 167}, {RESET, ShortMsg("0x007F2D90")}},  // string 5 open root: A2
        {{120, 65}, {}},                               // beside the marker
        {{80, 120}, {}},                               // between two strings
    };
    for (const auto& click : clicks)
    {
        SCOPED_TRACE(testing::Message() << "(" << click.point.x << ", " << click.point.y << ")");
        EXPECT_EQ(CallsOf([&] { SendMouse(m_dlg, WM_LBUTTONDOWN, click.point); }), click.calls);
    }

    // Moving over a marker and releasing on it are silent.
    EXPECT_TRUE(CallsOf([&] {
                    SendMouse(m_dlg, WM_MOUSEMOVE, CPoint(80, 65));
                    SendMouse(m_dlg, WM_LBUTTONUP, CPoint(80, 65));
                }).empty());

    m_dlg.Show(WithCodes(POS_NOT_PLAYED));
    EXPECT_TRUE(CallsOf([&] { SendMouse(m_dlg, WM_LBUTTONDOWN, CPoint(24, 31)); }).empty());
}

TEST_F(MarkerSoundTest, RealDoubleClickPlaysThenEditsAndTheRealWheelMovesTheBaseFret)
{
    OpenAt500x300(A_MINOR);
    m_dlg.m_bEditionMode = true;

    // String 2's marker in cell 1: its first press plays it, the double-click
    // makes it the root.
    const std::vector<std::string> calls = CallsOf([&] { afxtest::MouseDoubleClick(&m_dlg, CPoint(80, 65)); });
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls, (std::vector<std::string>{RESET, ShortMsg("0x007F3C90")}));
    EXPECT_EQ(m_dlg.Codes(), (std::array<int, 6>{0, -1, 2, 2, -10, 0}));

    afxtest::MouseWheel(&m_dlg, CPoint(170, 99), WHEEL_DELTA);
    EXPECT_EQ(m_dlg.m_nPosition, 1);
    EXPECT_EQ(m_dlg.FretLabels(), (std::vector<std::string>{"2", "3", "4", "5"}));
    afxtest::MouseWheel(&m_dlg, CPoint(170, 99), -WHEEL_DELTA);
    afxtest::MouseWheel(&m_dlg, CPoint(170, 99), -WHEEL_DELTA);
    EXPECT_EQ(m_dlg.m_nPosition, 0);
}
}  // namespace

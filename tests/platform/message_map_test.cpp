// Message maps: dispatch by message, notification and control, the base
// map's fallback, real input turned into messages, and the help command's
// road to the application.
#include "test_dialog.h"
#include "testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
LPARAM From(CWnd* control)
{
    return reinterpret_cast<LPARAM>(control->m_hWnd);
}

TEST(MessageMap, DerivedEntryWinsAndTheBaseMapHandlesTheRest)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);

    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), From(dlg.GetDlgItem(IDOK)));
    EXPECT_THAT(LogOf(dlg, "ok"), ElementsAre("ok"));
    EXPECT_FALSE(run.Ended());

    // No entry of the test dialog: CDialog's own ends it.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), From(dlg.GetDlgItem(IDCANCEL)));
    EXPECT_TRUE(run.Ended());
    EXPECT_EQ(run.Result(), IDCANCEL);
}

TEST(MessageMap, ArgumentsAndResultsPassThroughTheirSignatures)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    dlg.m_log.clear();

    dlg.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 40));
    dlg.SendMessage(WM_SYSCOMMAND, 0x0013, 0);
    dlg.m_bWheelResult = TRUE;
    EXPECT_EQ(dlg.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(5, 6)), TRUE);
    NMHDR header{dlg.GetDlgItem(IDC_TEST_SLIDER)->m_hWnd, IDC_TEST_SLIDER, NM_CUSTOMDRAW};
    dlg.SendMessage(WM_NOTIFY, IDC_TEST_SLIDER, reinterpret_cast<LPARAM>(&header));
    // A notification of another control has no entry.
    NMHDR other{dlg.GetDlgItem(IDC_TEST_COMBO)->m_hWnd, IDC_TEST_COMBO, NM_CUSTOMDRAW};
    dlg.SendMessage(WM_NOTIFY, IDC_TEST_COMBO, reinterpret_cast<LPARAM>(&other));

    EXPECT_THAT(dlg.m_log, ElementsAre("down -3,40", "syscommand 19", "wheel -120 5,6", "customdraw 1004"));
}

TEST(MessageMap, RealInputBecomesMessagesInClientCoordinates)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    dlg.m_log.clear();
    const CPoint freeArea = FreeAreaPoint(dlg);
    const std::string at = std::to_string(freeArea.x) + "," + std::to_string(freeArea.y);

    afxtest::ClickButton(dlg.GetDlgItem(IDC_TEST_APPLY));
    afxtest::MouseDoubleClick(&dlg, freeArea);
    afxtest::MouseWheel(&dlg, freeArea, WHEEL_DELTA);
    EXPECT_THAT(dlg.m_log,
                ElementsAre("apply", "down " + at, "up " + at, "dblclk " + at, "up " + at, "wheel 120 " + at));
}

TEST(MessageMap, TheTrackbarNotifiesCustomDrawWhenItPaints)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    dlg.m_log.clear();
    dlg.m_slider.SetRange(0, 127, TRUE);
    dlg.m_slider.SetPos(100);
    afxtest::GrabClientArea(&dlg);
    EXPECT_THAT(LogOf(dlg, "customdraw"), ::testing::Not(IsEmpty()));
    EXPECT_EQ(dlg.m_slider.GetPos(), 100);
    EXPECT_EQ(dlg.m_slider.GetRangeMax(), 127);
}

TEST(MessageMap, EveryMouseMessageStartsWithTheArrowCursor)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    dlg.m_bHandCursorOnMove = true;
    const CPoint freeArea = FreeAreaPoint(dlg);
    afxtest::MouseMove(&dlg, freeArea);
    EXPECT_EQ(afxtest::CurrentCursor(), LoadCursor(nullptr, IDC_HAND));
    dlg.m_bHandCursorOnMove = false;
    afxtest::MouseMove(&dlg, CPoint(freeArea.x + 1, freeArea.y));
    EXPECT_EQ(afxtest::CurrentCursor(), LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(testApp.LoadStandardCursor(IDC_HAND), LoadCursor(nullptr, IDC_HAND));
}

TEST(HelpCommand, F1GoesThroughTheApplicationToTheMainWindowsWinHelp)
{
    CTestDlg main;
    CTestDlg other;
    afxtest::ModelessDialog mainRun(main);
    afxtest::ModelessDialog otherRun(other);
    testApp.m_pMainWnd = &main;

    afxtest::KeyPress(&other, afxtest::VK_F1);
    afxtest::KeyPress(&main, afxtest::VK_F1, afxtest::KEY_SHIFT);
    afxtest::KeyPress(&main, afxtest::VK_F1, afxtest::KEY_CONTROL);
    afxtest::KeyPress(&main, afxtest::VK_F1);
    testApp.m_pMainWnd = nullptr;

    EXPECT_THAT(LogOf(main, "help"), ElementsAre("help", "help"));
    EXPECT_THAT(LogOf(other, "help"), IsEmpty());
}
}  // namespace

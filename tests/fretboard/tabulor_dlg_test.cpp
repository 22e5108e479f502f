// Start-up of the main window and its ways out.
#include "dialog_fixture.h"

#include <sys/stat.h>

namespace
{
const Applicature A_MINOR_HIGH = {1, 1, 2, 3, 3, -1, 1, 1, 2, 4, 3, 1, 4};
const Applicature C_MAJOR = {0, 1, 0, 2, -3, 10, 0, 1, 0, 2, 3, 0, 0};
const char* const NAMES_HINT = "Am (here are all chord name variants)";
const std::string MISSING_HELP = "TabulorHelp.gif file was not found! Help function is impossible! Tabulor.exe and "
                                 "TabulorHelp.gif must be placed at the same directory!";

class StartUpTest : public DialogTest
{
protected:
    void SetUp() override { afxtest::SetLogicalDpi(96); }
    void TearDown() override
    {
        DialogTest::TearDown();
        afxtest::SetLogicalDpi(0);
    }
};

TEST_F(StartUpTest, WithAnAMinorFamilyItsFirstFingeringIsShown)
{
    Open({{{"C"}, {C_MAJOR}}, {{"Amin", "Am"}, {A_MINOR_HIGH, A_MINOR}}});

    EXPECT_TRUE(m_boxes.Boxes().empty());
    EXPECT_TRUE(m_dlg.IsWindowVisible());
    EXPECT_EQ(m_dlg.m_chordTable.size(), 2u);
    EXPECT_EQ(m_dlg.Shown(), A_MINOR_HIGH);
    EXPECT_EQ(m_dlg.Notes(), (std::array<int, 6>{33, 28, 25, 21, 16, 9}));
    EXPECT_EQ(m_dlg.m_nRootString, 5);
    EXPECT_EQ(m_dlg.FingerLabels(), (std::vector<std::string>{"1", "1", "2", "4", "3", "1"}));
    EXPECT_EQ(m_dlg.FretLabels(), (std::vector<std::string>{"5", "6", "7", "8"}));
    EXPECT_EQ(m_dlg.m_currentVariants.size(), 2u);
    // The hint, not the family's names, and no lookup of the hint.
    EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAMES), NAMES_HINT);
    EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAME), "Am");

    EXPECT_EQ(afxtest::FocusedControlId(&m_dlg), IDOK);
    EXPECT_TRUE(afxtest::IsDefaultButton(m_dlg.GetDlgItem(IDOK)));

    const std::vector<afxtest::MenuItem> menu = afxtest::SystemMenuItems(&m_dlg);
    ASSERT_GE(menu.size(), 2u);
    EXPECT_EQ(menu[menu.size() - 2].flags & MF_SEPARATOR, UINT(MF_SEPARATOR));
    EXPECT_EQ(menu.back().id, UINT(IDM_ABOUTBOX));
    EXPECT_EQ(menu.back().text, "&About Tabulor");

    EXPECT_EQ(m_dlg.GetIcon(TRUE), m_dlg.m_hIcon);
    EXPECT_EQ(m_dlg.GetIcon(FALSE), m_dlg.m_hIcon);
    EXPECT_NE(m_dlg.m_hIcon, HICON(nullptr));

    EXPECT_EQ(afxtest::FontFamily(m_dlg.GetDlgItem(IDC_CHORD_NAME)), "Verdana");
    EXPECT_EQ(afxtest::FontPixelHeight(m_dlg.GetDlgItem(IDC_CHORD_NAME)), 19);
    EXPECT_EQ(afxtest::FontFamily(m_dlg.GetDlgItem(IDC_CHORD_NAMES)), "Verdana");
    EXPECT_EQ(afxtest::FontPixelHeight(m_dlg.GetDlgItem(IDC_CHORD_NAMES)), 11);
}

TEST_F(StartUpTest, WithoutAnAMinorFamilyNothingIsPlayedAndAMissingHelpImageIsReported)
{
    bool visibleDuringBox = true;
    m_boxes.OnShow([&](const afxtest::MessageBoxRecord&) {
        visibleDuringBox = m_dlg.IsWindowVisible() != FALSE;
        return IDOK;
    });
    Open({{{"C"}, {C_MAJOR}}}, false);

    ASSERT_EQ(m_boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_boxes.Boxes()[0].text, MISSING_HELP);
    EXPECT_EQ(m_boxes.Boxes()[0].caption, "Error");
    EXPECT_EQ(m_boxes.Boxes()[0].type, UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(m_boxes.Boxes()[0].owner, m_dlg.GetSafeHwnd());
    EXPECT_FALSE(visibleDuringBox);
    EXPECT_TRUE(m_dlg.IsWindowVisible());

    EXPECT_EQ(m_dlg.Codes(), (std::array<int, 6>{10, 10, 10, 10, 10, 10}));
    EXPECT_EQ(m_dlg.Notes(), (std::array<int, 6>{-1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(m_dlg.m_nRootString, 4);
    EXPECT_EQ(m_dlg.FingerLabels(), (std::vector<std::string>{" ", " ", " ", " ", " ", " "}));
    EXPECT_TRUE(m_dlg.m_currentVariants.empty());
    EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAMES), NAMES_HINT);
}

// A help image that is a FIFO does not hold up the start: it is reported as
// missing, and the window comes.
TEST_F(StartUpTest, AHelpImageThatIsNoRegularFileCountsAsMissing)
{
    ASSERT_EQ(mkfifo("TabulorHelp.gif", 0600), 0);
    Open({{{"Am"}, {A_MINOR}}}, false);

    ASSERT_EQ(m_boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_boxes.Boxes()[0].text, MISSING_HELP);
    EXPECT_TRUE(m_dlg.IsWindowVisible());
    EXPECT_EQ(m_dlg.m_chordTable.size(), 1u);
}

TEST_F(StartUpTest, FontHeightFollowsThePixelsPerInch)
{
    Open({});
    EXPECT_EQ(m_dlg.PointsToFontHeight(14, nullptr), 0);
    CClientDC dc(&m_dlg);
    EXPECT_EQ(m_dlg.PointsToFontHeight(14, dc.m_hDC), -19);
    EXPECT_EQ(m_dlg.PointsToFontHeight(8, dc.m_hDC), -11);
    afxtest::SetLogicalDpi(120);
    EXPECT_EQ(m_dlg.PointsToFontHeight(14, dc.m_hDC), -23);
    EXPECT_EQ(m_dlg.PointsToFontHeight(8, dc.m_hDC), -13);
}

TEST_F(StartUpTest, EnterNeverClosesTheDialogEscAndExitDo)
{
    Open({{{"Am"}, {A_MINOR}}});
    afxtest::KeyPress(m_dlg.GetDlgItem(IDC_CHORD_NAME), afxtest::VK_RETURN);
    afxtest::ClickButton(m_dlg.GetDlgItem(IDOK));
    EXPECT_FALSE(m_run->Ended());

    afxtest::KeyPress(m_dlg.GetDlgItem(IDC_CHORD_NAME), afxtest::VK_ESCAPE);
    EXPECT_TRUE(m_run->Ended());
    EXPECT_EQ(m_run->Result(), IDCANCEL);
}

TEST_F(StartUpTest, ExitButtonEndsTheDialog)
{
    Open({});
    afxtest::ClickButton(m_dlg.GetDlgItem(IDCANCEL));
    EXPECT_TRUE(m_run->Ended());
    EXPECT_EQ(m_run->Result(), IDCANCEL);
}
}  // namespace

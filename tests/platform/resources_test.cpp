// The program's resources as the framework finds them: the three dialog
// templates build with their controls, the string table and the icon.
#include "afxwin.h"
#include "resource.h"
#include "testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
CWinApp app;

CString TextOf(CWnd* pWnd)
{
    CString text;
    pWnd->GetWindowText(text);
    return text;
}

TEST(MainDialogTemplate, BuildsTheWindowWithItsControlsInTabOrder)
{
    CDialog dlg(IDD_TABULOR_DIALOG);
    afxtest::ModelessDialog run(dlg);
    ASSERT_TRUE(run.Created());
    EXPECT_EQ(TextOf(&dlg), "Tabulor 2011.07.03");

    const SIZE base = afxtest::DialogBaseUnits(&dlg);
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(client.Width(), MulDiv(288, base.cx, 4));
    EXPECT_EQ(client.Height(), MulDiv(178, base.cy, 8));

    const struct
    {
        int id;
        const char* text;
    } labelled[] = {{IDOK, "N&ext fingering"},  {IDC_PLAY, "&Play"}, {IDC_RANDOM, "&Random"}, {IDC_ABOUT, "&About"},
                    {IDC_HELP_BUTTON, "&Help"}, {IDCANCEL, "E&xit"}, {IDC_PATCH, "Pat&ch"},   {IDC_MUTE, "M&ute"},
                    {IDC_FINGER1, "1"},         {IDC_FINGER6, "6"},  {IDC_POSITION4, "4"},    {IDC_CHORD_NAME, ""}};
    for (const auto& control : labelled)
    {
        ASSERT_NE(dlg.GetDlgItem(control.id), nullptr) << control.id;
        EXPECT_EQ(TextOf(dlg.GetDlgItem(control.id)), control.text);
    }
    EXPECT_TRUE(afxtest::IsDefaultButton(dlg.GetDlgItem(IDOK)));
    EXPECT_EQ(afxtest::ControlRect(dlg.GetDlgItem(IDC_CHORD_NAMES)),
              CRect(MulDiv(7, base.cx, 4), MulDiv(130, base.cy, 8), MulDiv(7, base.cx, 4) + MulDiv(274, base.cx, 4),
                    MulDiv(130, base.cy, 8) + MulDiv(12, base.cy, 8)));

    std::vector<int> order{afxtest::FocusedControlId(&dlg)};
    for (int i = 0; i < 11; ++i)
    {
        afxtest::KeyPress(&dlg, afxtest::VK_TAB);
        order.push_back(afxtest::FocusedControlId(&dlg));
    }
    EXPECT_THAT(order, ElementsAre(IDOK, IDC_PLAY, IDC_VOLUME, IDC_RANDOM, IDC_ABOUT, IDC_HELP_BUTTON, IDCANCEL,
                                   IDC_CHORD_NAMES, IDC_CHORD_NAME, IDC_PATCH, IDC_MUTE, IDOK));
    EXPECT_NE(dlg.GetSystemMenu(FALSE), nullptr);
}

TEST(SelectPatchTemplate, ListsTheInstrumentsInProgramOrder)
{
    CDialog dlg(IDD_SELECT_PATCH);
    afxtest::ModelessDialog run(dlg);
    ASSERT_TRUE(run.Created());
    EXPECT_EQ(TextOf(&dlg), "Select Patch");
    CComboBox list;
    ASSERT_TRUE(list.SubclassWindow(dlg.GetDlgItem(IDC_PATCH_LIST)->m_hWnd));
    ASSERT_EQ(list.GetCount(), 128);
    list.SetCurSel(0);
    EXPECT_EQ(TextOf(&list), "0 Acoustic grand piano");
    list.SetCurSel(24);
    EXPECT_EQ(TextOf(&list), "24 Acoustic guitar (nylon)");
    list.SetCurSel(127);
    EXPECT_EQ(TextOf(&list), "127 Gunshot");
    EXPECT_EQ(afxtest::FocusedControlId(&dlg), IDOK);
    list.UnsubclassWindow();
}

TEST(AboutTemplate, ShowsTheVersionAndTheKeys)
{
    CDialog dlg(IDD_ABOUTBOX);
    afxtest::ModelessDialog run(dlg);
    ASSERT_TRUE(run.Created());
    EXPECT_EQ(TextOf(&dlg), "About Tabulor");
    EXPECT_NE(dlg.GetDlgItem(IDC_WEBSITE), nullptr);
    EXPECT_TRUE(afxtest::IsDefaultButton(dlg.GetDlgItem(IDOK)));
}

TEST(StringsAndIcon, AreFoundById)
{
    CString about;
    EXPECT_TRUE(about.LoadString(IDS_ABOUTBOX));
    EXPECT_EQ(about, "&About Tabulor");
    EXPECT_NE(app.LoadIcon(IDR_MAINFRAME), nullptr);
    EXPECT_EQ(app.LoadIcon(999), nullptr);
}
}  // namespace

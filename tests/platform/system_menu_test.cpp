// The system menu stand-in: standard commands plus appended items, opened
// with Alt+Space or a right-click on the free area, choices as WM_SYSCOMMAND.
#include "test_dialog.h"
#include "testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
struct SystemMenu : ::testing::Test
{
    CTestDlg dlg;
    afxtest::ModelessDialog run{dlg};

    void SetUp() override
    {
        CMenu* menu = dlg.GetSystemMenu(FALSE);
        ASSERT_NE(menu, nullptr);
        menu->AppendMenu(MF_SEPARATOR);
        menu->AppendMenu(MF_STRING, IDM_TEST_ITEM, "&About Test");
        dlg.m_log.clear();
    }
};

TEST_F(SystemMenu, HoldsTheStandardCommandsThenTheAppendedItems)
{
    std::vector<std::string> texts;
    for (const afxtest::MenuItem& item : afxtest::SystemMenuItems(&dlg))
        texts.push_back((item.flags & MF_SEPARATOR) != 0 ? "-" : item.text);
    EXPECT_THAT(texts, ElementsAre("&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "-", "&Close\tAlt+F4", "-",
                                   "&About Test"));
}

TEST_F(SystemMenu, AltSpaceAndRightClickDeliverTheChoice)
{
    EXPECT_TRUE(afxtest::ChooseSystemMenuItem(&dlg, IDM_TEST_ITEM, afxtest::SystemMenuAccess::AltSpace));
    EXPECT_TRUE(
        afxtest::ChooseSystemMenuItem(&dlg, IDM_TEST_ITEM, afxtest::SystemMenuAccess::RightClick, FreeAreaPoint(dlg)));
    EXPECT_THAT(LogOf(dlg, "syscommand"), ElementsAre("syscommand 16", "syscommand 16"));
}

TEST_F(SystemMenu, ARightClickOnAControlOpensNothing)
{
    const CRect label = afxtest::ControlRect(dlg.GetDlgItem(IDC_TEST_LABEL));
    EXPECT_FALSE(afxtest::ChooseSystemMenuItem(&dlg, IDM_TEST_ITEM, afxtest::SystemMenuAccess::RightClick,
                                               CPoint(label.left + 2, label.top + 2)));
    EXPECT_THAT(LogOf(dlg, "syscommand"), IsEmpty());
}

TEST_F(SystemMenu, StandardCommandsHaveTheirDefaultHandling)
{
    EXPECT_FALSE(afxtest::ChooseSystemMenuItem(&dlg, SC_SIZE)) << "grayed without a sizing border";
    EXPECT_TRUE(afxtest::ChooseSystemMenuItem(&dlg, SC_MINIMIZE));
    EXPECT_TRUE(dlg.IsIconic());
    dlg.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(dlg.IsIconic());
    EXPECT_TRUE(afxtest::ChooseSystemMenuItem(&dlg, SC_CLOSE));
    EXPECT_TRUE(run.Ended());
    EXPECT_EQ(run.Result(), IDCANCEL);
}
}  // namespace

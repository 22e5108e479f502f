// The controls as the user meets them: a dropped list of the template's
// height that selects as the user moves through it.
#include "test_dialog.h"
#include "testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
TEST(DroppedList, KeepsToTheTemplatesHeightWhateverTheNumberOfItems)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    for (int i = 0; i < 100; ++i)
        dlg.m_combo.AddString(("item " + std::to_string(i)).c_str());
    ASSERT_TRUE(afxtest::DropDownList(&dlg.m_combo));
    // The template gives the box with its list 60 dialog units.
    const int templateHeight = MulDiv(60, afxtest::DialogBaseUnits(&dlg).cy, 8);
    const int dropped = afxtest::DroppedListHeight(&dlg.m_combo);
    EXPECT_GT(dropped, templateHeight / 2);
    EXPECT_LE(dropped, templateHeight);
    afxtest::KeyPress(&dlg.m_combo, afxtest::VK_ESCAPE);
}

TEST(DroppedList, EachMoveThroughItSelectsAndNotifiesAtOnce)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    ASSERT_EQ(dlg.m_combo.GetCurSel(), 1);
    ASSERT_TRUE(afxtest::DropDownList(&dlg.m_combo));
    EXPECT_THAT(LogOf(dlg, "selchange"), IsEmpty()) << "dropping the list selects nothing";

    afxtest::KeyPress(&dlg.m_combo, afxtest::VK_DOWN);
    EXPECT_THAT(LogOf(dlg, "selchange"), ElementsAre("selchange 2"));
    afxtest::KeyPress(&dlg.m_combo, afxtest::VK_UP);
    afxtest::KeyPress(&dlg.m_combo, afxtest::VK_UP);
    EXPECT_THAT(LogOf(dlg, "selchange"), ElementsAre("selchange 2", "selchange 1", "selchange 0"));
    EXPECT_GT(afxtest::DroppedListHeight(&dlg.m_combo), 0) << "the list stays dropped";

    afxtest::KeyPress(&dlg.m_combo, afxtest::VK_RETURN);
    EXPECT_TRUE(afxtest::WaitFor([&] { return afxtest::DroppedListHeight(&dlg.m_combo) == 0; }));
    EXPECT_EQ(dlg.m_combo.GetCurSel(), 0);
    EXPECT_EQ(LogOf(dlg, "selchange").size(), 3u) << "Enter keeps the selection without a new notification";
}
}  // namespace

// The controls as the user meets them: a dropped list of the template's
// height that selects as the user moves through it, the cursor of the
// control under the pointer, the caret after the program writes a text.
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
    {
        const std::string item = "item " + std::to_string(i);
        dlg.m_combo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
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

namespace
{
CPoint CentreOf(CTestDlg& dlg, int nID)
{
    const CRect rect = afxtest::ControlRect(dlg.GetDlgItem(nID));
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// The hand the program sets over the dialog's own area leaves with the
// pointer: every control shows its own cursor.
TEST(Cursor, ACursorSetOverTheDialogDoesNotShowOverItsControls)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    dlg.m_bHandCursorOnMove = true;
    const CPoint freeArea = FreeAreaPoint(dlg);
    afxtest::MouseMove(&dlg, freeArea);
    const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    ASSERT_EQ(afxtest::CursorShownAt(&dlg, freeArea), hand);
    for (int nID :
         {static_cast<int>(IDC_TEST_LABEL), int{IDOK}, int{IDC_TEST_APPLY}, int{IDC_TEST_SLIDER}, int{IDC_TEST_COMBO}})
        EXPECT_EQ(afxtest::CursorShownAt(&dlg, CentreOf(dlg, nID)), arrow) << "control " << nID;
    EXPECT_NE(afxtest::CursorShownAt(&dlg, CentreOf(dlg, IDC_TEST_EDIT)), hand);
}
}  // namespace

namespace
{
// A text the program writes into an edit box shows from its beginning, and
// what the user types then goes before it.
TEST(EditText, ATextSetByTheProgramPutsTheCaretAtItsStart)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    CWnd* pEdit = dlg.GetDlgItem(IDC_TEST_EDIT);
    std::string longText;
    for (int i = 0; i < 40; ++i)
        longText += "name" + std::to_string(i) + " | ";
    pEdit->SetWindowText(longText.c_str());
    afxtest::TypeText(pEdit, "x");
    CString text;
    pEdit->GetWindowText(text);
    EXPECT_EQ(std::string(text.GetString()), "x" + longText);
}
}  // namespace

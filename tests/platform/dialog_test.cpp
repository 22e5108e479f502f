// Dialogs made from templates: sizes in dialog units, tab order, the default
// button, Enter and Esc, and the modal life of DoModal.
#include "test_dialog.h"
#include "testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
TEST(DialogUnits, ClientAreaAndControlsFollowTheDialogFont)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    ASSERT_TRUE(run.Created());
    const SIZE base = afxtest::DialogBaseUnits(&dlg);
    // An 8-point sans-serif at 96 pixels per inch, as Windows' dialog font.
    EXPECT_GE(base.cx, 5);
    EXPECT_LE(base.cx, 8);
    EXPECT_GE(base.cy, 11);
    EXPECT_LE(base.cy, 16);

    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, MulDiv(200, base.cx, 4), MulDiv(120, base.cy, 8)));
    EXPECT_EQ(afxtest::ControlRect(dlg.GetDlgItem(IDC_TEST_APPLY)),
              CRect(MulDiv(70, base.cx, 4), MulDiv(90, base.cy, 8), MulDiv(70, base.cx, 4) + MulDiv(50, base.cx, 4),
                    MulDiv(90, base.cy, 8) + MulDiv(14, base.cy, 8)));
}

TEST(DialogUnits, ATextWiderOrTallerThanItsRoomRunsOnInsteadOfLosingItsEnd)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    const SIZE base = afxtest::DialogBaseUnits(&dlg);

    const CRect narrow = afxtest::ControlRect(dlg.GetDlgItem(IDC_TEST_NARROW_LABEL));
    EXPECT_EQ(narrow.left, MulDiv(120, base.cx, 4));
    EXPECT_GT(narrow.Width(), MulDiv(30, base.cx, 4));
    EXPECT_EQ(narrow.Height(), MulDiv(8, base.cy, 8));
    // Four lines in a room of two run on below it, in their width.
    const CRect lines = afxtest::ControlRect(dlg.GetDlgItem(IDC_TEST_LINES_LABEL));
    EXPECT_EQ(lines.Width(), MulDiv(30, base.cx, 4));
    EXPECT_GE(lines.Height(), 2 * MulDiv(16, base.cy, 8) - 4);
    // A text that fits keeps the room the template gives it.
    EXPECT_EQ(afxtest::ControlRect(dlg.GetDlgItem(IDC_TEST_LABEL)).Width(), MulDiv(60, base.cx, 4));
}

TEST(DialogUnits, DoubleTheDpiDoublesTheUnits)
{
    CTestDlg normal;
    afxtest::ModelessDialog normalRun(normal);
    const SIZE base96 = afxtest::DialogBaseUnits(&normal);

    afxtest::SetLogicalDpi(192);
    CTestDlg large;
    afxtest::ModelessDialog largeRun(large);
    const SIZE base192 = afxtest::DialogBaseUnits(&large);
    afxtest::SetLogicalDpi(0);

    EXPECT_NEAR(base192.cx, 2 * base96.cx, 2);
    EXPECT_NEAR(base192.cy, 2 * base96.cy, 3);
}

TEST(DialogKeyboard, TabFollowsTemplateOrderOverTabStops)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    std::vector<int> order{afxtest::FocusedControlId(&dlg)};
    for (int i = 0; i < 7; ++i)
    {
        afxtest::KeyPress(&dlg, afxtest::VK_TAB);
        order.push_back(afxtest::FocusedControlId(&dlg));
    }
    // The static text is no tab stop; the last wraps to the first.
    EXPECT_THAT(order, ElementsAre(IDC_TEST_EDIT, IDOK, IDC_TEST_APPLY, IDC_TEST_SLIDER, IDC_TEST_COMBO,
                                   IDC_TEST_READONLY, IDCANCEL, IDC_TEST_EDIT));
}

TEST(DialogKeyboard, EnterPressesTheDefaultButtonOrTheFocusedOne)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    EXPECT_TRUE(afxtest::IsDefaultButton(dlg.GetDlgItem(IDOK)));
    EXPECT_FALSE(afxtest::IsDefaultButton(dlg.GetDlgItem(IDC_TEST_APPLY)));
    EXPECT_FALSE(afxtest::IsDefaultButton(dlg.GetDlgItem(IDCANCEL)));

    ASSERT_EQ(afxtest::FocusedControlId(&dlg), IDC_TEST_EDIT);
    afxtest::KeyPress(dlg.GetDlgItem(IDC_TEST_EDIT), afxtest::VK_RETURN);
    EXPECT_THAT(LogOf(dlg, "ok"), ElementsAre("ok"));
    EXPECT_FALSE(run.Ended()) << "IDOK is handled by the dialog's own entry";

    afxtest::KeyPress(&dlg, afxtest::VK_TAB);
    afxtest::KeyPress(&dlg, afxtest::VK_TAB);
    ASSERT_EQ(afxtest::FocusedControlId(&dlg), IDC_TEST_APPLY);
    afxtest::KeyPress(&dlg, afxtest::VK_RETURN);
    EXPECT_THAT(LogOf(dlg, "apply"), ElementsAre("apply"));
    EXPECT_EQ(LogOf(dlg, "ok").size(), 1u);
}

// As the dialog manager does: the handler has run by the time the key
// press is delivered, with no timer between key and click.
TEST(DialogKeyboard, AnAltMnemonicClicksItsButtonAtOnce)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    afxtest::ProcessEvents();  // the window's activation
    afxtest::KeyPress(&dlg, 'A', afxtest::KEY_ALT);
    EXPECT_THAT(LogOf(dlg, "apply"), ElementsAre("apply"));
    afxtest::KeyPress(&dlg, 'O', afxtest::KEY_ALT);
    EXPECT_THAT(LogOf(dlg, "ok"), ElementsAre("ok"));
    EXPECT_EQ(LogOf(dlg, "apply").size(), 1u);
}

TEST(DialogKeyboard, EscapeAndTheCloseBoxSendCancel)
{
    {
        CTestDlg dlg;
        afxtest::ModelessDialog run(dlg);
        afxtest::KeyPress(&dlg, afxtest::VK_ESCAPE);
        EXPECT_TRUE(run.Ended());
        EXPECT_EQ(run.Result(), IDCANCEL);
    }
    {
        CTestDlg dlg;
        afxtest::ModelessDialog run(dlg);
        afxtest::CloseWindow(&dlg);
        EXPECT_TRUE(run.Ended());
        EXPECT_EQ(run.Result(), IDCANCEL);
    }
}

TEST(DoModal, RunsCreateBeforeTheControlsThenInitAndDestroy)
{
    CTestDlg dlg;
    const INT_PTR result = afxtest::DoModalWith(dlg, [](CDialog& open) {
        EXPECT_TRUE(open.IsWindowVisible());
        EXPECT_EQ(afxtest::OpenModalDialogs().back(), &open);
        open.EndDialog(42);
    });
    EXPECT_EQ(result, 42);
    EXPECT_FALSE(dlg.m_bControlsAtCreate);
    EXPECT_THAT(LogOf(dlg, "create"), ElementsAre("create"));
    ASSERT_GE(dlg.m_log.size(), 3u);
    EXPECT_EQ(dlg.m_log.front(), "create");
    EXPECT_EQ(dlg.m_log[1], "initdialog");
    EXPECT_EQ(dlg.m_log.back(), "destroy");
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_edit.m_hWnd, nullptr) << "attached controls lose their windows";
}

TEST(DoModal, MissingTemplateGivesMinusOne)
{
    CTestDlg dlg(IDD_MISSING);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(dlg.m_log.empty());
}

TEST(DoModal, AnActionThatLeavesTheDialogOpenEndsInCancel)
{
    CTestDlg dlg;
    EXPECT_EQ(afxtest::DoModalWith(dlg, [](CDialog&) {}), IDCANCEL);
}

TEST(DoModal, NestedDialogGetsTheNextQueuedAction)
{
    CTestDlg outer;
    CTestDlg inner;
    afxtest::WhenModalOpens([](CDialog& open) { open.EndDialog(7); });
    INT_PTR innerResult = 0;
    const INT_PTR outerResult = afxtest::DoModalWith(outer, [&](CDialog& open) {
        innerResult = inner.DoModal();
        open.EndDialog(IDOK);
    });
    EXPECT_EQ(innerResult, 7);
    EXPECT_EQ(outerResult, IDOK);
}
}  // namespace

// Data exchange: loading writes only changed texts, saving reads every text
// back, the notifications an exchange raises are dropped, combo indexes.
#include "test_dialog.h"
#include "testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
CString TextOf(CWnd* pWnd)
{
    CString text;
    pWnd->GetWindowText(text);
    return text;
}

TEST(DataExchange, LoadingWritesOnlyChangedTextsAndRaisesNoNotification)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    // The first exchange (in OnInitDialog) attached the edit and wrote it.
    EXPECT_EQ(TextOf(dlg.GetDlgItem(IDC_TEST_EDIT)), "start");
    EXPECT_THAT(LogOf(dlg, "change"), IsEmpty());
    const int writes = dlg.m_edit.m_nSetTextCount;

    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.m_edit.m_nSetTextCount, writes) << "an unchanged text is not written again";

    dlg.m_strText = "changed";
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.m_edit.m_nSetTextCount, writes + 1);
    EXPECT_EQ(TextOf(&dlg.m_edit), "changed");
    EXPECT_THAT(LogOf(dlg, "change"), IsEmpty());

    // Outside an exchange the same write notifies.
    dlg.m_edit.SetWindowText("typed by program");
    EXPECT_THAT(LogOf(dlg, "change"), ElementsAre("change"));
}

TEST(DataExchange, LongTextsAreAlwaysWritten)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    dlg.m_strText = CString('x', 300);
    dlg.UpdateData(FALSE);
    const int writes = dlg.m_edit.m_nSetTextCount;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.m_edit.m_nSetTextCount, writes + 1);
}

TEST(DataExchange, SavingReadsTypedAndReadOnlyTextsBack)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    dlg.m_log.clear();
    dlg.GetDlgItem(IDC_TEST_EDIT)->SetWindowText("");
    dlg.m_log.clear();
    afxtest::TypeText(dlg.GetDlgItem(IDC_TEST_EDIT), "Am7");
    EXPECT_THAT(dlg.m_log, ElementsAre("change", "change", "change"));
    dlg.GetDlgItem(IDC_TEST_READONLY)->SetWindowText("x | y");

    dlg.UpdateData(TRUE);
    EXPECT_EQ(dlg.m_strText, "Am7");
    EXPECT_EQ(dlg.m_strReadOnly, "x | y");
}

TEST(DataExchange, ComboIndexSelectsAndReadsWithoutNotifying)
{
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);
    EXPECT_EQ(dlg.m_combo.GetCount(), 3) << "the template's initial data";
    EXPECT_EQ(dlg.m_combo.GetCurSel(), 1);

    dlg.m_nComboIndex = 2;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.m_combo.GetCurSel(), 2);
    EXPECT_EQ(dlg.m_combo.SetCurSel(5), CB_ERR);
    EXPECT_THAT(LogOf(dlg, "selchange"), IsEmpty()) << "only the user's choice notifies";

    dlg.UpdateData(TRUE);
    EXPECT_EQ(dlg.m_nComboIndex, -1);

    afxtest::SelectComboItem(&dlg.m_combo, 0);
    EXPECT_THAT(LogOf(dlg, "selchange"), ElementsAre("selchange 0"));
    dlg.UpdateData(TRUE);
    EXPECT_EQ(dlg.m_nComboIndex, 0);
}
}  // namespace

// Message boxes: the caption rule of the application title, the icon rule
// of AfxMessageBox, owners, and the order in which they are recorded.
#include "test_dialog.h"
#include "testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
TEST(MessageBoxes, WindowBoxesKeepTheirTypeAndTakeTheTitleWithoutCaption)
{
    afxtest::MessageBoxRecorder boxes;
    CTestDlg dlg;
    afxtest::ModelessDialog run(dlg);

    EXPECT_EQ(dlg.MessageBox("no caption"), IDOK);
    dlg.MessageBox("own caption", "Error", MB_ICONEXCLAMATION);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].caption, TEST_EXECUTABLE_TITLE) << "the executable's base name";
    EXPECT_EQ(boxes.Boxes()[0].type, static_cast<UINT>(MB_OK)) << "no icon is added";
    EXPECT_EQ(boxes.Boxes()[0].owner, dlg.m_hWnd);
    EXPECT_EQ(boxes.Boxes()[1].caption, "Error");
    EXPECT_EQ(boxes.Boxes()[1].type, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_STREQ(AfxGetAppName(), TEST_EXECUTABLE_TITLE);
}

TEST(MessageBoxes, AfxMessageBoxAddsTheIconOfItsButtonsAndBelongsToTheMainWindow)
{
    struct Case
    {
        UINT given;
        UINT shown;
    };
    const Case cases[] = {
        {MB_OK, MB_OK | MB_ICONEXCLAMATION},        {MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION},
        {MB_YESNO, MB_YESNO | MB_ICONQUESTION},     {MB_YESNOCANCEL, MB_YESNOCANCEL | MB_ICONQUESTION},
        {MB_OK | MB_ICONHAND, MB_OK | MB_ICONHAND}, {MB_OK | MB_ICONASTERISK, MB_OK | MB_ICONASTERISK},
    };
    afxtest::MessageBoxRecorder boxes;
    CTestDlg main;
    afxtest::ModelessDialog run(main);
    testApp.m_pMainWnd = &main;
    for (const Case& c : cases)
    {
        boxes.Clear();
        AfxMessageBox("text", c.given);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].type, c.shown) << c.given;
        EXPECT_EQ(boxes.Boxes()[0].caption, TEST_EXECUTABLE_TITLE);
        EXPECT_EQ(boxes.Boxes()[0].owner, main.m_hWnd);
    }
    testApp.m_pMainWnd = nullptr;
}

TEST(MessageBoxes, RecorderKeepsTheOrderAndGivesTheAnswer)
{
    afxtest::MessageBoxRecorder boxes;
    AfxMessageBox("first");
    boxes.OnShow([](const afxtest::MessageBoxRecord& box) { return box.text == "second" ? IDCANCEL : IDOK; });
    EXPECT_EQ(AfxMessageBox("second", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(AfxMessageBox("third", MB_OKCANCEL), IDOK);
    EXPECT_THAT(boxes.Texts(), ElementsAre("first", "second", "third"));
}
}  // namespace

// The application object runs the main dialog modally as the main window
// and leaves the framework no message loop of its own.
#include "tabulor_app.h"

#include "scratch_working_folder.h"
#include "tabulor_dlg.h"
#include "testing.h"

#include <gtest/gtest.h>

namespace
{
TEST(TabulorAppTest, InitInstanceRunsTheMainDialogAndReturnsFalse)
{
    ScratchWorkingFolder folder;
    folder.WriteChordFile({});
    afxtest::MessageBoxRecorder boxes;

    bool mainWindowIsTheDialog = false;
    bool visible = false;
    CString title;
    afxtest::WhenModalOpens([&](CDialog& dialog) {
        mainWindowIsTheDialog = dynamic_cast<CTabulorDlg*>(&dialog) != nullptr && AfxGetMainWnd() == &dialog;
        visible = dialog.IsWindowVisible() != FALSE;
        dialog.GetWindowText(title);
        afxtest::KeyPress(&dialog, afxtest::VK_ESCAPE);
    });

    EXPECT_EQ(theApp.InitInstance(), FALSE);

    EXPECT_TRUE(mainWindowIsTheDialog);
    EXPECT_TRUE(visible);
    EXPECT_STREQ(title, "Tabulor 2011.07.03");
    EXPECT_TRUE(afxtest::OpenModalDialogs().empty());
    // The missing help image is the only thing reported.
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Error");
}
}  // namespace

// The Select Patch dialog from the main window's "Pat&ch" button: what each
// selection sends, what OK keeps and what any other end sends back, the
// dialog's Play and Mute, and F1 inside it. The real application object
// routes F1 as in the program.
#include "select_patch_dlg.h"
#include "shell_expectations.h"
#include "sound_fixture.h"

#include <functional>
#include <ostream>

namespace
{
using CallList = std::vector<std::string>;

const std::string A_MINOR_CHORD[6] = {RESET,
                                      ShortMsg("0x007F4090"),
                                      ShortMsg("0x007F3C90"),
                                      ShortMsg("0x007F3990"),
                                      ShortMsg("0x007F3490"),
                                      ShortMsg("0x007F2D90")};

class SelectPatchTest : public SoundTest
{
protected:
    void SetUp() override { Open({ChordFamily{{"Am"}, {A_MINOR}}}); }

    // The MIDI calls made from a click on "Pat&ch" until its dialog has
    // closed again; inside runs while the dialog is open and ends it (or
    // leaves it to be closed with the close box).
    CallList PatchCalls(const std::function<void(CSelectPatchDlg&)>& inside)
    {
        bool opened = false;
        afxtest::WhenModalOpens([&](CDialog& dialog) {
            auto* pPatchDlg = dynamic_cast<CSelectPatchDlg*>(&dialog);
            opened = pPatchDlg != nullptr;
            if (pPatchDlg != nullptr)
                inside(*pPatchDlg);
        });
        const CallList calls = CallsOf([&] { afxtest::ClickButton(m_dlg.GetDlgItem(IDC_PATCH)); });
        EXPECT_TRUE(opened) << "no Select Patch dialog opened";
        return WithoutChannelVolume(calls);
    }

    // The slider of the main window sends its volume whenever it is drawn,
    // and a dialog opening over it may make it draw again.
    static CallList WithoutChannelVolume(const CallList& calls)
    {
        CallList kept;
        for (const std::string& call : calls)
            if (call != ShortMsg("0x006407B0"))
                kept.push_back(call);
        return kept;
    }

    static CWnd* List(CSelectPatchDlg& dlg) { return dlg.GetDlgItem(IDC_PATCH_LIST); }
};

TEST_F(SelectPatchTest, OpensOnTheProgramInForceWithTheFocusOnOkAndEnterKeepsIt)
{
    m_dlg.m_nPatch = 42;
    int selected = -1;
    int count = 0;
    int focused = 0;
    const CallList calls = PatchCalls([&](CSelectPatchDlg& dlg) {
        selected = static_cast<int>(List(dlg)->SendMessage(CB_GETCURSEL));
        count = static_cast<int>(List(dlg)->SendMessage(CB_GETCOUNT));
        focused = afxtest::FocusedControlId(&dlg);
        afxtest::KeyPress(&dlg, afxtest::VK_RETURN);
    });
    EXPECT_EQ(selected, 42);
    EXPECT_EQ(count, 128);
    EXPECT_EQ(focused, IDOK);
    EXPECT_EQ(calls, CallList{});
    EXPECT_EQ(m_dlg.m_nPatch, 42);
}

struct EndCase
{
    const char* name;
    std::function<void(CSelectPatchDlg&)> end;
    bool kept;
};

void PrintTo(const EndCase& endCase, std::ostream* out)
{
    *out << endCase.name;
}

const EndCase ENDS[] = {
    {"OkButton", [](CSelectPatchDlg& dlg) { afxtest::ClickButton(dlg.GetDlgItem(IDOK)); }, true},
    {"CancelButton", [](CSelectPatchDlg& dlg) { afxtest::ClickButton(dlg.GetDlgItem(IDCANCEL)); }, false},
    {"Esc", [](CSelectPatchDlg& dlg) { afxtest::KeyPress(&dlg, afxtest::VK_ESCAPE); }, false},
    {"CloseBox", [](CSelectPatchDlg& dlg) { afxtest::CloseWindow(&dlg); }, false},
};

class PatchEndTest : public SelectPatchTest, public ::testing::WithParamInterface<EndCase>
{
};

TEST_P(PatchEndTest, UntouchedListOkSendsNothingAnyOtherEndSendsTheOldProgramAgain)
{
    const CallList calls = PatchCalls(GetParam().end);
    EXPECT_EQ(calls, GetParam().kept ? CallList{} : CallList{ShortMsg("0x000000C0")});
    EXPECT_EQ(m_dlg.m_nPatch, 0);
}

TEST_P(PatchEndTest, EachSelectionIsSentAtOnceOkKeepsTheLastAnyOtherEndUndoesThem)
{
    m_dlg.m_nPatch = 24;
    const CallList calls = PatchCalls([](CSelectPatchDlg& dlg) {
        afxtest::SelectComboItem(List(dlg), 5);
        afxtest::SelectComboItem(List(dlg), 0);
        afxtest::SelectComboItem(List(dlg), 127);
        GetParam().end(dlg);
    });
    CallList expected{RESET, ShortMsg("0x000005C0"), RESET, ShortMsg("0x000000C0"), RESET, ShortMsg("0x00007FC0")};
    if (!GetParam().kept)
        expected.push_back(ShortMsg("0x000018C0"));
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(m_dlg.m_nPatch, GetParam().kept ? 127 : 24);
}

INSTANTIATE_TEST_SUITE_P(Ends, PatchEndTest, ::testing::ValuesIn(ENDS),
                         [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST_F(SelectPatchTest, PlayPlaysTheMainWindowsChordAndMuteSilencesIt)
{
    const CallList calls = PatchCalls([](CSelectPatchDlg& dlg) {
        afxtest::ClickButton(dlg.GetDlgItem(IDC_PATCH_PLAY));
        afxtest::ClickButton(dlg.GetDlgItem(IDC_PATCH_MUTE));
        afxtest::ClickButton(dlg.GetDlgItem(IDOK));
    });
    CallList expected(std::begin(A_MINOR_CHORD), std::end(A_MINOR_CHORD));
    expected.push_back(RESET);
    EXPECT_EQ(calls, expected);
}

TEST_F(SelectPatchTest, PlayWithNoStringPlayedOnlyResets)
{
    std::fill(std::begin(m_dlg.m_nNote), std::end(m_dlg.m_nNote), -1);
    const CallList calls = PatchCalls([](CSelectPatchDlg& dlg) {
        afxtest::ClickButton(dlg.GetDlgItem(IDC_PATCH_PLAY));
        afxtest::ClickButton(dlg.GetDlgItem(IDOK));
    });
    EXPECT_EQ(calls, CallList{RESET});
}

TEST_F(SelectPatchTest, F1OpensTheHelpImageAndLeavesTheDialogOpen)
{
    afxtest::ShellRecorder shell;
    bool stillOpen = false;
    PatchCalls([&](CSelectPatchDlg& dlg) {
        afxtest::KeyPress(&dlg, afxtest::VK_F1);
        stillOpen = dlg.IsWindowVisible() != FALSE;
        afxtest::ClickButton(dlg.GetDlgItem(IDOK));
    });
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(shell.Calls().size(), 1u);
    ExpectShellOpened(shell.Calls()[0], "TabulorHelp.gif");
}
}  // namespace

// The About box from its button, its mnemonic and the system menu, and the
// help image from the Help button and F1, here and inside the About box.
// The real application object routes F1 as in the program.
#include "about_dlg.h"
#include "dialog_fixture.h"
#include "shell_expectations.h"

#include <functional>
#include <ostream>

namespace
{
const char* const HELP_IMAGE = "TabulorHelp.gif";
const char* const MAKER_WEB_PAGE = "https://example.org/tabulor";

// What a dialog looked like while it was open.
struct OpenedDialog
{
    bool isAbout = false;
    CString caption;
    bool visible = false;
};

class AboutAndHelpTest : public DialogTest
{
protected:
    void SetUp() override { Open({{{"Am"}, {A_MINOR}}}); }

    // The modal dialogs that action opened (at most one), each inspected and
    // then handled by inside, which may leave it open to be closed with its
    // close box. An action whose dialog opens later waits on the condition
    // it is given.
    std::vector<OpenedDialog> DialogsOpenedBy(const std::function<void(const std::function<bool()>&)>& action,
                                              const std::function<void(CDialog&)>& inside = {})
    {
        std::vector<OpenedDialog> opened;
        bool draining = false;
        afxtest::WhenModalOpens([&](CDialog& dialog) {
            if (draining)
                return;
            OpenedDialog seen;
            seen.isAbout = dynamic_cast<CAboutDlg*>(&dialog) != nullptr;
            dialog.GetWindowText(seen.caption);
            seen.visible = dialog.IsWindowVisible() != FALSE;
            opened.push_back(seen);
            if (inside)
                inside(dialog);
        });
        action([&] { return !opened.empty(); });
        if (opened.empty())
        {
            // The queued action was not used: spend it on a dialog of our
            // own so that it cannot reach a later test.
            draining = true;
            CAboutDlg spare;
            spare.DoModal();
        }
        return opened;
    }

    afxtest::ShellRecorder m_shell;
};

// A mnemonic, as the user presses it in the active window: the window's
// activation is delivered first.
void PressMnemonic(CTabulorDlg& dlg, char key)
{
    afxtest::ProcessEvents();
    afxtest::KeyPress(&dlg, static_cast<UINT>(key), afxtest::KEY_ALT);
}

struct OpeningCase
{
    const char* name;
    std::function<void(CTabulorDlg&, const std::function<bool()>& hasOpened)> open;
};

void PrintTo(const OpeningCase& openingCase, std::ostream* out)
{
    *out << openingCase.name;
}

class AboutOpeningTest : public AboutAndHelpTest, public ::testing::WithParamInterface<OpeningCase>
{
};

TEST_P(AboutOpeningTest, OpensTheAboutBox)
{
    const std::vector<OpenedDialog> opened =
        DialogsOpenedBy([&](const std::function<bool()>& hasOpened) { GetParam().open(m_dlg, hasOpened); },
                        [](CDialog& about) { afxtest::KeyPress(&about, afxtest::VK_RETURN); });
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].isAbout);
    EXPECT_STREQ(opened[0].caption, "About Tabulor");
    EXPECT_TRUE(opened[0].visible);
    // Back in the main window, which the About box leaves running.
    EXPECT_TRUE(afxtest::OpenModalDialogs().empty());
    EXPECT_FALSE(m_run->Ended());
    EXPECT_TRUE(m_shell.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Roads, AboutOpeningTest,
    ::testing::Values(
        OpeningCase{"AboutButton", [](CTabulorDlg& dlg, auto&) { afxtest::ClickButton(dlg.GetDlgItem(IDC_ABOUT)); }},
        OpeningCase{"AltA",
                    [](CTabulorDlg& dlg, const std::function<bool()>& hasOpened) {
                        PressMnemonic(dlg, 'A');
                        EXPECT_TRUE(afxtest::WaitFor(hasOpened));
                    }},
        OpeningCase{"SystemMenuByAltSpace",
                    [](CTabulorDlg& dlg, auto&) {
                        EXPECT_TRUE(
                            afxtest::ChooseSystemMenuItem(&dlg, IDM_ABOUTBOX, afxtest::SystemMenuAccess::AltSpace));
                    }},
        OpeningCase{"SystemMenuByRightClick",
                    [](CTabulorDlg& dlg, auto&) {
                        EXPECT_TRUE(
                            afxtest::ChooseSystemMenuItem(&dlg, IDM_ABOUTBOX, afxtest::SystemMenuAccess::RightClick));
                    }},
        // The system's own flags in the low four bits do not hide the item.
        OpeningCase{"SystemCommandWithLowBits",
                    [](CTabulorDlg& dlg, auto&) { dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX | 0x000F, 0); }}),
    [](const ::testing::TestParamInfo<OpeningCase>& info) { return std::string(info.param.name); });

TEST_F(AboutAndHelpTest, OtherSystemCommandsHaveTheDialogsDefaultHandling)
{
    EXPECT_TRUE(DialogsOpenedBy([&](auto&) { m_dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX + 0x10, 0); }).empty());
    EXPECT_FALSE(m_run->Ended());

    EXPECT_TRUE(DialogsOpenedBy([&](auto&) { m_dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE | 0x0002, 0); }).empty());
    EXPECT_TRUE(m_run->Ended());
    EXPECT_EQ(m_run->Result(), IDCANCEL);
}

TEST_F(AboutAndHelpTest, AboutBoxOpensTheWebPageAndF1TheHelpImageWhileItStaysOpen)
{
    bool stillOpen = false;
    DialogsOpenedBy([&](auto&) { afxtest::ClickButton(m_dlg.GetDlgItem(IDC_ABOUT)); },
                    [&](CDialog& about) {
                        afxtest::ClickButton(about.GetDlgItem(IDC_WEBSITE));
                        afxtest::KeyPress(&about, afxtest::VK_F1);
                        stillOpen = about.IsWindowVisible() != FALSE;
                        afxtest::KeyPress(&about, afxtest::VK_ESCAPE);
                    });
    EXPECT_TRUE(stillOpen);

    ASSERT_EQ(m_shell.Calls().size(), 2u);
    ExpectShellOpened(m_shell.Calls()[0], MAKER_WEB_PAGE);
    ExpectShellOpened(m_shell.Calls()[1], HELP_IMAGE);
}

struct HelpCase
{
    const char* name;
    std::function<void(CTabulorDlg&, const afxtest::ShellRecorder&)> press;
    size_t opened;
};

void PrintTo(const HelpCase& helpCase, std::ostream* out)
{
    *out << helpCase.name;
}

class HelpTest : public AboutAndHelpTest, public ::testing::WithParamInterface<HelpCase>
{
};

TEST_P(HelpTest, OpensTheHelpImageEachTime)
{
    // Twice: no check whether the image is open already.
    GetParam().press(m_dlg, m_shell);
    GetParam().press(m_dlg, m_shell);
    ASSERT_EQ(m_shell.Calls().size(), 2 * GetParam().opened);
    for (const afxtest::ShellCall& call : m_shell.Calls())
        ExpectShellOpened(call, HELP_IMAGE);
    EXPECT_FALSE(m_run->Ended());
}

void PressF1(CTabulorDlg& dlg, UINT nModifiers)
{
    afxtest::KeyPress(dlg.GetDlgItem(IDC_CHORD_NAME), afxtest::VK_F1, nModifiers);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HelpTest,
    ::testing::Values(HelpCase{"HelpButton",
                               [](CTabulorDlg& dlg, auto&) { afxtest::ClickButton(dlg.GetDlgItem(IDC_HELP_BUTTON)); },
                               1},
                      HelpCase{"AltH",
                               [](CTabulorDlg& dlg, const afxtest::ShellRecorder& shell) {
                                   const size_t before = shell.Calls().size();
                                   PressMnemonic(dlg, 'H');
                                   EXPECT_TRUE(afxtest::WaitFor([&] { return shell.Calls().size() > before; }));
                               },
                               1},
                      HelpCase{"F1", [](CTabulorDlg& dlg, auto&) { PressF1(dlg, 0); }, 1},
                      HelpCase{"ShiftF1", [](CTabulorDlg& dlg, auto&) { PressF1(dlg, afxtest::KEY_SHIFT); }, 0},
                      HelpCase{"CtrlF1", [](CTabulorDlg& dlg, auto&) { PressF1(dlg, afxtest::KEY_CONTROL); }, 0},
                      HelpCase{"AltF1", [](CTabulorDlg& dlg, auto&) { PressF1(dlg, afxtest::KEY_ALT); }, 0}),
    [](const ::testing::TestParamInfo<HelpCase>& info) { return std::string(info.param.name); });
}  // namespace

// The About box from its button and from the system menu, and the help
// image from the Help button and from F1.
#include "tabulor_dlg.h"

#include "about_dlg.h"
#include "help_image.h"
#include "shellapi.h"

namespace
{
// The system keeps its own flags in the low four bits of a system command.
const UINT SYSTEM_COMMAND_MASK = 0xFFF0;

void ShowAboutBox()
{
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}

// A missing image or viewer is not reported: the start-up check already
// warned about the image.
void OpenHelpImage()
{
    ShellExecuteA(nullptr, nullptr, HELP_IMAGE_FILE, nullptr, nullptr, SW_SHOWNORMAL);
}
}  // namespace

void CTabulorDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & SYSTEM_COMMAND_MASK) == IDM_ABOUTBOX)
        ShowAboutBox();
    else
        CDialog::OnSysCommand(nID, lParam);
}

void CTabulorDlg::OnBnClickedAbout()
{
    ShowAboutBox();
}

void CTabulorDlg::OnBnClickedHelp()
{
    OpenHelpImage();
}

// F1 anywhere in the program ends here through the application's ID_HELP.
void CTabulorDlg::WinHelp(DWORD_PTR /*dwData*/, UINT /*nCmd*/)
{
    OpenHelpImage();
}

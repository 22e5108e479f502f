#include "about_dlg.h"

#include "shellapi.h"

namespace
{
const char* const MAKER_WEB_PAGE = "https://example.org/tabulor";
}  // namespace

CAboutDlg::CAboutDlg() : CDialog(CAboutDlg::IDD)
{
}

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_WEBSITE, &CAboutDlg::OnBnClickedWebsite)
END_MESSAGE_MAP()

// The shell's default action for an address: the user's browser. A failure
// is the browser's business, not reported here.
void CAboutDlg::OnBnClickedWebsite()
{
    ShellExecuteA(nullptr, nullptr, MAKER_WEB_PAGE, nullptr, nullptr, SW_SHOWNORMAL);
}

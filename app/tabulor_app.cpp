#include "tabulor_app.h"

#include "commctrl.h"
#include "tabulor_dlg.h"

BEGIN_MESSAGE_MAP(CTabulorApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CTabulorApp::CTabulorApp() : CWinApp(nullptr)
{
}

CTabulorApp theApp;

BOOL CTabulorApp::InitInstance()
{
    InitCommonControls();
    CWinApp::InitInstance();

    CTabulorDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    return FALSE;
}

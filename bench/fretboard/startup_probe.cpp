// The program's start-up up to the end of its first paint: the real main
// dialog run by the framework's entry routine, ended right after the first
// WM_PAINT, reporting its resident memory on standard output.
#include "afxwin.h"
#include "commctrl.h"
#include "resident_memory.h"
#include "tabulor_dlg.h"

#include <cstdio>
#include <cstdlib>

namespace
{
class CFirstPaintDlg : public CTabulorDlg
{
protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFirstPaintDlg, CTabulorDlg)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CFirstPaintDlg::OnPaint()
{
    CTabulorDlg::OnPaint();
    std::printf("%ld\n", ResidentKilobytes());
    std::fflush(stdout);
    std::_Exit(0);
}

class CProbeApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        InitCommonControls();
        CWinApp::InitInstance();
        CFirstPaintDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        return FALSE;
    }
};

CProbeApp theProbeApp;
}  // namespace

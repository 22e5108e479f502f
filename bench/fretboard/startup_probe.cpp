// The program's start-up to the end of its first paint, reporting its
// resident memory on standard output. Built twice: as the program is, and
// with a window creation that opens no MIDI device, so that the difference
// is what the synthesizer adds.
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
#ifdef PROBE_WITHOUT_DEVICE
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        return CDialog::OnCreate(lpCreateStruct);
    }
#endif
    afx_msg void OnPaint()
    {
        CTabulorDlg::OnPaint();
        std::printf("%ld\n", ResidentKilobytes());
        std::fflush(stdout);
        std::_Exit(0);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFirstPaintDlg, CTabulorDlg)
#ifdef PROBE_WITHOUT_DEVICE
    ON_WM_CREATE()
#endif
    ON_WM_PAINT()
END_MESSAGE_MAP()

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

#include "select_patch_dlg.h"

#include "midi_out.h"
#include "tabulor_dlg.h"

CSelectPatchDlg::CSelectPatchDlg(CWnd* pParent)
    : CDialog(CSelectPatchDlg::IDD, pParent),
      m_pMainDlg(nullptr),
      m_nPatch(0)
{
}

int CSelectPatchDlg::DoModalWithPatch(CTabulorDlg* pMainDlg, int nPatch)
{
    m_nPatch = nPatch;
    m_pMainDlg = pMainDlg;
    return static_cast<int>(DoModal());
}

void CSelectPatchDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_PATCH_LIST, m_nPatch);
}

BEGIN_MESSAGE_MAP(CSelectPatchDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_PATCH_LIST, &CSelectPatchDlg::OnCbnSelchangePatchList)
    ON_BN_CLICKED(IDC_PATCH_PLAY, &CSelectPatchDlg::OnBnClickedPlay)
    ON_BN_CLICKED(IDC_PATCH_MUTE, &CSelectPatchDlg::OnBnClickedMute)
END_MESSAGE_MAP()

BOOL CSelectPatchDlg::OnInitDialog()
{
    // Fills the list from the template and selects the program in force.
    CDialog::OnInitDialog();
    UpdateData(FALSE);
    return TRUE;
}

// The main window's program stays as it was until OK: Cancel can still
// give it back to the device.
void CSelectPatchDlg::OnCbnSelchangePatchList()
{
    UpdateData(TRUE);
    midiOutReset(m_pMainDlg->m_hMidiOut);
    midiOutShortMsg(m_pMainDlg->m_hMidiOut, ProgramChangeMessage(m_nPatch));
}

void CSelectPatchDlg::OnBnClickedPlay()
{
    m_pMainDlg->PlayChord();
}

void CSelectPatchDlg::OnBnClickedMute()
{
    midiOutReset(m_pMainDlg->m_hMidiOut);
}

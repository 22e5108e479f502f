// The main window's "Pat&ch" button: the instrument chosen in the Select
// Patch dialog is kept on OK and undone on any other end.
#include "tabulor_dlg.h"

#include "midi_out.h"
#include "select_patch_dlg.h"

void CTabulorDlg::OnBnClickedPatch()
{
    const int nOldPatch = m_nPatch;
    CSelectPatchDlg dlg;
    if (dlg.DoModalWithPatch(this, m_nPatch) == IDOK)
    {
        // The device has it already: the list sent it when it was selected.
        m_nPatch = dlg.m_nPatch;
    }
    else
    {
        // Sent even when nothing was selected, so the device surely plays
        // the program in force again.
        m_nPatch = nOldPatch;
        midiOutShortMsg(m_hMidiOut, ProgramChangeMessage(nOldPatch));
    }
}

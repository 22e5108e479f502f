// Showing one fingering: its checks, the string notes and root string it
// gives, and the finger and fret labels.
#include "tabulor_dlg.h"

#include <algorithm>
#include <climits>

namespace
{
// Note of each open string in standard tuning, as MIDI key minus 36
// (E4, B3, G3, D3, A2, E2).
const int OPEN_STRING_NOTE[STRING_COUNT] = {28, 23, 19, 14, 9, 4};
const int NO_NOTE = -1;

// The note of a string pressed nFret frets above the base fret. The file may
// hold any base fret: a note beyond the ends of int is held at that end,
// where it sounds no more than the true one would.
int FrettedNote(int nOpenNote, int nPosition, int nFret)
{
    const long long note = static_cast<long long>(nOpenNote) + nPosition + nFret;
    return static_cast<int>(std::clamp<long long>(note, INT_MIN, INT_MAX));
}

CString FingerErrorText(int nString)
{
    CString text;
    text.Format("Error! Invalidate number of left hand finger on %d string!", nString);
    return text;
}
}  // namespace

CString CTabulorDlg::PositionErrorText(int nString)
{
    CString text;
    text.Format("Error! Invalidate number of %d string position!", nString);
    return text;
}

void CTabulorDlg::ShowApplicature(int nPos1, int nPos2, int nPos3, int nPos4, int nPos5, int nPos6, int nFinger1,
                                  int nFinger2, int nFinger3, int nFinger4, int nFinger5, int nFinger6, int nPosition)
{
    const int positions[STRING_COUNT] = {nPos1, nPos2, nPos3, nPos4, nPos5, nPos6};
    const int fingers[STRING_COUNT] = {nFinger1, nFinger2, nFinger3, nFinger4, nFinger5, nFinger6};
    for (int i = 0; i < STRING_COUNT; ++i)
    {
        m_nStringPosition[i] = positions[i];
        m_nLeftHandFinger[i] = fingers[i];
    }
    m_nPosition = nPosition;
    m_bReportUndrawableCodes = true;

    for (int i = 0; i < STRING_COUNT; ++i)
    {
        const int code = positions[i];
        if (code == POS_OPEN)
            m_nNote[i] = OPEN_STRING_NOTE[i];
        else if (code == POS_ROOT_OPEN)
        {
            m_nNote[i] = OPEN_STRING_NOTE[i];
            m_nRootString = i;
        }
        else if (code == POS_NOT_PLAYED)
            m_nNote[i] = NO_NOTE;
        else if (IsFrettedCode(code))
            m_nNote[i] = FrettedNote(OPEN_STRING_NOTE[i], nPosition, code);
        else if (IsRootFrettedCode(code))
        {
            m_nNote[i] = FrettedNote(OPEN_STRING_NOTE[i], nPosition, -code);
            m_nRootString = i;
        }
        else
            AfxMessageBox(PositionErrorText(i + 1), MB_OK);
    }

    for (int i = 0; i < STRING_COUNT; ++i)
    {
        CString label(" ");
        if (fingers[i] >= 1 && fingers[i] <= MAX_FINGER)
            label.Format("%d", fingers[i]);
        else if (fingers[i] != 0)
            AfxMessageBox(FingerErrorText(i + 1), MB_OK);
        m_staticFinger[i].SetWindowText(label);
    }

    int firstFret = 1;
    if (nPosition >= 0 && nPosition <= MAX_POSITION)
        firstFret = nPosition + 1;
    else
        AfxMessageBox("Error! Invalidate number of position!", MB_OK);
    for (int k = 0; k < FRET_COLUMNS; ++k)
    {
        CString label;
        label.Format("%d", firstFret + k);
        m_staticPosition[k].SetWindowText(label);
    }

    InvalidateRect(nullptr, TRUE);
}

// The mouse on the fretboard: in every mode a marker shows the hand cursor
// and a click on it plays its string; in edition mode double-clicks set the
// strings and fingers and the wheel moves the base fret.
#include "tabulor_dlg.h"

namespace
{
// A marker reacts within this distance of its centre, along each axis.
const double MARKER_REACH = 10.0;
// The finger labels stand in a strip this wide right of the last fret line.
const double FINGER_STRIP_WIDTH = 30.0;

bool Near(double value, double centre)
{
    return centre - MARKER_REACH < value && value < centre + MARKER_REACH;
}

// The open column: open, root, not played, open again.
int NextOpenCode(int code)
{
    if (code == POS_OPEN)
        return POS_ROOT_OPEN;
    if (code == POS_ROOT_OPEN)
        return POS_NOT_PLAYED;
    return POS_OPEN;
}

// Fret cell k: pressed, root, not played, pressed again.
int NextCellCode(int code, int nCell)
{
    if (code == nCell)
        return -nCell;
    if (code == -nCell)
        return POS_NOT_PLAYED;
    return nCell;
}
}  // namespace

// The zones of the last paint's geometry, compared in double precision with
// exclusive bounds.
class CTabulorDlg::BoardZones
{
public:
    explicit BoardZones(const CTabulorDlg& dlg) : m_dlg(dlg) {}

    bool InBand(int nString, double y) const { return Near(y, m_dlg.m_fStringY[nString]); }
    bool InOpenColumn(double x) const { return Near(x, m_dlg.OpenColumnX()); }
    bool InCell(int nCell, double x) const { return Near(x, m_dlg.CellCentreX(nCell)); }
    // The first cell 1..FRET_COLUMNS whose zone holds x; 0 for none.
    int CellAt(double x) const
    {
        for (int k = 1; k <= FRET_COLUMNS; ++k)
        {
            if (InCell(k, x))
                return k;
        }
        return 0;
    }
    bool InFingerStrip(double x) const
    {
        const double stripLeft = m_dlg.m_fFretX[FRET_COLUMNS];
        return stripLeft < x && x < stripLeft + FINGER_STRIP_WIDTH;
    }

private:
    const CTabulorDlg& m_dlg;
};

Applicature CTabulorDlg::ShownApplicature() const
{
    Applicature shown(m_nStringPosition, m_nStringPosition + STRING_COUNT);
    shown.insert(shown.end(), m_nLeftHandFinger, m_nLeftHandFinger + STRING_COUNT);
    shown.push_back(m_nPosition);
    return shown;
}

int CTabulorDlg::MarkerStringAt(CPoint point) const
{
    const BoardZones zones(*this);
    // Where two bands overlap, only the string above counts.
    int nString = 0;
    while (nString < STRING_COUNT && !zones.InBand(nString, point.y))
        ++nString;
    if (nString == STRING_COUNT)
        return -1;

    const int code = m_nStringPosition[nString];
    bool bHit = false;
    if (code == POS_OPEN || code == POS_ROOT_OPEN)
        bHit = zones.InOpenColumn(point.x);
    else if (IsFrettedCode(code))
        bHit = zones.InCell(code, point.x);
    else if (IsRootFrettedCode(code))
        bHit = zones.InCell(-code, point.x);
    return bHit ? nString : -1;
}

void CTabulorDlg::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    const int nString = MarkerStringAt(point);
    if (nString >= 0)
    {
        ::SetCursor(m_hHandCursor);
        PlayString(nString);
    }
    Default();
}

void CTabulorDlg::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    // A miss leaves the cursor alone: the window's own arrow comes back.
    if (MarkerStringAt(point) >= 0)
        ::SetCursor(m_hHandCursor);
    Default();
}

void CTabulorDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    OnMouseMove(nFlags, point);
}

void CTabulorDlg::OnLButtonDblClk(UINT /*nFlags*/, CPoint point)
{
    if (m_bEditionMode)
    {
        const BoardZones zones(*this);
        bool bChanged = false;
        // Every string whose band holds the point, also where bands overlap.
        for (int i = 0; i < STRING_COUNT; ++i)
        {
            if (!zones.InBand(i, point.y))
                continue;
            if (zones.InOpenColumn(point.x))
            {
                ::SetCursor(m_hHandCursor);
                m_nStringPosition[i] = NextOpenCode(m_nStringPosition[i]);
                bChanged = true;
            }
            else if (const int nCell = zones.CellAt(point.x))
            {
                ::SetCursor(m_hHandCursor);
                m_nStringPosition[i] = NextCellCode(m_nStringPosition[i], nCell);
                bChanged = true;
            }
            else if (zones.InFingerStrip(point.x))
            {
                int& finger = m_nLeftHandFinger[i];
                finger = finger >= MAX_FINGER ? 0 : finger + 1;
                bChanged = true;
            }
        }
        if (bChanged)
            ShowApplicatureOf(ShownApplicature());
    }
    Default();
}

BOOL CTabulorDlg::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    if (m_bEditionMode)
    {
        // One fret per message, whatever the turn.
        if (zDelta > 0 && m_nPosition < MAX_POSITION)
            ++m_nPosition;
        else if (zDelta < 0 && m_nPosition > 0)
            --m_nPosition;
        ShowApplicatureOf(ShownApplicature());
    }
    return static_cast<BOOL>(Default());
}

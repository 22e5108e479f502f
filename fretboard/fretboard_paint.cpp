// The fretboard picture: four fret cells, six strings and one marker per
// string; the same paint stores the geometry that the mouse handlers test.
#include "tabulor_dlg.h"

#include "board_geometry.h"

#include <algorithm>

namespace
{
const double MARKER_HALF = 7.0;
const double RING_HALF = 11.0;
const int CROSS_HALF = 7;

int Trunc(double value)
{
    return static_cast<int>(value);
}

CRect BoxAround(double x, double y, double half)
{
    return CRect(Trunc(x - half), Trunc(y - half), Trunc(x + half), Trunc(y + half));
}
}  // namespace

void CTabulorDlg::OnPaint()
{
    CPaintDC dc(this);
    if (IsIconic())
    {
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        const int x = (rect.Width() - cxIcon + 1) / 2;
        const int y = (rect.Height() - cyIcon + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
        return;
    }

    CRect rcClient;
    GetClientRect(&rcClient);
    m_rcFretboard = FretboardArea(rcClient.Width(), rcClient.Height());
    DrawFretboard(&dc);
}

void CTabulorDlg::DrawFretboard(CDC* pDC)
{
    CBrush brushWhite(RGB(255, 255, 255));
    CBrush brushBlack(RGB(0, 0, 0));

    pDC->FillRect(&m_rcFretboard, &brushWhite);

    const BoardGeometry board = BoardGeometryIn(m_rcFretboard);

    // Disarmed before the first box: closing a box repaints the window.
    const bool bReportUndrawable = m_bReportUndrawableCodes;
    m_bReportUndrawableCodes = false;

    pDC->SelectObject(&brushWhite);
    pDC->Rectangle(board.left, board.top, board.right, board.bottom);

    m_fStringSpacing = board.stringSpacing;
    m_fFretWidth = board.fretWidth;
    std::copy(board.stringY, board.stringY + STRING_COUNT, m_fStringY);
    std::copy(board.fretX, board.fretX + FRET_COLUMNS + 1, m_fFretX);

    // Strings 1 and 6 and the nut and last fret line are the rectangle's
    // edges.
    for (int i = 1; i < STRING_COUNT - 1; ++i)
    {
        pDC->MoveTo(board.left, Trunc(m_fStringY[i]));
        pDC->LineTo(board.right, Trunc(m_fStringY[i]));
    }
    for (int j = 1; j < FRET_COLUMNS; ++j)
    {
        pDC->MoveTo(Trunc(m_fFretX[j]), board.top);
        pDC->LineTo(Trunc(m_fFretX[j]), board.bottom);
    }

    const double openX = OpenColumnX();
    for (int i = 0; i < STRING_COUNT; ++i)
    {
        const double y = m_fStringY[i];
        const int code = m_nStringPosition[i];
        if (code == POS_OPEN)
        {
            pDC->SelectObject(&brushWhite);
            pDC->Ellipse(BoxAround(openX, y, MARKER_HALF));
        }
        else if (code == POS_ROOT_OPEN)
        {
            pDC->SelectObject(&brushWhite);
            pDC->Ellipse(BoxAround(openX, y, RING_HALF));
            pDC->Ellipse(BoxAround(openX, y, MARKER_HALF));
        }
        else if (IsFrettedCode(code))
        {
            const double cellX = CellCentreX(code);
            pDC->SelectObject(&brushBlack);
            pDC->Ellipse(BoxAround(cellX, y, MARKER_HALF));
        }
        else if (IsRootFrettedCode(code))
        {
            const double cellX = CellCentreX(-code);
            pDC->SelectObject(&brushWhite);
            pDC->Ellipse(BoxAround(cellX, y, RING_HALF));
            pDC->SelectObject(&brushBlack);
            pDC->Ellipse(BoxAround(cellX, y, MARKER_HALF));
        }
        else if (code == POS_NOT_PLAYED)
        {
            const CRect box = BoxAround(openX, y, MARKER_HALF);
            const int mx = (box.left + box.right) / 2;
            const int my = (box.top + box.bottom) / 2;
            pDC->MoveTo(mx - CROSS_HALF, my - CROSS_HALF);
            pDC->LineTo(mx + CROSS_HALF, my + CROSS_HALF);
            pDC->MoveTo(mx + CROSS_HALF, my - CROSS_HALF);
            pDC->LineTo(mx - CROSS_HALF, my + CROSS_HALF);
        }
        else if (bReportUndrawable)
            AfxMessageBox(PositionErrorText(i + 1), MB_OK);
    }
}

double CTabulorDlg::OpenColumnX() const
{
    return ::OpenColumnX(m_rcFretboard, m_fFretX[0]);
}

double CTabulorDlg::CellCentreX(int nCell) const
{
    return ::CellCentreX(m_fFretX[nCell], m_fFretWidth);
}

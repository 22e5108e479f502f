// The fretboard picture: four fret cells, six strings and one marker per
// string; the same paint stores the geometry that the mouse handlers test.
#include "tabulor_dlg.h"

namespace
{
// Fretboard area as fractions of the client area.
const double kAreaLeft = 0.027;
const double kAreaTop = 0.08;
const double kAreaRight = 0.81;
const double kAreaBottom = 0.7;

// Board margins inside the area: the left one holds the open-string markers.
const double kMarginLeftDivisor = 18.0;
const double kMarginRightDivisor = 50.0;
const double kMarginTopBottomDivisor = 25.0;
const double kOpenColumnDivisor = 40.0;

const double kMarkerHalf = 7.0;
const double kRingHalf = 11.0;
const int kCrossHalf = 7;

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
    const int cw = rcClient.right - rcClient.left;
    const int ch = rcClient.bottom - rcClient.top;
    m_rcFretboard.left = Trunc(cw * kAreaLeft);
    m_rcFretboard.top = Trunc(ch * kAreaTop);
    m_rcFretboard.right = Trunc(cw * kAreaRight);
    m_rcFretboard.bottom = Trunc(ch * kAreaBottom);
    DrawFretboard(&dc);
}

void CTabulorDlg::DrawFretboard(CDC* pDC)
{
    CBrush brushWhite(RGB(255, 255, 255));
    CBrush brushBlack(RGB(0, 0, 0));

    pDC->FillRect(&m_rcFretboard, &brushWhite);

    const int left = m_rcFretboard.left;
    const int top = m_rcFretboard.top;
    const int right = m_rcFretboard.right;
    const int bottom = m_rcFretboard.bottom;
    const int width = right - left;
    const int height = bottom - top;

    const int boardBottom = Trunc(bottom - height / kMarginTopBottomDivisor);
    const int boardRight = Trunc(right - width / kMarginRightDivisor);
    const int boardTop = Trunc(top + height / kMarginTopBottomDivisor);
    const int boardLeft = Trunc(left + width / kMarginLeftDivisor);

    // Disarmed before the first box: closing a box repaints the window.
    const bool bReportUndrawable = m_bReportUndrawableCodes;
    m_bReportUndrawableCodes = false;

    pDC->SelectObject(&brushWhite);
    pDC->Rectangle(boardLeft, boardTop, boardRight, boardBottom);

    m_fStringSpacing = static_cast<float>((boardBottom - boardTop) / 5.0);
    m_fFretWidth = static_cast<float>((boardRight - boardLeft) * 0.25);

    // Strings 1 and 6 and fret lines 0 and 4 are the rectangle's edges.
    for (int i = 0; i < 6; ++i)
    {
        m_fStringY[i] = static_cast<float>(i * static_cast<double>(m_fStringSpacing) + boardTop);
        if (i >= 1 && i <= 4)
        {
            pDC->MoveTo(boardLeft, Trunc(m_fStringY[i]));
            pDC->LineTo(boardRight, Trunc(m_fStringY[i]));
        }
    }
    for (int j = 0; j < 5; ++j)
    {
        m_fFretX[j] = static_cast<float>(j * static_cast<double>(m_fFretWidth) + boardLeft);
        if (j >= 1 && j <= 3)
        {
            pDC->MoveTo(Trunc(m_fFretX[j]), boardTop);
            pDC->LineTo(Trunc(m_fFretX[j]), boardBottom);
        }
    }

    const double openX = OpenColumnX();
    for (int i = 0; i < 6; ++i)
    {
        const double y = m_fStringY[i];
        const int code = m_nStringPosition[i];
        if (code == POS_OPEN)
        {
            pDC->SelectObject(&brushWhite);
            pDC->Ellipse(BoxAround(openX, y, kMarkerHalf));
        }
        else if (code == POS_ROOT_OPEN)
        {
            pDC->SelectObject(&brushWhite);
            pDC->Ellipse(BoxAround(openX, y, kRingHalf));
            pDC->Ellipse(BoxAround(openX, y, kMarkerHalf));
        }
        else if (code >= 1 && code <= 4)
        {
            const double cellX = CellCentreX(code);
            pDC->SelectObject(&brushBlack);
            pDC->Ellipse(BoxAround(cellX, y, kMarkerHalf));
        }
        else if (code >= -4 && code <= -1)
        {
            const double cellX = CellCentreX(-code);
            pDC->SelectObject(&brushWhite);
            pDC->Ellipse(BoxAround(cellX, y, kRingHalf));
            pDC->SelectObject(&brushBlack);
            pDC->Ellipse(BoxAround(cellX, y, kMarkerHalf));
        }
        else if (code == POS_NOT_PLAYED)
        {
            const CRect box = BoxAround(openX, y, kMarkerHalf);
            const int mx = (box.left + box.right) / 2;
            const int my = (box.top + box.bottom) / 2;
            pDC->MoveTo(mx - kCrossHalf, my - kCrossHalf);
            pDC->LineTo(mx + kCrossHalf, my + kCrossHalf);
            pDC->MoveTo(mx + kCrossHalf, my - kCrossHalf);
            pDC->LineTo(mx - kCrossHalf, my + kCrossHalf);
        }
        else if (bReportUndrawable)
            AfxMessageBox(PositionErrorText(i + 1), MB_OK);
    }
}

double CTabulorDlg::OpenColumnX() const
{
    // A fraction of the area's width, not the board's, left of the nut.
    return m_fFretX[0] - (m_rcFretboard.right - m_rcFretboard.left) / kOpenColumnDivisor;
}

double CTabulorDlg::CellCentreX(int nCell) const
{
    return m_fFretX[nCell] - m_fFretWidth * 0.5;
}

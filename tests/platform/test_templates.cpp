// The fixture dialog's template, its application object and its handlers.
#include "dialog_template.h"
#include "test_dialog.h"
#include "testing.h"

#include <string>

CTestApp testApp;

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

namespace
{
void RegisterTestDialog()
{
    AfxRegisterDialogTemplate(DialogTemplate{
        IDD_TEST,
        "Test Dialog",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT,
        0,
        0,
        0,
        200,
        120,
        "MS Sans Serif",
        8,
        FW_NORMAL,
        FALSE,
        0,
        {
            {IDC_TEST_EDIT, WC_EDIT, "", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 0, 10, 10, 100, 12},
            {IDOK, WC_BUTTON, "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 10, 90, 50, 14},
            {IDC_TEST_APPLY, WC_BUTTON, "&Apply", BS_PUSHBUTTON | WS_TABSTOP, 0, 70, 90, 50, 14},
            {IDC_TEST_LABEL, WC_STATIC, "&Label && more", SS_LEFT, 0, 120, 10, 60, 8},
            {IDC_TEST_NARROW_LABEL, WC_STATIC, "Much wider than its room :", SS_LEFT, 0, 120, 60, 30, 8},
            {IDC_TEST_LINES_LABEL, WC_STATIC, "one\ntwo\nthree\nfour", SS_LEFT, 0, 160, 60, 30, 16},
            {IDC_TEST_SLIDER, TRACKBAR_CLASS, "", TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, 0, 10, 30, 80, 12},
            {IDC_TEST_COMBO, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 100, 30, 80, 60},
            {IDC_TEST_READONLY, WC_EDIT, "", WS_BORDER | ES_READONLY | WS_TABSTOP, 0, 10, 50, 100, 12},
            {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, 130, 90, 50, 14},
        },
        {
            {IDC_TEST_COMBO, CB_ADDSTRING, "zero"},
            {IDC_TEST_COMBO, CB_ADDSTRING, "one"},
            {IDC_TEST_COMBO, CB_ADDSTRING, "two"},
        },
    });
}

const AfxResourceRegistrar registrar(&RegisterTestDialog);

std::string PointText(const char* name, CPoint point)
{
    return std::string(name) + " " + std::to_string(point.x) + "," + std::to_string(point.y);
}
}  // namespace

LRESULT CCountingEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT)
        ++m_nSetTextCount;
    return CEdit::WindowProc(message, wParam, lParam);
}

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_SYSCOMMAND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_BN_CLICKED(IDOK, &CTestDlg::OnBnClickedOk)
    ON_BN_CLICKED(IDC_TEST_APPLY, &CTestDlg::OnBnClickedApply)
    ON_EN_CHANGE(IDC_TEST_EDIT, &CTestDlg::OnEnChangeEdit)
    ON_CBN_SELCHANGE(IDC_TEST_COMBO, &CTestDlg::OnCbnSelchangeCombo)
    ON_NOTIFY(NM_CUSTOMDRAW, IDC_TEST_SLIDER, &CTestDlg::OnNMCustomdrawSlider)
END_MESSAGE_MAP()

void CTestDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TEST_EDIT, m_strText);
    DDX_Control(pDX, IDC_TEST_EDIT, m_edit);
    DDX_Text(pDX, IDC_TEST_READONLY, m_strReadOnly);
    DDX_Control(pDX, IDC_TEST_SLIDER, m_slider);
    DDX_Control(pDX, IDC_TEST_COMBO, m_combo);
    DDX_CBIndex(pDX, IDC_TEST_COMBO, m_nComboIndex);
}

BOOL CTestDlg::OnInitDialog()
{
    Log("initdialog");
    CDialog::OnInitDialog();
    return TRUE;
}

int CTestDlg::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    Log("create");
    m_bControlsAtCreate = GetDlgItem(IDC_TEST_EDIT) != nullptr;
    return CDialog::OnCreate(lpCreateStruct);
}

void CTestDlg::OnDestroy()
{
    Log("destroy");
    CDialog::OnDestroy();
}

void CTestDlg::OnPaint()
{
    ++m_nPaints;
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CBrush frame(m_crPaint);
    dc.FillRect(&client, &frame);
    if (m_bBoxInPaint)
        AfxMessageBox("painting");
    CBrush white(RGB(255, 255, 255));
    CRect inside(client.left + 4, client.top + 4, client.right - 4, client.bottom - 4);
    dc.FillRect(&inside, &white);
    if (m_bBoxInPaint)
        Log("paint end");
}

void CTestDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    Log("syscommand " + std::to_string(nID));
    CDialog::OnSysCommand(nID, lParam);
}

void CTestDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    Log(PointText("down", point));
    CDialog::OnLButtonDown(nFlags, point);
}

void CTestDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    Log(PointText("up", point));
    CDialog::OnLButtonUp(nFlags, point);
}

void CTestDlg::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    Log(PointText("dblclk", point));
    CDialog::OnLButtonDblClk(nFlags, point);
}

void CTestDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    Log(PointText("move", point));
    if (m_bHandCursorOnMove)
        SetCursor(LoadCursor(nullptr, IDC_HAND));
    CDialog::OnMouseMove(nFlags, point);
}

BOOL CTestDlg::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    Log(PointText(("wheel " + std::to_string(zDelta)).c_str(), pt));
    CDialog::OnMouseWheel(nFlags, zDelta, pt);
    return m_bWheelResult;
}

void CTestDlg::OnBnClickedOk()
{
    Log("ok");
}

void CTestDlg::OnBnClickedApply()
{
    Log("apply");
}

void CTestDlg::OnEnChangeEdit()
{
    Log("change");
}

void CTestDlg::OnCbnSelchangeCombo()
{
    Log("selchange " + std::to_string(m_combo.GetCurSel()));
}

void CTestDlg::OnNMCustomdrawSlider(NMHDR* pNMHDR, LRESULT* pResult)
{
    Log("customdraw " + std::to_string(pNMHDR->idFrom));
    if (m_bBoxInCustomDraw)
    {
        m_bBoxInCustomDraw = false;
        Log("box answered " + std::to_string(AfxMessageBox("drawing the slider")));
    }
    *pResult = CDRF_DODEFAULT;
}

void CTestDlg::WinHelp(DWORD_PTR, UINT)
{
    Log("help");
}

std::vector<std::string> LogOf(const CTestDlg& dlg, const std::string& prefix)
{
    std::vector<std::string> entries;
    for (const std::string& entry : dlg.m_log)
        if (entry.compare(0, prefix.size(), prefix) == 0)
            entries.push_back(entry);
    return entries;
}

CPoint FreeAreaPoint(CTestDlg& dlg)
{
    const SIZE base = afxtest::DialogBaseUnits(&dlg);
    return CPoint(MulDiv(190, base.cx, 4), MulDiv(112, base.cy, 8));
}

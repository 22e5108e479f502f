// A dialog that logs every message its map receives, on a template with one
// control of each kind, for the platform layer's tests.
#pragma once

#include "afxwin.h"
#include "commctrl.h"

#include <string>
#include <vector>

enum : UINT
{
    IDD_TEST = 9001,
    IDD_MISSING = 9999,
    IDC_TEST_EDIT = 1001,
    IDC_TEST_APPLY = 1002,
    IDC_TEST_LABEL = 1003,
    IDC_TEST_SLIDER = 1004,
    IDC_TEST_COMBO = 1005,
    IDC_TEST_READONLY = 1006,
    IDC_TEST_NARROW_LABEL = 1007,
    IDC_TEST_LINES_LABEL = 1008,
    IDM_TEST_ITEM = 0x0010,
};

// The test program's application object, with the help command routed as
// the program's is.
class CTestApp : public CWinApp
{
public:
    DECLARE_MESSAGE_MAP()
};
extern CTestApp testApp;

// An edit control wrapper that counts the texts written into it.
class CCountingEdit : public CEdit
{
public:
    int m_nSetTextCount = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CTestDlg : public CDialog
{
public:
    explicit CTestDlg(UINT nIDTemplate = IDD_TEST, CWnd* pParent = nullptr) : CDialog(nIDTemplate, pParent) {}

    std::vector<std::string> m_log;
    CString m_strText = "start";
    CString m_strReadOnly = "names";
    int m_nComboIndex = 1;
    CCountingEdit m_edit;
    CSliderCtrl m_slider;
    CComboBox m_combo;
    bool m_bControlsAtCreate = true;
    BOOL m_bWheelResult = FALSE;
    bool m_bHandCursorOnMove = false;
    // Painted by OnPaint: the client area with a blue frame of this colour.
    COLORREF m_crPaint = RGB(0, 0, 255);
    int m_nPaints = 0;
    bool m_bBoxInPaint = false;
    bool m_bBoxInCustomDraw = false;

    void WinHelp(DWORD_PTR dwData, UINT nCmd) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnBnClickedOk();
    afx_msg void OnBnClickedApply();
    afx_msg void OnEnChangeEdit();
    afx_msg void OnCbnSelchangeCombo();
    afx_msg void OnNMCustomdrawSlider(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    void Log(const std::string& entry) { m_log.push_back(entry); }
};

// Entries of the log that start with the prefix.
std::vector<std::string> LogOf(const CTestDlg& dlg, const std::string& prefix);

// A point of the test dialog's client area that no control covers (right of
// Cancel, below the label), in pixels of the dialog font in use.
CPoint FreeAreaPoint(CTestDlg& dlg);

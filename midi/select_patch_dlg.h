// The instrument chooser: the 128 General MIDI programs in a drop-down list.
// Each selection goes to the main window's MIDI device at once so that it
// can be heard with Play before OK keeps it.
#pragma once

#include "afxwin.h"
#include "resource.h"

class CTabulorDlg;

class CSelectPatchDlg : public CDialog
{
public:
    explicit CSelectPatchDlg(CWnd* pParent = nullptr);

    enum
    {
        IDD = IDD_SELECT_PATCH
    };

    // Runs the dialog on the main window's device with nPatch selected;
    // returns the end code (IDOK, IDCANCEL, -1 when it cannot be created).
    virtual int DoModalWithPatch(CTabulorDlg* pMainDlg, int nPatch);

    CTabulorDlg* m_pMainDlg;
    // Index of the selected item, which is the program number.
    int m_nPatch;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnCbnSelchangePatchList();
    afx_msg void OnBnClickedPlay();
    afx_msg void OnBnClickedMute();
    DECLARE_MESSAGE_MAP()
};

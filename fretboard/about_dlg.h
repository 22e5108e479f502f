// The About box: product name and version, copyright, the keyboard
// shortcuts, the hint that F1 opens help, and a button to the maker's web
// page.
#pragma once

#include "afxwin.h"
#include "resource.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();

    enum
    {
        IDD = IDD_ABOUTBOX
    };

protected:
    afx_msg void OnBnClickedWebsite();
    DECLARE_MESSAGE_MAP()
};

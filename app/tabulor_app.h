// The application object: runs the main dialog modally and ends the process
// when it closes.
#pragma once

#include "afxwin.h"

class CTabulorApp : public CWinApp
{
public:
    CTabulorApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CTabulorApp theApp;

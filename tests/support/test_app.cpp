// The one application object the framework needs.
#include "afxwin.h"

static CWinApp testApp;

// The string table and the application icon (a guitar neck with three
// fingered strings).
#include "afxwin.h"
#include "dialog_template.h"
#include "resource.h"

namespace
{
#include "tabulor_icon.xpm"

void RegisterStringsAndIcon()
{
    AfxRegisterString(IDS_ABOUTBOX, "&About Tabulor");
    AfxRegisterIcon(IDR_MAINFRAME, TABULOR_ICON_XPM);
}

const AfxResourceRegistrar registrar(&RegisterStringsAndIcon);
}  // namespace

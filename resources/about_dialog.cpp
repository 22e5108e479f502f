// The About dialog's template.
#include "afxwin.h"
#include "dialog_template.h"
#include "resource.h"
#include "tabulor_version.h"

namespace
{
void RegisterAboutDialog()
{
    AfxRegisterDialogTemplate(DialogTemplate{
        IDD_ABOUTBOX,
        "About Tabulor",
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SHELLFONT,
        0,
        0,
        0,
        245,
        127,
        "MS Shell Dlg",
        8,
        FW_NORMAL,
        FALSE,
        DEFAULT_CHARSET,
        {
            // A static icon's text is the id of its icon resource.
            {IDC_STATIC, WC_STATIC, "128", SS_ICON, 0, 7, 7, 21, 20},
            {IDC_STATIC, WC_STATIC, "Tabulor (version " TABULOR_VERSION ")", SS_CENTER | SS_NOPREFIX, 0, 67, 7, 107,
             19},
            {IDC_STATIC, WC_STATIC, "Copyright (C) 2011 the Tabulor authors.\nFree for every guitarist to use.",
             SS_RIGHT, 0, 100, 82, 136, 16},
            {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 212, 7, 26, 22},
            {IDC_WEBSITE, WC_BUTTON, "Visit the Tabulor web page for new versions", BS_PUSHBUTTON | WS_TABSTOP, 0, 7,
             103, 231, 17},
            {IDC_STATIC, WC_STATIC, "To view HELP file press F1 button", SS_RIGHT, 0, 128, 57, 108, 8},
            {IDC_STATIC, WC_STATIC,
             "Alt + E = Next Fingering\nAlt + P = Play\nAlt + R = Random\nAlt + A = About\n"
             "Alt + H = F1 = Help\nAlt + C = Patch\nAlt + U = Mute\nAlt + X = Exit",
             SS_LEFT, 0, 9, 34, 79, 64},
        },
        {},
    });
}

const AfxResourceRegistrar registrar(&RegisterAboutDialog);
}  // namespace

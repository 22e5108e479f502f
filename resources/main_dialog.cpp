// The main dialog's template: the fretboard window with its labels, the
// chord-name box and the buttons. Positions and sizes in dialog units.
#include "afxwin.h"
#include "commctrl.h"
#include "dialog_template.h"
#include "resource.h"
#include "tabulor_version.h"

namespace
{
const DWORD LABEL = SS_LEFT | WS_GROUP;
const DWORD BUTTON = BS_PUSHBUTTON | WS_TABSTOP;

void RegisterMainDialog()
{
    AfxRegisterDialogTemplate(DialogTemplate{
        IDD_TABULOR_DIALOG,
        TABULOR_TITLE,
        WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT,
        WS_EX_APPWINDOW,
        0,
        0,
        288,
        178,
        "MS Sans Serif",
        8,
        FW_NORMAL,
        FALSE,
        204,
        {
            {IDOK, WC_BUTTON, "N&ext fingering", BS_DEFPUSHBUTTON | BS_CENTER | BS_MULTILINE | WS_TABSTOP, WS_EX_RIGHT,
             108, 148, 65, 23},
            {IDC_PLAY, WC_BUTTON, "&Play", BUTTON, 0, 177, 148, 41, 23},
            {IDC_STATIC, WC_BUTTON, "Volume", BS_GROUPBOX, 0, 223, 145, 58, 26},
            {IDC_VOLUME, TRACKBAR_CLASS, "", TBS_HORZ | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP, 0, 228, 157, 48, 11},
            {IDC_RANDOM, WC_BUTTON, "&Random", BUTTON, 0, 246, 88, 35, 15},
            {IDC_ABOUT, WC_BUTTON, "&About", BUTTON, 0, 246, 52, 35, 14},
            {IDC_HELP_BUTTON, WC_BUTTON, "&Help", BUTTON, 0, 246, 34, 35, 14},
            {IDCANCEL, WC_BUTTON, "E&xit", BUTTON, 0, 246, 16, 35, 14},
            {IDC_CHORD_NAMES, WC_EDIT, "", WS_BORDER | ES_READONLY | ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP, 0, 7, 130,
             274, 12},
            {IDC_CHORD_NAME, WC_EDIT, "", WS_BORDER | ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP, 0, 7, 154, 94, 17},
            {IDC_FINGER6, WC_STATIC, "6", LABEL, 0, 236, 114, 8, 8},
            {IDC_FINGER5, WC_STATIC, "5", LABEL, 0, 236, 95, 8, 8},
            {IDC_STATIC, WC_STATIC, "Type here name of chord :", LABEL, 0, 11, 144, 85, 8},
            {IDC_STATIC, WC_STATIC, "Positions --->", LABEL, 0, 18, 4, 43, 8},
            {IDC_POSITION1, WC_STATIC, "1", LABEL, 0, 71, 4, 8, 8},
            {IDC_POSITION2, WC_STATIC, "2", LABEL, 0, 122, 4, 8, 8},
            {IDC_POSITION3, WC_STATIC, "3", LABEL, 0, 174, 4, 8, 8},
            {IDC_POSITION4, WC_STATIC, "4", LABEL, 0, 225, 4, 8, 8},
            {IDC_FINGER1, WC_STATIC, "1", LABEL, 0, 236, 15, 8, 8},
            {IDC_FINGER2, WC_STATIC, "2", LABEL, 0, 236, 34, 8, 8},
            {IDC_FINGER3, WC_STATIC, "3", LABEL, 0, 236, 55, 8, 8},
            {IDC_FINGER4, WC_STATIC, "4", LABEL, 0, 236, 75, 8, 8},
            {IDC_PATCH, WC_BUTTON, "Pat&ch", BUTTON, 0, 246, 70, 35, 14},
            {IDC_MUTE, WC_BUTTON, "M&ute", BUTTON, 0, 246, 107, 35, 14},
        },
        {},
    });
}

const AfxResourceRegistrar registrar(&RegisterMainDialog);
}  // namespace

// The Select Patch dialog's template, with the instrument list as the combo
// box's initial data.
#include "afxwin.h"
#include "dialog_template.h"
#include "instrument_names.h"
#include "resource.h"

namespace
{
std::vector<DialogInitEntry> InstrumentList()
{
    std::vector<DialogInitEntry> entries;
    for (const char* name : INSTRUMENT_NAMES)
        entries.push_back(DialogInitEntry{IDC_PATCH_LIST, CB_ADDSTRING, name});
    return entries;
}

void RegisterSelectPatchDialog()
{
    AfxRegisterDialogTemplate(DialogTemplate{
        IDD_SELECT_PATCH,
        "Select Patch",
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SHELLFONT,
        0,
        0,
        0,
        186,
        82,
        "MS Shell Dlg",
        8,
        FW_NORMAL,
        FALSE,
        DEFAULT_CHARSET,
        {
            {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 61, 56, 118, 19},
            {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, 7, 56, 50, 19},
            {IDC_PATCH_LIST, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 7, 7, 172, 184},
            {IDC_PATCH_PLAY, WC_BUTTON, "Play", BS_PUSHBUTTON | WS_TABSTOP, 0, 61, 27, 118, 24},
            {IDC_PATCH_MUTE, WC_BUTTON, "Mute", BS_PUSHBUTTON | WS_TABSTOP, 0, 7, 27, 50, 24},
        },
        InstrumentList(),
    });
}

const AfxResourceRegistrar registrar(&RegisterSelectPatchDialog);
}  // namespace

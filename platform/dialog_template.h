// The program's resources as data: dialog templates (positions and sizes in
// dialog units), the string table and icons, registered by id so that the
// framework finds them as it finds resources in an executable.
#pragma once

#include "windef.h"

#include <vector>

// One control of a dialog template. windowClass is one of "button", "edit",
// "static", "combobox", "msctls_trackbar32"; WS_CHILD and WS_VISIBLE are
// implied, as in a resource script.
struct DialogItemTemplate
{
    int id;
    const char* windowClass;
    const char* text;
    DWORD style;
    DWORD exStyle;
    short x;
    short y;
    short cx;
    short cy;
};

// Initial data of a control: strings added to a combo box (CB_ADDSTRING)
// when the dialog is initialised, in order.
struct DialogInitEntry
{
    int controlId;
    UINT message;
    const char* text;
};

struct DialogTemplate
{
    UINT id;
    const char* caption;
    DWORD style;
    DWORD exStyle;
    short x;
    short y;
    short cx;
    short cy;
    // The font of DS_SETFONT, with its point size, weight, italic flag and
    // character set.
    const char* fontFace;
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    std::vector<DialogItemTemplate> items;  // template order = tab order
    std::vector<DialogInitEntry> initData;
};

// Registration; later registrations of an id replace earlier ones.
void AfxRegisterDialogTemplate(const DialogTemplate& dialogTemplate);
void AfxRegisterString(UINT nID, const char* text);
// An icon in XPM form (the lines of an XPM image).
void AfxRegisterIcon(UINT nID, const char* const* xpmLines);

// Look-up; nullptr when absent.
const DialogTemplate* AfxFindDialogTemplate(UINT nID);
const char* AfxFindString(UINT nID);

// Registers the resources of one translation unit during static
// initialisation: `static const AfxResourceRegistrar registrar(&RegisterAll);`.
struct AfxResourceRegistrar
{
    explicit AfxResourceRegistrar(void (*pfnRegister)()) { pfnRegister(); }
};

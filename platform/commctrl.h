// The common controls the program uses: the trackbar and its custom-draw
// notification.
#pragma once

#include "windef.h"

// Registers the common control classes (nothing to do here: the layer's
// controls exist from the start).
void InitCommonControls();

#define TRACKBAR_CLASS "msctls_trackbar32"

#define TBS_HORZ 0x0000
#define TBS_VERT 0x0002
#define TBS_BOTH 0x0008
#define TBS_NOTICKS 0x0010

#define TBM_GETPOS (0x0400)
#define TBM_GETRANGEMIN (0x0400 + 1)
#define TBM_GETRANGEMAX (0x0400 + 2)
#define TBM_SETPOS (0x0400 + 5)
#define TBM_SETRANGE (0x0400 + 6)
#define TBM_SETRANGEMIN (0x0400 + 7)
#define TBM_SETRANGEMAX (0x0400 + 8)

#define NM_FIRST (0U - 0U)
#define NM_CUSTOMDRAW (NM_FIRST - 12)

// Draw stages and results of NM_CUSTOMDRAW.
#define CDDS_PREPAINT 0x00000001
#define CDRF_DODEFAULT 0x00000000

// Sent as WM_NOTIFY NM_CUSTOMDRAW by a trackbar at the start of each of its
// paints.
struct NMCUSTOMDRAW
{
    NMHDR hdr;
    DWORD dwDrawStage;
    HDC hdc;
    RECT rc;
    DWORD_PTR dwItemSpec;
    UINT uItemState;
    LPARAM lItemlParam;
};
typedef NMCUSTOMDRAW* LPNMCUSTOMDRAW;

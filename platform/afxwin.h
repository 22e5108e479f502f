// The window framework the program is written against: the application
// object, windows and dialogs with message maps, data exchange, the standard
// controls, device contexts, fonts and brushes, message boxes and 8-bit
// strings, under the framework's own names. Behind it stand Qt widgets; no Qt
// type appears here.
#pragma once

#include "windef.h"

#include <memory>
#include <string>

// ---------------------------------------------------------------------------
// Window messages and notification codes
// ---------------------------------------------------------------------------
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_ICONERASEBKGND 0x0027
#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_QUERYDRAGICON 0x0037
#define WM_NOTIFY 0x004E
#define WM_SETICON 0x0080
#define WM_GETICON 0x007F
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_MOUSEWHEEL 0x020A
#define WM_USER 0x0400

// Key and button state in the mouse messages' nFlags.
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010
#define WHEEL_DELTA 120
#define GET_WHEEL_DELTA_WPARAM(wParam) (static_cast<short>(HIWORD(wParam)))
#define GET_KEYSTATE_WPARAM(wParam) (LOWORD(wParam))

// Command notifications (high word of WM_COMMAND's wParam).
#define CN_COMMAND 0
#define BN_CLICKED 0
#define EN_CHANGE 0x0300
#define CBN_SELCHANGE 1

// Combo box messages.
#define CB_ERR (-1)
#define CB_ADDSTRING 0x0143
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_SETCURSEL 0x014E

// System commands (WM_SYSCOMMAND's wParam; the low four bits are the system's).
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_CLOSE 0xF060
#define SC_RESTORE 0xF120

// Menu item flags.
#define MF_BYCOMMAND 0x0000
#define MF_STRING 0x0000
#define MF_ENABLED 0x0000
#define MF_GRAYED 0x0001
#define MF_DISABLED 0x0002
#define MF_SEPARATOR 0x0800

// Message box types and results.
#define MB_OK 0x00000000
#define MB_OKCANCEL 0x00000001
#define MB_YESNOCANCEL 0x00000003
#define MB_YESNO 0x00000004
#define MB_ICONHAND 0x00000010
#define MB_ICONQUESTION 0x00000020
#define MB_ICONEXCLAMATION 0x00000030
#define MB_ICONASTERISK 0x00000040
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_TYPEMASK 0x0000000F
#define MB_ICONMASK 0x000000F0

#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

// Framework command and string ids.
#define ID_HELP 0xE146
#define AFX_IDS_APP_TITLE 0xE000
#define HELP_CONTEXT 0x0001

// Icons, cursors, metrics, device capabilities.
#define ICON_SMALL 0
#define ICON_BIG 1
#define MAKEINTRESOURCE(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_HAND MAKEINTRESOURCE(32649)
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXSMICON 49
#define SM_CYSMICON 50
#define LOGPIXELSX 88
#define LOGPIXELSY 90

// Fonts.
#define LF_FACESIZE 32
#define FW_DONTCARE 0
#define FW_NORMAL 400
#define FW_BOLD 700
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1

// Window styles.
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_EX_RIGHT 0x00001000L
#define WS_EX_APPWINDOW 0x00040000L

// Dialog styles.
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_FIXEDSYS 0x0008L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

// Control styles.
#define BS_PUSHBUTTON 0x00000000L
#define BS_DEFPUSHBUTTON 0x00000001L
#define BS_GROUPBOX 0x00000007L
#define BS_TYPEMASK 0x0000000FL
#define BS_LEFT 0x00000100L
#define BS_RIGHT 0x00000200L
#define BS_CENTER 0x00000300L
#define BS_MULTILINE 0x00002000L
#define ES_LEFT 0x0000L
#define ES_CENTER 0x0001L
#define ES_RIGHT 0x0002L
#define ES_AUTOHSCROLL 0x0080L
#define ES_READONLY 0x0800L
#define SS_LEFT 0x00000000L
#define SS_CENTER 0x00000001L
#define SS_RIGHT 0x00000002L
#define SS_ICON 0x00000003L
#define SS_TYPEMASK 0x0000001FL
#define SS_NOPREFIX 0x00000080L
#define CBS_DROPDOWNLIST 0x0003L

// Window class names used in dialog templates.
#define WC_BUTTON "button"
#define WC_EDIT "edit"
#define WC_STATIC "static"
#define WC_COMBOBOX "combobox"

#define afx_msg
#define PASCAL

// ---------------------------------------------------------------------------
// Windows structures
// ---------------------------------------------------------------------------
struct CREATESTRUCT
{
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
};
typedef CREATESTRUCT* LPCREATESTRUCT;

struct LOGFONT
{
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};
typedef LOGFONT* LPLOGFONT;

// ---------------------------------------------------------------------------
// Windows functions
// ---------------------------------------------------------------------------
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
int GetSystemMetrics(int nIndex);
int GetDeviceCaps(HDC hDC, int nIndex);
HCURSOR LoadCursor(HINSTANCE hInstance, LPCTSTR lpCursorName);
// Sets the cursor shown over the window that receives the mouse; the next
// mouse message puts the window's own arrow back first, as WM_SETCURSOR does.
HCURSOR SetCursor(HCURSOR hCursor);

// ---------------------------------------------------------------------------
// Simple value types
// ---------------------------------------------------------------------------
class CPoint : public POINT
{
public:
    CPoint()
    {
        x = 0;
        y = 0;
    }
    CPoint(int initX, int initY)
    {
        x = initX;
        y = initY;
    }
    CPoint(POINT initPt)
    {
        x = initPt.x;
        y = initPt.y;
    }
    bool operator==(POINT point) const { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const { return !(*this == point); }
};

class CRect : public RECT
{
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& srcRect)
    {
        left = srcRect.left;
        top = srcRect.top;
        right = srcRect.right;
        bottom = srcRect.bottom;
    }
    CRect(LPCRECT lpSrcRect) : CRect(*lpSrcRect) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
    bool operator==(const RECT& rect) const
    {
        return left == rect.left && top == rect.top && right == rect.right && bottom == rect.bottom;
    }
    bool operator!=(const RECT& rect) const { return !(*this == rect); }
};

// 8-bit text (the locale's encoding, UTF-8 on Linux), with the framework's
// string operations.
class CString
{
public:
    CString() = default;
    CString(LPCTSTR psz) : m_str(psz != nullptr ? psz : "") {}
    CString(LPCTSTR pch, int nLength) : m_str(pch, nLength) {}
    CString(TCHAR ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}

    CString& operator=(LPCTSTR psz)
    {
        m_str = psz != nullptr ? psz : "";
        return *this;
    }

    operator LPCTSTR() const { return m_str.c_str(); }
    LPCTSTR GetString() const { return m_str.c_str(); }
    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    TCHAR GetAt(int nIndex) const { return m_str[nIndex]; }
    TCHAR operator[](int nIndex) const { return m_str[nIndex]; }

    CString& operator+=(const CString& str)
    {
        m_str += str.m_str;
        return *this;
    }
    CString& operator+=(LPCTSTR psz)
    {
        m_str += psz != nullptr ? psz : "";
        return *this;
    }
    CString& operator+=(TCHAR ch)
    {
        m_str += ch;
        return *this;
    }

    // Byte-wise comparison: 0 when equal, as strcmp.
    int Compare(LPCTSTR psz) const;
    // Only the letters A..Z and a..z change: bytes of multibyte characters
    // are left alone.
    CString& MakeLower();
    void Format(LPCTSTR pszFormat, ...);
    // The string of the program's string table; FALSE (and empty) if absent.
    BOOL LoadString(UINT nID);

    friend CString operator+(const CString& a, const CString& b) { return CString(a) += b; }
    friend CString operator+(const CString& a, LPCTSTR b) { return CString(a) += b; }
    friend CString operator+(LPCTSTR a, const CString& b) { return CString(a) += b; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCTSTR b) { return !(a == b); }
    friend bool operator!=(LPCTSTR a, const CString& b) { return !(a == b); }

private:
    std::string m_str;
};

// ---------------------------------------------------------------------------
// Objects and message maps
// ---------------------------------------------------------------------------
class CObject
{
public:
    virtual ~CObject() = default;

protected:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

class CCmdTarget;
class CWnd;
class CDC;
class CMenu;
class CFont;
class CBrush;
class CDataExchange;

// A handler as stored in a message map; the entry's signature says how to
// call it.
typedef void (CCmdTarget::*AFX_PMSG)();

enum AfxSig : UINT_PTR
{
    AfxSig_end = 0,
    AfxSig_vv,       // void ()                           WM_PAINT, WM_DESTROY
    AfxSig_vwl,      // void (UINT, LPARAM)               WM_SYSCOMMAND
    AfxSig_hv,       // HCURSOR ()                        WM_QUERYDRAGICON
    AfxSig_is,       // int (LPCREATESTRUCT)              WM_CREATE
    AfxSig_vwp,      // void (UINT, CPoint)               mouse buttons and moves
    AfxSig_bwsp,     // BOOL (UINT, short, CPoint)        WM_MOUSEWHEEL
    AfxSigCmd_v,     // void ()                           WM_COMMAND: commands and control notifications
    AfxSigNotify_v,  // void (NMHDR*, LRESULT*)           WM_NOTIFY
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;  // WM_COMMAND and WM_NOTIFY entries also match nCode and nID..nLastID
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT_PTR nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();                                                               \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                                                  \
    {                                                                                                                  \
        return GetThisMessageMap();                                                                                    \
    }                                                                                                                  \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                                                             \
    {                                                                                                                  \
        using ThisClass [[maybe_unused]] = theClass;                                                                   \
        using TheBaseClass = baseClass;                                                                                \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, 0, AfxSig_end, nullptr                                                                                \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};                      \
    return &messageMap;                                                                                                \
    }

// Stores a handler of any signature; the dispatcher casts it back by the
// entry's nSig before the call.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
template <typename Handler>
constexpr AFX_PMSG AfxStoreHandler(Handler pfn)
{
    return reinterpret_cast<AFX_PMSG>(pfn);
}
#pragma GCC diagnostic pop

#define AFX_MSG_ENTRY(message, sig, type, fn) {message, 0, 0, 0, sig, AfxStoreHandler(static_cast<type>(fn))},

#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnDestroy)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnPaint)
#define ON_WM_SYSCOMMAND()                                                                                             \
    AFX_MSG_ENTRY(WM_SYSCOMMAND, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM), &ThisClass::OnSysCommand)
#define ON_WM_QUERYDRAGICON()                                                                                          \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, AfxSig_hv, HCURSOR (CWnd::*)(), &ThisClass::OnQueryDragIcon)
#define ON_WM_LBUTTONDOWN()                                                                                            \
    AFX_MSG_ENTRY(WM_LBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MSG_ENTRY(WM_LBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK()                                                                                          \
    AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDblClk)
#define ON_WM_MOUSEMOVE() AFX_MSG_ENTRY(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), &ThisClass::OnMouseMove)
#define ON_WM_MOUSEWHEEL()                                                                                             \
    AFX_MSG_ENTRY(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (CWnd::*)(UINT, short, CPoint), &ThisClass::OnMouseWheel)

#define ON_COMMAND(id, memberFxn)                                                                                      \
    {WM_COMMAND,                                                                                                       \
     CN_COMMAND,                                                                                                       \
     static_cast<UINT>(id),                                                                                            \
     static_cast<UINT>(id),                                                                                            \
     AfxSigCmd_v,                                                                                                      \
     static_cast<AFX_PMSG>(memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                                         \
    {WM_COMMAND,  static_cast<UINT>(wNotifyCode),  static_cast<UINT>(id), static_cast<UINT>(id),                       \
     AfxSigCmd_v, static_cast<AFX_PMSG>(memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                          \
    {WM_NOTIFY,                                                                                                        \
     static_cast<UINT>(wNotifyCode),                                                                                   \
     static_cast<UINT>(id),                                                                                            \
     static_cast<UINT>(id),                                                                                            \
     AfxSigNotify_v,                                                                                                   \
     AfxStoreHandler(static_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn))},

// Receives commands through its message map.
class CCmdTarget : public CObject
{
public:
    // Finds the WM_COMMAND entry (nCode, nID) in this object's map or its base
    // maps and calls it; FALSE when none handles it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    friend struct AfxMessageMapAccess;
};

// ---------------------------------------------------------------------------
// The application
// ---------------------------------------------------------------------------
class CWinApp : public CCmdTarget
{
public:
    // With a nullptr name the title is the string AFX_IDS_APP_TITLE of the
    // string table, or else the executable's file name without directory
    // and extension. It is the caption of message boxes that give none.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCTSTR m_pszAppName;
    CWnd* m_pMainWnd;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    HICON LoadIcon(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;

    // The ID_HELP command: asks the main window for its help (WinHelp).
    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()

private:
    std::string m_strAppName;
    friend struct AfxAppAccess;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();
// A message box owned by the main window with the application title as
// caption. MB_OK and MB_OKCANCEL without an icon get the exclamation icon,
// MB_YESNO and MB_YESNOCANCEL the question icon.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

// ---------------------------------------------------------------------------
// Windows
// ---------------------------------------------------------------------------
class CWnd : public CCmdTarget
{
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object attached to the window, or a temporary one owned by the
    // window while it exists.
    static CWnd* FromHandle(HWND hWnd);

    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;

    CWnd* GetDlgItem(int nID) const;

    void GetClientRect(LPRECT lpRect) const;
    BOOL IsIconic() const;
    BOOL IsWindowVisible() const;
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE);

    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // Runs DoDataExchange; control notifications raised meanwhile are dropped.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // The window's system menu (nullptr without WS_SYSMENU). The layer shows it
    // on a right-click on the dialog's free area and on Alt+Space and sends
    // the chosen item as WM_SYSCOMMAND.
    CMenu* GetSystemMenu(BOOL bRevert) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);

    // Help for the window; called by CWinApp::OnHelp on the main window. The
    // framework's own does nothing (there is no Windows Help on Linux).
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

protected:
    // Message dispatch: WindowProc → OnWndMsg (message map) → DefWindowProc
    // (the window class's own handling) for what no entry handles.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default handling of the message being handled now.
    LRESULT Default();

    virtual void DoDataExchange(CDataExchange* pDX);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    DECLARE_MESSAGE_MAP()

    friend struct AfxWndAccess;
    friend LRESULT SendMessage(HWND, UINT, WPARAM, LPARAM);
};

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls → members; FALSE: members → controls
    CWnd* m_pDlgWnd;

    // The window of control nIDC of the dialog (nullptr if there is none).
    HWND PrepareCtrl(int nIDC);
};

// Loading writes the text only when it differs from the control's (or is
// longer than 256 characters); saving reads it back.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Attaches the control window to rControl on the first exchange.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Index of a combo box's selected item (-1 for none).
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);

class CDialog : public CWnd
{
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Creates the window from the template (WM_CREATE, the controls, then
    // WM_INITDIALOG → OnInitDialog), shows it centred over its owner and runs
    // a modal loop until EndDialog; the window is then destroyed
    // (WM_DESTROY). Returns the EndDialog code, -1 when the template is
    // missing or the window cannot be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // Adds the template's initial control data and loads the controls
    // (UpdateData(FALSE)); TRUE lets the layer give the focus to the first
    // tab stop.
    virtual BOOL OnInitDialog();
    // UpdateData(TRUE), then EndDialog(IDOK).
    virtual void OnOK();
    // EndDialog(IDCANCEL).
    virtual void OnCancel();

protected:
    // Commands that the dialog's maps leave go on to the application.
    BOOL OnCmdMsg(UINT nID, int nCode) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

    friend struct AfxDialogAccess;
};

// ---------------------------------------------------------------------------
// Controls
// ---------------------------------------------------------------------------
class CStatic : public CWnd
{
};

class CButton : public CWnd
{
};

class CEdit : public CWnd
{
};

class CSliderCtrl : public CWnd
{
public:
    int GetPos() const;
    void SetPos(int nPos);
    int GetRangeMin() const;
    int GetRangeMax() const;
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE);
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE);
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
};

class CComboBox : public CWnd
{
public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
};

class CMenu : public CObject
{
public:
    CMenu();
    ~CMenu() override;

    HMENU m_hMenu;

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
};

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------
// Fonts and brushes live in the layer's object table until DeleteObject (the
// wrappers' destructors delete what they still hold; Detach hands the object
// over, and what is never deleted is released at process exit).
class CGdiObject : public CObject
{
public:
    ~CGdiObject() override;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL DeleteObject();
    HGDIOBJ Detach();
};

class CFont : public CGdiObject
{
public:
    // A negative lfHeight is the character height in pixels, a positive one
    // the cell height; 0 takes the default size.
    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    BOOL CreateSolidBrush(COLORREF crColor);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

// A device context with GDI's pixel rules: aliased drawing; Rectangle,
// Ellipse and FillRect stay inside their right and bottom edges; LineTo does
// not paint its end point; the pen is the default one, solid black, one pixel
// wide; the default brush is white.
class CDC : public CObject
{
public:
    CDC();
    ~CDC() override;

    HDC m_hDC;
    HDC GetSafeHdc() const { return m_hDC; }

    // Return the object selected before (nullptr when it was the default one).
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);

    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect);
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point);
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point);
    BOOL DrawIcon(int x, int y, HICON hIcon);
    BOOL DrawIcon(POINT point, HICON hIcon);
    int GetDeviceCaps(int nIndex) const;

    void Attach(HDC hDC);
};

// Painting of a window inside WM_PAINT: draws into the window's client-area
// image, which the layer shows when the handler returns; erases the invalid
// part first when the invalidation asked for it.
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

protected:
    HWND m_hWnd;
    bool m_bWindowImage;
};

// Drawing on a window's client area outside WM_PAINT.
class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
    bool m_bWindowImage;
};

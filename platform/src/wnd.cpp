// Message maps and dispatch, CWnd, data exchange.
#include "afx_internal.h"

#include <QCursor>
#include <QVariant>

#include <cstring>

namespace afx
{
HWND g_lockoutNotifyWindow = nullptr;

namespace
{
struct CurrentMessage
{
    UINT message = WM_NULL;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
CurrentMessage g_currentMessage;

HCURSOR g_cursor = nullptr;
QPointer<QWidget> g_cursorWidget;

const char* const HANDLE_PROPERTY = "afx_hwnd";
}  // namespace

HWND__* FromWidget(const QWidget* widget)
{
    for (; widget != nullptr; widget = widget->parentWidget())
    {
        const QVariant value = widget->property(HANDLE_PROPERTY);
        if (value.isValid())
            return static_cast<HWND__*>(value.value<void*>());
    }
    return nullptr;
}

void Attach(HWND__* window, QWidget* widget)
{
    window->widget = widget;
    widget->setProperty(HANDLE_PROPERTY, QVariant::fromValue<void*>(window));
}

void SetCursorWidget(QWidget* widget)
{
    g_cursorWidget = widget;
}

HCURSOR CurrentCursor()
{
    return g_cursor;
}
}  // namespace afx

// Access to the framework classes' protected members for the dispatcher.
struct AfxWndAccess
{
    static LRESULT WindowProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        return pWnd->WindowProc(message, wParam, lParam);
    }
    static void DoDataExchange(CWnd* pWnd, CDataExchange* pDX) { pWnd->DoDataExchange(pDX); }
};

struct AfxMessageMapAccess
{
    static const AFX_MSGMAP* MapOf(const CCmdTarget* target) { return target->GetMessageMap(); }
};

namespace afx
{
LRESULT Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == nullptr)
        return 0;
    const CurrentMessage saved = g_currentMessage;
    g_currentMessage = {message, wParam, lParam};
    const LRESULT result = AfxWndAccess::WindowProc(hWnd->Object(), message, wParam, lParam);
    g_currentMessage = saved;
    return result;
}
}  // namespace afx

namespace
{
// Walks the object's map and its base maps; the first matching entry wins.
const AFX_MSGMAP_ENTRY* FindEntry(const CCmdTarget* target, UINT message, UINT code, UINT id)
{
    for (const AFX_MSGMAP* map = AfxMessageMapAccess::MapOf(target); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig_end; ++entry)
        {
            if (entry->nMessage != message)
                continue;
            if (message == WM_COMMAND || message == WM_NOTIFY)
            {
                if (entry->nCode == code && id >= entry->nID && id <= entry->nLastID)
                    return entry;
            }
            else
            {
                return entry;
            }
        }
    }
    return nullptr;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
template <typename Handler>
Handler HandlerOf(const AFX_MSGMAP_ENTRY* entry)
{
    return reinterpret_cast<Handler>(entry->pfn);
}
#pragma GCC diagnostic pop
}  // namespace

// ---------------------------------------------------------------------------
// CCmdTarget
// ---------------------------------------------------------------------------
const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode)
{
    const AFX_MSGMAP_ENTRY* entry = FindEntry(this, WM_COMMAND, static_cast<UINT>(nCode), nID);
    if (entry == nullptr)
        return FALSE;
    (this->*(entry->pfn))();
    return TRUE;
}

// ---------------------------------------------------------------------------
// HWND__
// ---------------------------------------------------------------------------
HWND__::~HWND__()
{
    if (permanent != nullptr)
        permanent->m_hWnd = nullptr;
    if (temporary)
        temporary->m_hWnd = nullptr;
}

CWnd* HWND__::Object()
{
    if (permanent != nullptr)
        return permanent;
    if (!temporary)
    {
        temporary = std::make_unique<CWnd>();
        temporary->m_hWnd = this;
    }
    return temporary.get();
}

LRESULT HWND__::ClassProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SETTEXT:
        SetText(reinterpret_cast<const char*>(lParam) != nullptr ? reinterpret_cast<const char*>(lParam) : "");
        return TRUE;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(Text().size());
    case WM_GETTEXT:
    {
        if (wParam == 0)
            return 0;
        const std::string text = Text();
        const size_t count = std::min(text.size(), static_cast<size_t>(wParam) - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), text.data(), count);
        reinterpret_cast<char*>(lParam)[count] = '\0';
        return static_cast<LRESULT>(count);
    }
    case WM_SETFONT:
    {
        const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(wParam);
        if (widget)
        {
            // A null font (or one that was never made) gives the system font.
            if (font != nullptr && afx::IsGdiObject(font))
                widget->setFont(afx::WidgetFont(static_cast<HFONT>(font)->font));
            else
                widget->setFont(QFont());
            if (lParam != 0)
                widget->update();
        }
        return 0;
    }
    default:
        return 0;
    }
}

std::string HWND__::Text() const
{
    return std::string();
}

void HWND__::SetText(const std::string&)
{
}

HWND__* HWND__::FindChild(int)
{
    return nullptr;
}

void HWND__::NotifyParent(UINT code)
{
    if (parent != nullptr)
        afx::Send(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(this));
}

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return afx::Send(hWnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// CWnd
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(nullptr)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && m_hWnd->permanent == this)
        m_hWnd->permanent = nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return hWnd != nullptr ? hWnd->Object() : nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || hWnd->permanent != nullptr)
        return FALSE;
    hWnd->permanent = this;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr && hWnd->permanent == this)
        hWnd->permanent = nullptr;
    m_hWnd = nullptr;
    return hWnd;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return afx::Send(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
        return OnNotify(wParam, lParam, pResult);

    const AFX_MSGMAP_ENTRY* entry = FindEntry(this, message, 0, 0);
    if (entry == nullptr)
        return FALSE;
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (entry->nSig)
    {
    case AfxSig_vv:
        (this->*HandlerOf<void (CWnd::*)()>(entry))();
        *pResult = 0;
        break;
    case AfxSig_vwl:
        (this->*HandlerOf<void (CWnd::*)(UINT, LPARAM)>(entry))(static_cast<UINT>(wParam), lParam);
        *pResult = 0;
        break;
    case AfxSig_hv:
        *pResult = reinterpret_cast<LRESULT>((this->*HandlerOf<HCURSOR (CWnd::*)()>(entry))());
        break;
    case AfxSig_is:
        *pResult = (this->*HandlerOf<int (CWnd::*)(LPCREATESTRUCT)>(entry))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_vwp:
        (this->*HandlerOf<void (CWnd::*)(UINT, CPoint)>(entry))(static_cast<UINT>(wParam), point);
        *pResult = 0;
        break;
    case AfxSig_bwsp:
        *pResult = (this->*HandlerOf<BOOL (CWnd::*)(UINT, short, CPoint)>(entry))(
            GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), point);
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const int nCode = HIWORD(wParam);
    // Notifications that a control raises while this window's data exchange
    // runs are dropped.
    if (lParam != 0 && afx::g_lockoutNotifyWindow == m_hWnd)
        return TRUE;
    return OnCmdMsg(nID, nCode);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr)
        return FALSE;
    if (afx::g_lockoutNotifyWindow == m_hWnd)
        return TRUE;
    const AFX_MSGMAP_ENTRY* entry = FindEntry(this, WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom));
    if (entry == nullptr)
        return FALSE;
    *pResult = 0;
    (this->*HandlerOf<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(entry))(const_cast<NMHDR*>(header), pResult);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_hWnd != nullptr ? m_hWnd->ClassProc(message, wParam, lParam) : 0;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(afx::g_currentMessage.message, afx::g_currentMessage.wParam, afx::g_currentMessage.lParam);
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}

void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}

BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszString));
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    if (m_hWnd == nullptr || nMaxCount <= 0)
        return 0;
    return static_cast<int>(
        afx::Send(m_hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpszStringBuf)));
}

void CWnd::GetWindowText(CString& rString) const
{
    rString = m_hWnd != nullptr ? m_hWnd->Text().c_str() : "";
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND__* child = m_hWnd->FindChild(nID);
    return child != nullptr ? child->Object() : nullptr;
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    *lpRect = RECT{0, 0, 0, 0};
    if (m_hWnd == nullptr || !m_hWnd->widget)
        return;
    if (const AfxDialogWindow* dialog = afx::AsDialog(m_hWnd))
    {
        const QSize size = dialog->ClientSize();
        *lpRect = RECT{0, 0, size.width(), size.height()};
        return;
    }
    const QSize size = afx::ToDevice(m_hWnd->widget->size());
    *lpRect = RECT{0, 0, size.width(), size.height()};
}

BOOL CWnd::IsIconic() const
{
    return m_hWnd != nullptr && m_hWnd->widget && m_hWnd->widget->isMinimized();
}

BOOL CWnd::IsWindowVisible() const
{
    return m_hWnd != nullptr && m_hWnd->widget && m_hWnd->widget->isVisible();
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    if (m_hWnd == nullptr || !m_hWnd->widget)
        return;
    if (AfxDialogWindow* dialog = afx::AsDialog(m_hWnd))
    {
        const QSize size = dialog->ClientSize();
        const QRect rect = lpRect != nullptr
                               ? QRect(QPoint(lpRect->left, lpRect->top), QPoint(lpRect->right - 1, lpRect->bottom - 1))
                               : QRect(QPoint(0, 0), size);
        dialog->Invalidate(rect, bErase != FALSE);
        return;
    }
    m_hWnd->widget->update();
}

void CWnd::Invalidate(BOOL bErase)
{
    InvalidateRect(nullptr, bErase);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    const char* caption = lpszCaption != nullptr ? lpszCaption : AfxGetAppName();
    return afx::ShowMessageBox(m_hWnd, lpszText != nullptr ? lpszText : "", caption, nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    const HWND saved = afx::g_lockoutNotifyWindow;
    afx::g_lockoutNotifyWindow = m_hWnd;
    DoDataExchange(&dx);
    afx::g_lockoutNotifyWindow = saved;
    return TRUE;
}

CMenu* CWnd::GetSystemMenu(BOOL) const
{
    const AfxDialogWindow* dialog = afx::AsDialog(m_hWnd);
    return dialog != nullptr ? dialog->systemMenu.get() : nullptr;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return reinterpret_cast<HICON>(afx::Send(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont != nullptr ? pFont->m_hObject : nullptr), bRedraw);
}

void CWnd::WinHelp(DWORD_PTR, UINT)
{
}

// ---------------------------------------------------------------------------
// Cursor
// ---------------------------------------------------------------------------
HCURSOR SetCursor(HCURSOR hCursor)
{
    const HCURSOR previous = afx::g_cursor;
    afx::g_cursor = hCursor;
    QWidget* widget = afx::g_cursorWidget;
    if (widget != nullptr)
    {
        if (hCursor == nullptr)
            widget->setCursor(Qt::BlankCursor);
        else if (hCursor->isCursor)
            widget->setCursor(hCursor->shape);
        else
            widget->setCursor(QCursor(hCursor->pixmap));
    }
    return previous;
}

// ---------------------------------------------------------------------------
// Data exchange
// ---------------------------------------------------------------------------
CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate),
      m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    CWnd* control = m_pDlgWnd->GetDlgItem(nIDC);
    return control != nullptr ? control->m_hWnd : nullptr;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    const HWND control = pDX->PrepareCtrl(nIDC);
    if (control == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        value = control->Text().c_str();
        return;
    }
    // Rewriting an unchanged text would still notify, select and redraw.
    const std::string current = control->Text();
    if (value.GetLength() > 256 || current != value.GetString())
        afx::Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.GetString()));
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    rControl.SubclassWindow(pDX->PrepareCtrl(nIDC));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    const HWND control = pDX->PrepareCtrl(nIDC);
    if (control == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(afx::Send(control, CB_GETCURSEL));
    else
        afx::Send(control, CB_SETCURSEL, static_cast<WPARAM>(index));
}

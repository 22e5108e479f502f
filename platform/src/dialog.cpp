// Dialog windows made from templates: creation, the modal loop, the dialog
// manager's keyboard (Enter, Esc, F1, Alt+Space), mouse messages, painting
// through WM_PAINT into an image, and the system menu.
#include "afx_internal.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace afx
{
std::vector<CDialog*> g_modalStack;
std::function<void(QMenu&)> g_onSystemMenuShown;

AfxDialogWindow* AsDialog(HWND hWnd)
{
    return dynamic_cast<AfxDialogWindow*>(hWnd);
}
}  // namespace afx

namespace
{
QEvent::Type PaintRequestEvent()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

UINT MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}
}  // namespace

struct AfxDialogWidget : QDialog
{
    AfxDialogWindow* window;

    AfxDialogWidget(AfxDialogWindow* owner, QWidget* parent, Qt::WindowFlags flags)
        : QDialog(parent, flags),
          window(owner)
    {
        setMouseTracking(true);
        setSizeGripEnabled(false);
    }

    // The dialog manager's keys, seen before the focused control sees them:
    // F1 alone asks for help, Alt+Space opens the system menu.
    bool HandleDialogKey(const QKeyEvent* event)
    {
        const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        if (event->key() == Qt::Key_F1 && modifiers == Qt::NoModifier)
        {
            RequestHelp();
            return true;
        }
        if (event->key() == Qt::Key_Space && modifiers == Qt::AltModifier)
        {
            window->ShowSystemMenu(mapToGlobal(QPoint(0, 0)));
            return true;
        }
        return false;
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        return event->type() == QEvent::KeyPress && HandleDialogKey(static_cast<QKeyEvent*>(event));
    }

    // F1 becomes the help command of the main window.
    void RequestHelp()
    {
        CWnd* main = AfxGetMainWnd();
        const HWND target = main != nullptr && main->m_hWnd != nullptr ? main->m_hWnd : window;
        afx::Send(target, WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0);
    }

    bool event(QEvent* event) override
    {
        if (event->type() == PaintRequestEvent())
        {
            window->paintPosted = false;
            window->DeliverPaint();
            return true;
        }
        return QDialog::event(event);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QColor background = palette().color(QPalette::Window);
        painter.fillRect(rect(), background);
        if (!window->front.isNull())
            painter.drawImage(QPoint(0, 0), window->front);
    }

    void Mouse(UINT message, QMouseEvent* event)
    {
        afx::SetCursorWidget(this);
        // What WM_SETCURSOR does before every mouse message: the window's own
        // arrow comes back until a handler sets another cursor.
        SetCursor(afx::ArrowCursor());
        const QPoint point = afx::ToDevice(event->position());
        afx::Send(window, message, MouseFlags(event->buttons(), event->modifiers()), MAKELPARAM(point.x(), point.y()));
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            Mouse(WM_LBUTTONDOWN, event);
        else
            QDialog::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            Mouse(WM_LBUTTONUP, event);
        else
            QDialog::mouseReleaseEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            Mouse(WM_LBUTTONDBLCLK, event);
        else
            QDialog::mouseDoubleClickEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override { Mouse(WM_MOUSEMOVE, event); }

    void wheelEvent(QWheelEvent* event) override
    {
        const int delta = event->angleDelta().y();
        if (delta == 0)
        {
            event->ignore();
            return;
        }
        const QPoint point = afx::ToDevice(event->position());
        const UINT flags = MouseFlags(event->buttons(), event->modifiers());
        afx::Send(window, WM_MOUSEWHEEL, MAKEWPARAM(flags, static_cast<WORD>(static_cast<short>(delta))),
                  MAKELPARAM(point.x(), point.y()));
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (HandleDialogKey(event))
            return;
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            !(event->modifiers() & Qt::AltModifier))
        {
            PressEnter();
            return;
        }
        QDialog::keyPressEvent(event);  // Esc: reject()
    }

    // Enter presses the focused push button, else the default button; with
    // neither it sends IDOK as the dialog manager does.
    void PressEnter()
    {
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget()); focused != nullptr && focused->isEnabled())
        {
            focused->click();
            return;
        }
        HWND__* button = window->DefaultButton();
        if (button == nullptr)
        {
            afx::Send(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return;
        }
        auto* push = qobject_cast<QPushButton*>(button->widget.data());
        if (push != nullptr && push->isEnabled())
            push->click();
    }

    // Esc.
    void reject() override
    {
        afx::Send(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                  reinterpret_cast<LPARAM>(window->FindChild(IDCANCEL)));
    }

    // The close box and Alt+F4.
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        afx::Send(window, WM_CLOSE);
    }

    void contextMenuEvent(QContextMenuEvent* event) override
    {
        if (childAt(event->pos()) == nullptr)
            window->ShowSystemMenu(event->globalPos());
    }

    void showEvent(QShowEvent* event) override
    {
        QDialog::showEvent(event);
        window->Invalidate(QRect(QPoint(0, 0), window->ClientSize()), true);
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QDialog::resizeEvent(event);
        window->Invalidate(QRect(QPoint(0, 0), window->ClientSize()), true);
    }
    void changeEvent(QEvent* event) override
    {
        QDialog::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange)
            window->Invalidate(QRect(QPoint(0, 0), window->ClientSize()), true);
    }
};

// ---------------------------------------------------------------------------
// AfxDialogWindow
// ---------------------------------------------------------------------------
std::vector<AfxDialogWindow*> AfxDialogWindow::g_paintingWindows;

AfxDialogWindow::AfxDialogWindow() = default;
AfxDialogWindow::~AfxDialogWindow()
{
    g_paintingWindows.erase(std::remove(g_paintingWindows.begin(), g_paintingWindows.end(), this),
                            g_paintingWindows.end());
}

QSize AfxDialogWindow::ClientSize() const
{
    return widget ? afx::ToDevice(widget->size()) : QSize();
}

std::string AfxDialogWindow::Text() const
{
    return title;
}

void AfxDialogWindow::SetText(const std::string& text)
{
    title = text;
    if (widget)
        widget->setWindowTitle(afx::ToQt(text.c_str()));
}

HWND__* AfxDialogWindow::FindChild(int childId)
{
    for (const auto& child : children)
        if (child->id == childId)
            return child.get();
    return nullptr;
}

HWND__* AfxDialogWindow::DefaultButton()
{
    for (const auto& child : children)
    {
        auto* push = qobject_cast<QPushButton*>(child->widget.data());
        if (push != nullptr && push->isDefault())
            return child.get();
    }
    return nullptr;
}

void AfxDialogWindow::Invalidate(const QRect& rect, bool bErase)
{
    invalid |= rect.intersected(QRect(QPoint(0, 0), ClientSize()));
    erase = erase || bErase;
    paintPending = true;
    PostPaint();
}

void AfxDialogWindow::PostPaint()
{
    if (paintPosted || !widget)
        return;
    paintPosted = true;
    // Like WM_PAINT, the paint comes after the other pending events.
    QCoreApplication::postEvent(widget, new QEvent(PaintRequestEvent()), Qt::LowEventPriority);
}

void AfxDialogWindow::DeliverPaint()
{
    // A paint of this window that is running now (a box open inside its
    // WM_PAINT) ends first; EndPaint asks again.
    if (!paintPending || paintDepth > 0)
        return;
    paintPending = false;
    afx::Send(this, WM_PAINT);
}

void AfxDialogWindow::FillBackground(QImage& image, const QRect& rect) const
{
    QPainter painter(&image);
    painter.fillRect(rect, widget ? widget->palette().color(QPalette::Window) : QColor(Qt::lightGray));
}

QImage* AfxDialogWindow::BeginPaint(bool validate)
{
    const QSize size = ClientSize().expandedTo(QSize(1, 1));
    if (backing.size() != size)
    {
        QImage resized(size, QImage::Format_RGB32);
        FillBackground(resized, resized.rect());
        QPainter painter(&resized);
        if (!backing.isNull())
            painter.drawImage(QPoint(0, 0), backing);
        painter.end();
        backing = resized;
    }
    if (validate)
    {
        if (erase)
            FillBackground(backing, invalid.isNull() ? backing.rect() : invalid);
        invalid = QRect();
        erase = false;
        paintPending = false;
    }
    if (paintDepth++ == 0)
        g_paintingWindows.push_back(this);
    return &backing;
}

void AfxDialogWindow::EndPaint()
{
    if (--paintDepth == 0)
        g_paintingWindows.erase(std::find(g_paintingWindows.begin(), g_paintingWindows.end(), this));
    ShowBacking();
    if (paintPending && paintDepth == 0)
        PostPaint();
}

void AfxDialogWindow::ShowBacking()
{
    // A copy of an image being painted is a deep one: the paint goes on
    // into the backing image alone.
    front = backing;
    // One image pixel to one device pixel: Qt shows it unscaled.
    front.setDevicePixelRatio(afx::PixelRatio());
    if (widget)
        widget->update();
}

namespace afx
{
void ShowPaintsSoFar()
{
    for (AfxDialogWindow* window : AfxDialogWindow::g_paintingWindows)
        window->ShowBacking();
}
}  // namespace afx

LRESULT AfxDialogWindow::ClassProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE:
        return 0;
    case WM_INITDIALOG:
    {
        auto* dialog = dynamic_cast<CDialog*>(permanent);
        return dialog != nullptr ? dialog->OnInitDialog() : TRUE;
    }
    case WM_CLOSE:
    {
        // The dialog manager turns a close request into IDCANCEL.
        HWND__* cancel = FindChild(IDCANCEL);
        if (cancel != nullptr && cancel->widget && !cancel->widget->isEnabled())
            return 0;
        afx::Send(this, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0)
        {
        case SC_CLOSE:
            afx::Send(this, WM_CLOSE);
            break;
        case SC_MINIMIZE:
            if (widget)
                widget->showMinimized();
            break;
        case SC_RESTORE:
            if (widget)
                widget->showNormal();
            break;
        case SC_MOVE:
            if (widget && widget->windowHandle() != nullptr)
                widget->windowHandle()->startSystemMove();
            break;
        default:
            break;
        }
        return 0;
    case WM_SETICON:
    {
        HICON& slot = wParam == ICON_BIG ? bigIcon : smallIcon;
        const HICON previous = slot;
        slot = reinterpret_cast<HICON>(lParam);
        QIcon icon;
        for (HICON each : {bigIcon, smallIcon})
            if (each != nullptr && !each->pixmap.isNull())
                icon.addPixmap(each->pixmap);
        if (widget)
            widget->setWindowIcon(icon);
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? bigIcon : smallIcon);
    case WM_ICONERASEBKGND:
    {
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (dc != nullptr && dc->painter)
            dc->painter->fillRect(QRect(QPoint(0, 0), dc->target->size()),
                                  widget ? widget->palette().color(QPalette::Window) : QColor(Qt::lightGray));
        return 1;
    }
    case WM_PAINT:
    {
        CPaintDC validate(Object());
        return 0;
    }
    case WM_SETFONT:
        // The dialog's own font; its controls keep theirs.
        if (widget && wParam != 0 && afx::IsGdiObject(reinterpret_cast<HGDIOBJ>(wParam)))
            widget->setFont(afx::WidgetFont(reinterpret_cast<HFONT>(wParam)->font));
        return 0;
    case WM_QUERYDRAGICON:
    case WM_MOUSEWHEEL:
    case WM_COMMAND:
    case WM_NOTIFY:
        return 0;
    default:
        return HWND__::ClassProc(message, wParam, lParam);
    }
}

void AfxDialogWindow::ShowSystemMenu(QPoint globalPos)
{
    if (!systemMenu || !widget)
        return;
    const bool iconic = widget->isMinimized();
    QMenu menu(widget);
    for (const HMENU__::Item& item : systemMenu->m_hMenu->items)
    {
        if ((item.flags & MF_SEPARATOR) != 0)
        {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(afx::ToQt(item.text.c_str()));
        action->setData(item.id);
        bool enabled = (item.flags & (MF_GRAYED | MF_DISABLED)) == 0;
        if (item.id == SC_RESTORE)
            enabled = enabled && iconic;
        if (item.id == SC_MINIMIZE || item.id == SC_MOVE)
            enabled = enabled && !iconic;
        action->setEnabled(enabled);
    }
    if (afx::g_onSystemMenuShown)
        QTimer::singleShot(0, &menu, [&menu] { afx::g_onSystemMenuShown(menu); });
    const QAction* chosen = menu.exec(globalPos);
    if (chosen != nullptr)
        afx::Send(this, WM_SYSCOMMAND, chosen->data().toUInt(), MAKELPARAM(globalPos.x(), globalPos.y()));
}

// ---------------------------------------------------------------------------
// Creation and destruction
// ---------------------------------------------------------------------------
namespace
{
// The standard commands of a dialog's system menu, as Windows gives them for
// its styles.
void AddStandardSystemCommands(CMenu& menu, DWORD style)
{
    const bool boxes = (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
    if (boxes)
        menu.AppendMenu(MF_STRING, SC_RESTORE, "&Restore");
    menu.AppendMenu(MF_STRING, SC_MOVE, "&Move");
    if (boxes)
    {
        menu.AppendMenu(MF_STRING | ((style & WS_THICKFRAME) != 0 ? 0 : MF_GRAYED), SC_SIZE, "&Size");
        menu.AppendMenu(MF_STRING | ((style & WS_MINIMIZEBOX) != 0 ? 0 : MF_GRAYED), SC_MINIMIZE, "Mi&nimize");
        menu.AppendMenu(MF_STRING | ((style & WS_MAXIMIZEBOX) != 0 ? 0 : MF_GRAYED), SC_MAXIMIZE, "Ma&ximize");
    }
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
}

void ComputeBaseUnits(AfxDialogWindow* window)
{
    const QFontMetrics metrics(window->font);
    const int width = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    window->baseX = (width / 26 + 1) / 2;
    window->baseY = metrics.height();
}

CWnd* OwnerOf(CDialog* dialog, CWnd* pParent)
{
    if (pParent != nullptr && pParent->m_hWnd != nullptr)
        return pParent;
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr && main != dialog && main->m_hWnd != nullptr)
        return main;
    return nullptr;
}
}  // namespace

namespace afx
{
bool CreateDialogWindow(CDialog* dialog, UINT nIDTemplate, CWnd* pParent, bool modal)
{
    const DialogTemplate* dialogTemplate = AfxFindDialogTemplate(nIDTemplate);
    if (dialogTemplate == nullptr || dialog->m_hWnd != nullptr)
        return false;

    CWnd* owner = OwnerOf(dialog, pParent);
    QWidget* ownerWidget = owner != nullptr && owner->m_hWnd->widget ? owner->m_hWnd->widget->window() : nullptr;

    auto* window = new AfxDialogWindow();
    window->dialogTemplate = dialogTemplate;
    window->style = dialogTemplate->style;
    window->exStyle = dialogTemplate->exStyle;
    window->permanent = dialog;
    dialog->m_hWnd = window;

    const DWORD style = dialogTemplate->style;
    Qt::WindowFlags flags =
        ((dialogTemplate->exStyle & WS_EX_APPWINDOW) != 0 || ownerWidget == nullptr ? Qt::Window : Qt::Dialog) |
        Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if ((style & WS_SYSMENU) != 0)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if ((style & WS_MINIMIZEBOX) != 0)
        flags |= Qt::WindowMinimizeButtonHint;
    if ((style & WS_MAXIMIZEBOX) != 0)
        flags |= Qt::WindowMaximizeButtonHint;
    auto* widget = new AfxDialogWidget(window, ownerWidget, flags);
    Attach(window, widget);
    if (modal)
        widget->setWindowModality(Qt::ApplicationModal);

    window->font = (style & DS_SETFONT) != 0 ? DialogFont(dialogTemplate->fontFace, dialogTemplate->pointSize,
                                                          dialogTemplate->weight, dialogTemplate->italic != 0)
                                             : DialogFont("MS Shell Dlg", 8, FW_NORMAL, false);
    widget->setFont(WidgetFont(window->font));
    ComputeBaseUnits(window);
    widget->setFixedSize(ToLogical(window->ToPixelsX(dialogTemplate->cx)),
                         ToLogical(window->ToPixelsY(dialogTemplate->cy)));
    window->SetText(dialogTemplate->caption != nullptr ? dialogTemplate->caption : "");
    if ((style & WS_SYSMENU) != 0)
    {
        window->systemMenu = std::make_unique<CMenu>();
        AddStandardSystemCommands(*window->systemMenu, style);
    }

    CREATESTRUCT create{};
    create.hwndParent = owner != nullptr ? owner->m_hWnd : nullptr;
    create.cx = window->ClientSize().width();
    create.cy = window->ClientSize().height();
    create.style = static_cast<LONG>(style);
    create.dwExStyle = dialogTemplate->exStyle;
    create.lpszName = dialogTemplate->caption;
    if (Send(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1)
    {
        DestroyDialogWindow(dialog);
        return false;
    }

    CreateControls(window);
    const LRESULT setFocus = Send(window, WM_INITDIALOG);
    if (dialog->m_hWnd != window || window->ended)
        return true;  // ended during initialisation: never shown

    if (setFocus != FALSE)
    {
        for (const auto& child : window->children)
        {
            if ((child->style & WS_TABSTOP) != 0 && child->widget && child->widget->isEnabled())
            {
                child->widget->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }

    const QScreen* screen = ownerWidget != nullptr ? ownerWidget->screen() : QGuiApplication::primaryScreen();
    const QRect area = ownerWidget != nullptr ? ownerWidget->frameGeometry()
                                              : (screen != nullptr ? screen->availableGeometry() : QRect());
    widget->move(area.center() - QPoint(widget->width() / 2, widget->height() / 2));
    widget->show();
    widget->activateWindow();
    return true;
}

void DestroyDialogWindow(CDialog* dialog)
{
    AfxDialogWindow* window = AsDialog(dialog->m_hWnd);
    if (window == nullptr)
        return;
    Send(window, WM_DESTROY);
    // The objects lose their windows before the widgets go, so nothing that
    // the widgets signal while they are destroyed reaches a handler.
    for (const auto& child : window->children)
    {
        if (child->permanent != nullptr)
            child->permanent->m_hWnd = nullptr;
        child->permanent = nullptr;
    }
    dialog->m_hWnd = nullptr;
    window->permanent = nullptr;
    delete window->widget.data();
    delete window;
}

void RunModalLoop(CDialog* dialog, AfxDialogWindow* window)
{
    QEventLoop loop;
    window->loop = &loop;
    g_modalStack.push_back(dialog);
    if (g_onModalLoopEntered)
        g_onModalLoopEntered(*dialog);
    if (!window->ended)
        loop.exec();
    g_modalStack.pop_back();
    window->loop = nullptr;
}
}  // namespace afx

// ---------------------------------------------------------------------------
// CDialog
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() : m_nIDTemplate(0), m_pParentWnd(nullptr)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    afx::DestroyDialogWindow(this);
}

INT_PTR CDialog::DoModal()
{
    if (!afx::CreateDialogWindow(this, m_nIDTemplate, m_pParentWnd, true))
        return -1;
    AfxDialogWindow* window = afx::AsDialog(m_hWnd);
    if (window == nullptr)
        return -1;
    afx::RunModalLoop(this, window);
    const int result = window->result;
    afx::DestroyDialogWindow(this);
    return result;
}

void CDialog::EndDialog(int nResult)
{
    AfxDialogWindow* window = afx::AsDialog(m_hWnd);
    if (window == nullptr)
        return;
    window->ended = true;
    window->result = nResult;
    if (window->widget)
        window->widget->hide();
    if (window->loop != nullptr)
        window->loop->exit(0);
}

BOOL CDialog::OnInitDialog()
{
    if (AfxDialogWindow* window = afx::AsDialog(m_hWnd))
        for (const DialogInitEntry& entry : window->dialogTemplate->initData)
            afx::Send(window->FindChild(entry.controlId), entry.message, 0, reinterpret_cast<LPARAM>(entry.text));
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    // Commands (not control notifications) that no map of the dialog
    // handles go on to the application, as they do from a main window.
    if (nCode != CN_COMMAND)
        return FALSE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode);
}

// ---------------------------------------------------------------------------
// CMenu
// ---------------------------------------------------------------------------
CMenu::CMenu() : m_hMenu(new HMENU__)
{
}

CMenu::~CMenu()
{
    delete m_hMenu;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    m_hMenu->items.push_back(
        HMENU__::Item{nFlags, static_cast<UINT>(nIDNewItem), lpszNewItem != nullptr ? lpszNewItem : ""});
    return TRUE;
}

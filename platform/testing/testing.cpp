// The test seams of testing.h, on the hooks of the layer's afx_internal.h.
#include "testing.h"

#include "afx_internal.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QtMath>

#include <sstream>

namespace afxtest
{
namespace
{
// The innermost recorders alive; a recorder's hook is installed while one
// lives.
DrawingRecorder* g_drawingRecorder = nullptr;
MessageBoxRecorder* g_messageBoxRecorder = nullptr;
ShellRecorder* g_shellRecorder = nullptr;

// Actions for the next modal loops to be entered, first first.
std::vector<std::function<void(CDialog&)>> g_modalActions;

QWidget* WidgetOf(CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->m_hWnd != nullptr ? pWnd->m_hWnd->widget.data() : nullptr;
}

AfxDialogWindow* DialogOf(CWnd* pWnd)
{
    return pWnd != nullptr ? afx::AsDialog(pWnd->m_hWnd) : nullptr;
}

Image ToImage(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    Image result;
    result.width = image.width();
    result.height = image.height();
    result.pixels.reserve(static_cast<size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            result.pixels.push_back(afx::FromQColor(QColor(image.pixel(x, y))));
    return result;
}

Qt::KeyboardModifiers Modifiers(UINT nModifiers)
{
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (nModifiers & KEY_SHIFT)
        modifiers |= Qt::ShiftModifier;
    if (nModifiers & KEY_CONTROL)
        modifiers |= Qt::ControlModifier;
    if (nModifiers & KEY_ALT)
        modifiers |= Qt::AltModifier;
    return modifiers;
}

Qt::Key QtKey(UINT nVirtualKey)
{
    switch (nVirtualKey)
    {
    case VK_TAB:
        return Qt::Key_Tab;
    case VK_RETURN:
        return Qt::Key_Return;
    case VK_ESCAPE:
        return Qt::Key_Escape;
    case VK_SPACE:
        return Qt::Key_Space;
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_UP:
        return Qt::Key_Up;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_DOWN:
        return Qt::Key_Down;
    case VK_F1:
        return Qt::Key_F1;
    case VK_F4:
        return Qt::Key_F4;
    default:
        // Letters and digits: Qt's key codes are their upper-case ASCII codes.
        return static_cast<Qt::Key>(nVirtualKey);
    }
}

// Mouse events go to the deepest widget under the point, as the window
// system delivers them. The point is the program's (device pixels of the
// window's client area); local is where it lies in Qt's units of the target.
QWidget* Target(CWnd* pWnd, CPoint point, QPointF& local)
{
    QWidget* widget = WidgetOf(pWnd);
    if (widget == nullptr)
        return nullptr;
    local = afx::ToLogical(QPoint(point.x, point.y));
    QWidget* child = widget->childAt(QPoint(qFloor(local.x()), qFloor(local.y())));
    if (child == nullptr)
        return widget;
    local = child->mapFrom(widget, local);
    return child;
}

void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPointF local)
{
    QMouseEvent event(type, local, widget->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void SendClick(CWnd* pWnd, CPoint point, Qt::MouseButton button)
{
    QPointF local;
    if (QWidget* widget = Target(pWnd, point, local))
    {
        SendMouse(widget, QEvent::MouseButtonPress, button, button, local);
        SendMouse(widget, QEvent::MouseButtonRelease, button, Qt::NoButton, local);
    }
}
}  // namespace

void ProcessEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition())
    {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// ---------------------------------------------------------------------------
}  // namespace afxtest

struct AfxDialogAccess
{
    static bool Create(CDialog& dialog)
    {
        return afx::CreateDialogWindow(&dialog, dialog.m_nIDTemplate, dialog.m_pParentWnd, false);
    }
};

namespace afxtest
{
ModelessDialog::ModelessDialog(CDialog& dialog) : m_dialog(dialog), m_created(FALSE)
{
    m_created = AfxDialogAccess::Create(dialog);
}

ModelessDialog::~ModelessDialog()
{
    Destroy();
}

bool ModelessDialog::Ended() const
{
    const AfxDialogWindow* window = afx::AsDialog(m_dialog.m_hWnd);
    return window != nullptr && window->ended;
}

int ModelessDialog::Result() const
{
    const AfxDialogWindow* window = afx::AsDialog(m_dialog.m_hWnd);
    return window != nullptr ? window->result : 0;
}

void ModelessDialog::Destroy()
{
    afx::DestroyDialogWindow(&m_dialog);
}

namespace
{
// Once the loop waits, the first queued action runs in it; a dialog that the
// action leaves open is closed with the close box, so a test never hangs.
void RunNextModalAction(CDialog& dialog)
{
    if (g_modalActions.empty())
        return;
    std::function<void(CDialog&)> action = std::move(g_modalActions.front());
    g_modalActions.erase(g_modalActions.begin());
    AfxDialogWindow* window = afx::AsDialog(dialog.m_hWnd);
    QTimer::singleShot(0, window->widget, [&dialog, window, action] {
        action(dialog);
        if (!window->ended)
            afx::Send(window, WM_CLOSE);
        if (!window->ended)
            dialog.EndDialog(IDCANCEL);
    });
}
}  // namespace

void WhenModalOpens(std::function<void(CDialog&)> action)
{
    afx::g_onModalLoopEntered = RunNextModalAction;
    g_modalActions.push_back(std::move(action));
}

INT_PTR DoModalWith(CDialog& dialog, std::function<void(CDialog&)> action)
{
    afx::g_onModalLoopEntered = RunNextModalAction;
    g_modalActions.insert(g_modalActions.begin(), std::move(action));
    return dialog.DoModal();
}

std::vector<CDialog*> OpenModalDialogs()
{
    return afx::g_modalStack;
}

// ---------------------------------------------------------------------------
void KeyPress(CWnd* pWnd, UINT nVirtualKey, UINT nModifiers)
{
    if (QWidget* widget = WidgetOf(pWnd))
    {
        // Keys go to the window's focus widget, as the keyboard sends them,
        // or to an open pop-up (a dropped list), which holds the keyboard.
        QWidget* focus = widget->isWindow() && widget->focusWidget() != nullptr ? widget->focusWidget() : widget;
        if (QWidget* popup = QApplication::activePopupWidget())
            focus = popup->focusWidget() != nullptr ? popup->focusWidget() : popup;
        QTest::keyClick(focus, QtKey(nVirtualKey), Modifiers(nModifiers));
    }
}

void TypeText(CWnd* pEdit, const char* text)
{
    if (QWidget* widget = WidgetOf(pEdit))
    {
        widget->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(widget, afx::ToQt(text));
    }
}

void ClickButton(CWnd* pButton)
{
    if (QWidget* widget = WidgetOf(pButton))
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void MouseDown(CWnd* pWnd, CPoint point)
{
    QPointF local;
    if (QWidget* widget = Target(pWnd, point, local))
        SendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, local);
}

void MouseUp(CWnd* pWnd, CPoint point)
{
    QPointF local;
    if (QWidget* widget = Target(pWnd, point, local))
        SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, local);
}

void MouseClick(CWnd* pWnd, CPoint point)
{
    SendClick(pWnd, point, Qt::LeftButton);
}

void MouseDoubleClick(CWnd* pWnd, CPoint point)
{
    QPointF local;
    QWidget* widget = Target(pWnd, point, local);
    if (widget == nullptr)
        return;
    // What the window system sends for a double click: press, release,
    // double click, release.
    SendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, local);
    SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, local);
    SendMouse(widget, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, local);
    SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, local);
}

void MouseMove(CWnd* pWnd, CPoint point)
{
    QPointF local;
    if (QWidget* widget = Target(pWnd, point, local))
        SendMouse(widget, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, local);
}

void MouseWheel(CWnd* pWnd, CPoint point, int zDelta)
{
    QPointF local;
    if (QWidget* widget = Target(pWnd, point, local))
    {
        QWheelEvent wheel(local, widget->mapToGlobal(local), QPoint(), QPoint(0, zDelta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
    }
}

void RightClick(CWnd* pWnd, CPoint point)
{
    SendClick(pWnd, point, Qt::RightButton);
    QPointF local;
    if (QWidget* widget = Target(pWnd, point, local))
    {
        const QPoint at = local.toPoint();
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &menu);
    }
}

void SelectComboItem(CWnd* pComboBox, int nIndex)
{
    if (auto* combo = qobject_cast<QComboBox*>(WidgetOf(pComboBox)))
        combo->setCurrentIndex(nIndex);
}

bool DropDownList(CWnd* pComboBox)
{
    auto* combo = qobject_cast<QComboBox*>(WidgetOf(pComboBox));
    if (combo == nullptr)
        return false;
    QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, combo->rect().center());
    return WaitFor([combo] { return combo->view()->isVisible(); });
}

int DroppedListHeight(CWnd* pComboBox)
{
    const auto* combo = qobject_cast<QComboBox*>(WidgetOf(pComboBox));
    if (combo == nullptr || !combo->view()->isVisible())
        return 0;
    return afx::ToDevice(combo->view()->window()->height());
}

void CloseWindow(CWnd* pWnd)
{
    if (QWidget* widget = WidgetOf(pWnd))
        widget->close();
}

// ---------------------------------------------------------------------------
bool Image::Save(const char* pngPath) const
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, afx::ToQColor(At(x, y)));
    return image.save(afx::ToQt(pngPath), "PNG");
}

void PaintNow(CWnd* pWnd)
{
    if (AfxDialogWindow* window = DialogOf(pWnd))
        window->DeliverPaint();
}

Image GrabClientArea(CWnd* pWnd)
{
    PaintNow(pWnd);
    QWidget* widget = WidgetOf(pWnd);
    return widget != nullptr ? ToImage(widget->grab().toImage()) : Image();
}

Image GrabPaint(CWnd* pWnd)
{
    PaintNow(pWnd);
    AfxDialogWindow* window = DialogOf(pWnd);
    return window != nullptr ? ToImage(window->front) : Image();
}

std::string DrawCall::ToString() const
{
    std::ostringstream text;
    text << op << '(';
    for (size_t i = 0; i < args.size(); ++i)
        text << (i != 0 ? "," : "") << args[i];
    if (!this->text.empty())
        text << (args.empty() ? "" : ",") << '"' << this->text << '"';
    text << ')';
    return text.str();
}

DrawingRecorder::DrawingRecorder() : m_previous(g_drawingRecorder)
{
    g_drawingRecorder = this;
    afx::g_onDrawingCall = [](const afx::DrawingCall& call) {
        g_drawingRecorder->Append(DrawCall{call.op, call.args, call.text});
    };
}

DrawingRecorder::~DrawingRecorder()
{
    g_drawingRecorder = m_previous;
    if (g_drawingRecorder == nullptr)
        afx::g_onDrawingCall = nullptr;
}

std::vector<DrawCall> DrawingRecorder::CallsOf(const std::string& op) const
{
    std::vector<DrawCall> calls;
    for (const DrawCall& call : m_calls)
        if (call.op == op)
            calls.push_back(call);
    return calls;
}

RecordingDC::RecordingDC(int cx, int cy)
{
    Attach(new HDC__(cx, cy));
}

RecordingDC::~RecordingDC() = default;

Image RecordingDC::Grab() const
{
    return ToImage(*m_hDC->target);
}

// ---------------------------------------------------------------------------
namespace
{
// The layer's presenter while a recorder lives: the innermost one answers.
class RecordingPresenter : public afx::MessageBoxPresenter
{
public:
    int Present(const afx::MessageBoxRequest& box) override
    {
        return g_messageBoxRecorder->Present(MessageBoxRecord{box.text, box.caption, box.type, box.owner});
    }
};

RecordingPresenter g_recordingPresenter;
}  // namespace

MessageBoxRecorder::MessageBoxRecorder() : m_previous(g_messageBoxRecorder)
{
    g_messageBoxRecorder = this;
    afx::g_messageBoxPresenter = &g_recordingPresenter;
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    g_messageBoxRecorder = m_previous;
    if (g_messageBoxRecorder == nullptr)
        afx::g_messageBoxPresenter = nullptr;
}

int MessageBoxRecorder::Present(const MessageBoxRecord& box)
{
    m_boxes.push_back(box);
    if (m_onShow)
        return m_onShow(box);
    switch (box.type & MB_TYPEMASK)
    {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    default:
        return IDOK;
    }
}

std::vector<std::string> MessageBoxRecorder::Texts() const
{
    std::vector<std::string> texts;
    for (const MessageBoxRecord& box : m_boxes)
        texts.push_back(box.text);
    return texts;
}

// ---------------------------------------------------------------------------
ExitTrap::ExitTrap()
{
    afx::g_exitHook = [](int code) { throw ProcessExit{code}; };
}

ExitTrap::~ExitTrap()
{
    afx::g_exitHook = nullptr;
}

ShellRecorder::ShellRecorder() : m_previous(g_shellRecorder)
{
    g_shellRecorder = this;
    afx::g_onShellExecute = [](HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                               INT nShowCmd) {
        g_shellRecorder->Append(ShellCall{hwnd, lpOperation != nullptr ? lpOperation : "",
                                          lpFile != nullptr ? lpFile : "", lpParameters != nullptr ? lpParameters : "",
                                          lpDirectory != nullptr ? lpDirectory : "", nShowCmd});
    };
}

ShellRecorder::~ShellRecorder()
{
    g_shellRecorder = m_previous;
    if (g_shellRecorder == nullptr)
        afx::g_onShellExecute = nullptr;
}

// ---------------------------------------------------------------------------
void SetClientSize(CWnd* pWnd, int cx, int cy)
{
    if (QWidget* widget = WidgetOf(pWnd))
    {
        widget->setFixedSize(afx::ToLogical(cx), afx::ToLogical(cy));
        pWnd->Invalidate(TRUE);
    }
}

void SetIconic(CWnd* pWnd, bool iconic)
{
    if (QWidget* widget = WidgetOf(pWnd))
    {
        widget->setWindowState(iconic ? (widget->windowState() | Qt::WindowMinimized)
                                      : (widget->windowState() & ~Qt::WindowMinimized));
    }
}

void SetLogicalDpi(int dpi)
{
    afx::g_logicalDpiOverride = dpi;
}

std::vector<MenuItem> SystemMenuItems(CWnd* pWnd)
{
    std::vector<MenuItem> items;
    if (const CMenu* menu = pWnd != nullptr ? pWnd->GetSystemMenu(FALSE) : nullptr)
        for (const HMENU__::Item& item : menu->m_hMenu->items)
            items.push_back(MenuItem{item.flags, item.id, item.text});
    return items;
}

bool ChooseSystemMenuItem(CWnd* pWnd, UINT nID, SystemMenuAccess access, CPoint rightClickAt)
{
    bool chosen = false;
    afx::g_onSystemMenuShown = [nID, &chosen](QMenu& menu) {
        for (QAction* action : menu.actions())
        {
            if (!action->isSeparator() && action->data().toUInt() == nID && action->isEnabled())
            {
                menu.setActiveAction(action);
                QTest::keyClick(&menu, Qt::Key_Return);
                chosen = true;
                return;
            }
        }
        menu.close();
    };
    if (access == SystemMenuAccess::AltSpace)
        KeyPress(pWnd, VK_SPACE, KEY_ALT);
    else
        RightClick(pWnd, rightClickAt);
    afx::g_onSystemMenuShown = nullptr;
    return chosen;
}

HCURSOR CurrentCursor()
{
    return afx::CurrentCursor();
}

HCURSOR CursorShownAt(CWnd* pWnd, CPoint point)
{
    QPointF local;
    const QWidget* widget = Target(pWnd, point, local);
    if (widget == nullptr)
        return nullptr;
    switch (widget->cursor().shape())
    {
    case Qt::ArrowCursor:
        return afx::StandardCursor(IDC_ARROW);
    case Qt::PointingHandCursor:
        return afx::StandardCursor(IDC_HAND);
    default:
        return nullptr;
    }
}

int FocusedControlId(CWnd* pDialog)
{
    QWidget* widget = WidgetOf(pDialog);
    if (widget == nullptr || widget->focusWidget() == nullptr)
        return 0;
    const HWND__* focused = afx::FromWidget(widget->focusWidget());
    return focused != nullptr && focused != pDialog->m_hWnd ? focused->id : 0;
}

bool IsDefaultButton(CWnd* pButton)
{
    const auto* button = qobject_cast<QPushButton*>(WidgetOf(pButton));
    return button != nullptr && button->isDefault();
}

CRect ControlRect(CWnd* pControl)
{
    const QWidget* widget = WidgetOf(pControl);
    if (widget == nullptr)
        return CRect();
    const QRect geometry = afx::ToDevice(widget->geometry());
    return CRect(geometry.left(), geometry.top(), geometry.left() + geometry.width(),
                 geometry.top() + geometry.height());
}

int FontPixelHeight(CWnd* pWnd)
{
    const QWidget* widget = WidgetOf(pWnd);
    return widget != nullptr ? afx::DevicePixelSize(widget->font()) : 0;
}

std::string FontFamily(CWnd* pWnd)
{
    const QWidget* widget = WidgetOf(pWnd);
    return widget != nullptr ? afx::FromQt(widget->font().family()) : std::string();
}

SIZE DialogBaseUnits(CWnd* pDialog)
{
    const AfxDialogWindow* window = DialogOf(pDialog);
    return window != nullptr ? SIZE{window->baseX, window->baseY} : SIZE{0, 0};
}
void UseHeadlessDefaults()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("TABULOR_MIDI_WAV") && !qEnvironmentVariableIsSet("TABULOR_MIDI_DRIVER"))
        qputenv("TABULOR_MIDI_WAV", "/dev/null");
}

}  // namespace afxtest

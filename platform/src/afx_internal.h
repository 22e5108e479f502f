// What the handles of the framework stand for, inside the layer. The only
// place where Qt meets the framework's types.
#pragma once

#include "afxwin.h"
#include "dialog_template.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QEventLoop;
class QPainter;
class QDialog;
class QMenu;

namespace afx
{
inline QString ToQt(const char* text)
{
    return QString::fromUtf8(text != nullptr ? text : "");
}
inline std::string FromQt(const QString& text)
{
    return text.toUtf8().toStdString();
}
inline QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}
inline COLORREF FromQColor(QColor color)
{
    return RGB(color.red(), color.green(), color.blue());
}

// ---- where a test library steps in (platform_testing); each is empty in
// the real program, which then does the real thing.

// A message box as the program asks for it, its caption after the title
// rule.
struct MessageBoxRequest
{
    std::string text;
    std::string caption;
    UINT type;
    HWND owner;
};
// Shows a message box and gives the button pressed.
class MessageBoxPresenter
{
public:
    virtual ~MessageBoxPresenter() = default;
    virtual int Present(const MessageBoxRequest& box) = 0;
};
// Null: the layer's own, a modal QMessageBox.
extern MessageBoxPresenter* g_messageBoxPresenter;

// One call on a device context, or a message box, in the order they are
// made; Record hands each to g_onDrawingCall.
struct DrawingCall
{
    std::string op;
    std::vector<long> args;
    std::string text;
};
extern std::function<void(const DrawingCall&)> g_onDrawingCall;
void Record(DrawingCall call);

// Takes ShellExecuteA's call in place of the desktop; the call succeeds.
extern std::function<void(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                          INT nShowCmd)>
    g_onShellExecute;
// Runs first in exit; a test's throws, so that the process goes on.
extern std::function<void(int)> g_exitHook;
// Runs when a dialog's modal loop is entered, before it waits for events.
extern std::function<void(CDialog&)> g_onModalLoopEntered;
// Runs once the system menu is open, before the user chooses.
extern std::function<void(QMenu&)> g_onSystemMenuShown;
// Pixels per inch in place of the screen's; 0 for the screen's.
extern int g_logicalDpiOverride;

// ---- the screen
// The program is dpi-aware: everything it sees (client areas, device
// contexts, mouse positions, control rectangles, font heights) is in device
// pixels, while Qt places widgets in logical units of PixelRatio() device
// pixels each.
qreal PixelRatio();
// Device pixels per inch.
int LogicalDpi();
int ToDevice(qreal logical);
QPoint ToDevice(QPointF logical);
QSize ToDevice(QSize logical);
QRect ToDevice(const QRect& logical);
int ToLogical(int device);
QPointF ToLogical(QPoint device);
QRect ToLogical(const QRect& device);
// A font sized in device pixels, as a widget takes it; and back.
QFont WidgetFont(const QFont& deviceFont);
int DevicePixelSize(const QFont& widgetFont);
// The dialog font of a template in device pixels, with "MS Sans Serif" and
// "MS Shell Dlg" replaced by a Linux sans-serif font of similar metrics.
QFont DialogFont(const char* face, int pointSize, int weight, bool italic);

// ---- message boxes
// The one road of every box: reported as a drawing call, then given to the
// presenter.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
// Qt paint events running now; boxes asked for inside one are shown after it.
extern int g_widgetPaintDepth;
// Before a box opens in the middle of a window's paint, what that paint has
// drawn so far goes on screen, as it does on Windows.
void ShowPaintsSoFar();
}  // namespace afx

struct HICON__
{
    QPixmap pixmap;                           // icons
    Qt::CursorShape shape = Qt::ArrowCursor;  // cursors
    bool isCursor = false;
};

struct HMENU__
{
    struct Item
    {
        UINT flags;  // MF_SEPARATOR, MF_GRAYED, ...
        UINT id;
        std::string text;
    };
    std::vector<Item> items;
};

// Fonts and brushes: entries of the layer's object table.
struct AfxGdiObject
{
    virtual ~AfxGdiObject() = default;
};
struct HFONT__ : AfxGdiObject
{
    QFont font;
    LOGFONT logFont;
};
struct HBRUSH__ : AfxGdiObject
{
    QColor color;
};

namespace afx
{
HGDIOBJ AddGdiObject(std::unique_ptr<AfxGdiObject> object);
void DeleteGdiObject(HGDIOBJ handle);
bool IsGdiObject(HGDIOBJ handle);
HCURSOR ArrowCursor();
HCURSOR StandardCursor(LPCTSTR name);
void SetCursorWidget(QWidget* widget);
// The cursor set last by SetCursor or the layer.
HCURSOR CurrentCursor();
}  // namespace afx

// A device context: a painter on an image, with GDI's current position,
// selected brush and font.
struct HDC__
{
    QImage* target = nullptr;
    std::unique_ptr<QImage> ownImage;  // memory and scratch contexts
    std::unique_ptr<QPainter> painter;
    QColor brush = Qt::white;
    CBrush* selectedBrush = nullptr;
    CFont* selectedFont = nullptr;
    QPoint position;

    explicit HDC__(QImage* image);
    HDC__(int cx, int cy);
    ~HDC__();
};

// A window. Dialogs and controls specialise the class procedure, the
// handling of what no message map entry handles.
struct HWND__
{
    virtual ~HWND__();

    QPointer<QWidget> widget;
    HWND__* parent = nullptr;
    CWnd* permanent = nullptr;
    std::unique_ptr<CWnd> temporary;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;

    CWnd* Object();
    virtual LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual std::string Text() const;
    virtual void SetText(const std::string& text);
    virtual HWND__* FindChild(int id);
    // Posts the notification code to the parent as WM_COMMAND.
    void NotifyParent(UINT code);
};

// A top-level window made from a dialog template; it paints through WM_PAINT
// into a client-area image that its widget shows.
struct AfxDialogWindow : HWND__
{
    AfxDialogWindow();
    ~AfxDialogWindow() override;

    const DialogTemplate* dialogTemplate = nullptr;
    std::vector<std::unique_ptr<HWND__>> children;  // template order
    std::string title;
    std::unique_ptr<CMenu> systemMenu;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    QFont font;  // the dialog font, in device pixels
    int baseX = 0;
    int baseY = 0;

    // Modal state.
    bool ended = false;
    int result = 0;
    QEventLoop* loop = nullptr;

    // Painting.
    QImage backing;  // what WM_PAINT draws into
    QImage front;    // the last finished paint, shown by the widget
    QRect invalid;
    bool erase = false;
    bool paintPending = false;
    bool paintPosted = false;
    int paintDepth = 0;

    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::string Text() const override;
    void SetText(const std::string& text) override;
    HWND__* FindChild(int id) override;

    QSize ClientSize() const;
    void Invalidate(const QRect& rect, bool bErase);
    void PostPaint();
    void DeliverPaint();
    // Prepares the image for a CPaintDC (or a CClientDC: validate false).
    QImage* BeginPaint(bool validate);
    void EndPaint();
    // Puts what has been painted so far on screen.
    void ShowBacking();
    // The windows whose paint runs now.
    static std::vector<AfxDialogWindow*> g_paintingWindows;
    void FillBackground(QImage& image, const QRect& rect) const;
    int ToPixelsX(int du) const { return MulDiv(du, baseX, 4); }
    int ToPixelsY(int du) const { return MulDiv(du, baseY, 8); }
    void ShowSystemMenu(QPoint globalPos);
    HWND__* DefaultButton();
};

namespace afx
{
// Sends a message to a window: its object's WindowProc, with the current
// message kept for CWnd::Default.
LRESULT Send(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
HWND__* FromWidget(const QWidget* widget);
void Attach(HWND__* window, QWidget* widget);
AfxDialogWindow* AsDialog(HWND hWnd);
// Creates the control windows of a template inside the dialog window.
void CreateControls(AfxDialogWindow* dialog);
// Creates the window of a dialog object: WM_CREATE, the controls,
// WM_INITDIALOG, focus, centring and show. False when it cannot be created.
bool CreateDialogWindow(CDialog* dialog, UINT nIDTemplate, CWnd* pParent, bool modal);
void DestroyDialogWindow(CDialog* dialog);
void FixApplicationTitle();
void RunModalLoop(CDialog* dialog, AfxDialogWindow* window);
extern std::vector<CDialog*> g_modalStack;
extern HWND g_lockoutNotifyWindow;
HICON IconFromResource(UINT nID);
}  // namespace afx

// Test seams of the platform layer, for test programs only (target
// `platform_testing`, which links the real layer and fills the hooks it
// leaves empty; `platform_gtest_main` gives a GoogleTest main that starts a
// QApplication on the offscreen platform). No Qt type appears here.
//
// What a dialog test does with them:
//
//   * Application: the framework needs one CWinApp object (AfxGetApp, the
//     icon, the command routing). A test program defines its own, e.g.
//     `static CWinApp testApp;` at namespace scope, or the real `theApp`.
//     AfxGetAppName() is the test executable's base name, as it is the
//     program's in the real run.
//   * Creating a dialog without a blocking DoModal: `ModelessDialog run(dlg)`
//     does everything DoModal does up to its modal loop (WM_CREATE, controls,
//     WM_INITDIALOG, focus, centring, show) and returns; run.Ended() and
//     run.Result() tell whether EndDialog was called; the destructor (or
//     Destroy()) destroys the window as DoModal would (WM_DESTROY).
//   * DoModal with actions queued: `WhenModalOpens(action)` queues an action
//     that runs inside the next modal loop to be entered (that of the
//     dialog under test, or of a dialog a handler opens, such as About);
//     `DoModalWith(dlg, action)` is DoModal with one such action. An action
//     that leaves its dialog open makes the layer close it with the close box
//     (WM_CLOSE) afterwards, so a test never hangs.
//   * Messages: CWnd::SendMessage and ::SendMessage inject any message;
//     ClickButton, TypeText, KeyPress and the Mouse* functions send real Qt
//     input events through the layer's translation (clicked → BN_CLICKED,
//     typing → EN_CHANGE, Enter → the default button, Esc → IDCANCEL, F1 →
//     ID_HELP, mouse → WM_* in client coordinates). Points, sizes and
//     rectangles are the program's own, in device pixels, also on a screen
//     that Qt scales (QT_SCALE_FACTOR).
//   * Painting: PaintNow delivers a pending WM_PAINT at once; GrabClientArea
//     returns the client area as the user sees it (controls included);
//     GrabPaint only what the window's WM_PAINT painted.
//   * Drawing calls: DrawingRecorder logs every call of every device context
//     (and every message box, in the same order) while it lives;
//     RecordingDC is a memory device context of a given size for calling a
//     drawing function directly.
//   * Message boxes: MessageBoxRecorder records each box (text, caption,
//     type after the framework's icon rule, owner) and answers at once.
//   * exit: ExitTrap makes crt::exit throw ProcessExit{code} instead of
//     ending the process; use it only where the exit is reached through
//     plain calls (SendMessage, direct handler calls, ModelessDialog
//     creation), never through Qt's event delivery. Elsewhere use a death
//     test (EXPECT_EXIT with ExitedWithCode).
//   * Shell: ShellRecorder records ShellExecuteA calls and opens nothing.
//   * Window state: SetClientSize, SetIconic, SetLogicalDpi; inspection
//     with SystemMenuItems, ChooseSystemMenuItem, CurrentCursor,
//     FocusedControlId, IsDefaultButton, ControlRect, FontPixelHeight,
//     FontFamily.
#pragma once

#include "afxwin.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace afxtest
{
// ---------------------------------------------------------------------------
// Event loop
// ---------------------------------------------------------------------------
void ProcessEvents();
// Processes events until the condition holds; false after timeoutMs. The
// default is a limit for a failure only, long enough for a sanitizer build
// on a busy machine.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 60000);

// ---------------------------------------------------------------------------
// Dialogs without a blocking DoModal
// ---------------------------------------------------------------------------
class ModelessDialog
{
public:
    explicit ModelessDialog(CDialog& dialog);
    ~ModelessDialog();
    ModelessDialog(const ModelessDialog&) = delete;
    ModelessDialog& operator=(const ModelessDialog&) = delete;

    // FALSE when the template is missing or WM_CREATE failed.
    BOOL Created() const { return m_created; }
    // EndDialog was called (during OnInitDialog or later).
    bool Ended() const;
    int Result() const;
    // Destroys the window now (WM_DESTROY), as the end of DoModal does.
    void Destroy();

private:
    CDialog& m_dialog;
    BOOL m_created;
};

void WhenModalOpens(std::function<void(CDialog&)> action);
INT_PTR DoModalWith(CDialog& dialog, std::function<void(CDialog&)> action);
// The dialogs whose modal loop runs now, innermost last.
std::vector<CDialog*> OpenModalDialogs();

// ---------------------------------------------------------------------------
// Real input
// ---------------------------------------------------------------------------
// Virtual-key codes for KeyPress; letters and digits are their ASCII
// upper-case codes.
enum : UINT
{
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_F1 = 0x70,
    VK_F4 = 0x73,
};
enum : UINT
{
    KEY_SHIFT = 1,
    KEY_CONTROL = 2,
    KEY_ALT = 4,
};
// A key press and release on the window (a control or a dialog).
void KeyPress(CWnd* pWnd, UINT nVirtualKey, UINT nModifiers = 0);
// Gives the focus to the control and types the text, one key each.
void TypeText(CWnd* pEdit, const char* text);
// A left click in the middle of a button.
void ClickButton(CWnd* pButton);
void MouseDown(CWnd* pWnd, CPoint point);
void MouseUp(CWnd* pWnd, CPoint point);
void MouseClick(CWnd* pWnd, CPoint point);
void MouseDoubleClick(CWnd* pWnd, CPoint point);
void MouseMove(CWnd* pWnd, CPoint point);
// zDelta positive away from the user, WHEEL_DELTA per notch.
void MouseWheel(CWnd* pWnd, CPoint point, int zDelta);
void RightClick(CWnd* pWnd, CPoint point);
// Selects a combo box item as the user does (CBN_SELCHANGE follows).
void SelectComboItem(CWnd* pComboBox, int nIndex);
// Drops a combo box's list with a click, as the user does; false if it did
// not open. KeyPress then goes to the dropped list.
bool DropDownList(CWnd* pComboBox);
// Height of the dropped list's pop-up; 0 while it is closed.
int DroppedListHeight(CWnd* pComboBox);
// Closes the window with its close box.
void CloseWindow(CWnd* pWnd);

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------
struct Image
{
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row by row

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool Save(const char* pngPath) const;
};

void PaintNow(CWnd* pWnd);
Image GrabClientArea(CWnd* pWnd);
Image GrabPaint(CWnd* pWnd);

// One call on a device context, or a message box in the same log.
struct DrawCall
{
    // "FillRect" (l, t, r, b, brush colour), "Rectangle" (l, t, r, b),
    // "Ellipse" (l, t, r, b), "MoveTo" (x, y), "LineTo" (x, y),
    // "SelectBrush" (colour), "SelectFont" (), "DrawIcon" (x, y),
    // "MessageBox" (type; text in text).
    std::string op;
    std::vector<long> args;
    std::string text;

    std::string ToString() const;  // e.g. "Ellipse(17,24,31,38)"
    bool operator==(const DrawCall& other) const { return op == other.op && args == other.args && text == other.text; }
};

class DrawingRecorder
{
public:
    DrawingRecorder();
    ~DrawingRecorder();
    DrawingRecorder(const DrawingRecorder&) = delete;
    DrawingRecorder& operator=(const DrawingRecorder&) = delete;

    const std::vector<DrawCall>& Calls() const { return m_calls; }
    std::vector<DrawCall> CallsOf(const std::string& op) const;
    void Clear() { m_calls.clear(); }
    void Append(DrawCall call) { m_calls.push_back(std::move(call)); }

private:
    std::vector<DrawCall> m_calls;
    DrawingRecorder* m_previous;
};

// A memory device context of cx x cy pixels, white, at the screen's DPI.
// Its calls go to an active DrawingRecorder like any other's.
class RecordingDC : public CDC
{
public:
    RecordingDC(int cx, int cy);
    ~RecordingDC() override;
    Image Grab() const;
};

// ---------------------------------------------------------------------------
// Message boxes
// ---------------------------------------------------------------------------
struct MessageBoxRecord
{
    std::string text;
    std::string caption;
    UINT type;
    HWND owner;
};

// Records each box and answers it at once: by default with the first button
// of its type (IDOK, or IDYES), or with what the handler returns. While one
// lives, no real box opens.
class MessageBoxRecorder
{
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    int Present(const MessageBoxRecord& box);
    const std::vector<MessageBoxRecord>& Boxes() const { return m_boxes; }
    std::vector<std::string> Texts() const;
    void Clear() { m_boxes.clear(); }
    // Runs while the box is "open" and gives its answer.
    void OnShow(std::function<int(const MessageBoxRecord&)> handler) { m_onShow = std::move(handler); }

private:
    std::vector<MessageBoxRecord> m_boxes;
    std::function<int(const MessageBoxRecord&)> m_onShow;
    MessageBoxRecorder* m_previous;
};

// ---------------------------------------------------------------------------
// exit
// ---------------------------------------------------------------------------
struct ProcessExit
{
    int code;
};

class ExitTrap
{
public:
    ExitTrap();
    ~ExitTrap();
    ExitTrap(const ExitTrap&) = delete;
    ExitTrap& operator=(const ExitTrap&) = delete;
};

// ---------------------------------------------------------------------------
// Shell
// ---------------------------------------------------------------------------
struct ShellCall
{
    HWND hwnd;
    std::string operation;  // "" for NULL
    std::string file;
    std::string parameters;
    std::string directory;
    int showCmd;
};

class ShellRecorder
{
public:
    ShellRecorder();
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    const std::vector<ShellCall>& Calls() const { return m_calls; }
    void Append(ShellCall call) { m_calls.push_back(std::move(call)); }

private:
    std::vector<ShellCall> m_calls;
    ShellRecorder* m_previous;
};

// ---------------------------------------------------------------------------
// Window state and inspection
// ---------------------------------------------------------------------------
// Resizes the client area and invalidates it (with erase).
void SetClientSize(CWnd* pWnd, int cx, int cy);
void SetIconic(CWnd* pWnd, bool iconic);
// Pixels per inch for GetDeviceCaps(LOGPIXELSY/X) and the dialog fonts of
// dialogs created afterwards; 0 returns to the screen's.
void SetLogicalDpi(int dpi);

struct MenuItem
{
    UINT flags;  // MF_SEPARATOR, MF_GRAYED, ...
    UINT id;
    std::string text;
};
std::vector<MenuItem> SystemMenuItems(CWnd* pWnd);
enum class SystemMenuAccess
{
    AltSpace,
    RightClick,
};
// Opens the window's system menu as the user does and chooses the item with
// the command id; the choice arrives as WM_SYSCOMMAND. False when no such
// enabled item was shown.
bool ChooseSystemMenuItem(CWnd* pWnd, UINT nID, SystemMenuAccess access = SystemMenuAccess::AltSpace,
                          CPoint rightClickAt = CPoint(1, 1));

// The cursor set last by SetCursor or the layer (the arrow on each mouse
// message before it is dispatched).
HCURSOR CurrentCursor();
// The cursor the screen shows with the pointer at the point of the window
// (the cursor of the control under it, or of the window): the standard
// arrow or hand, NULL for any other (an edit box's I-beam).
HCURSOR CursorShownAt(CWnd* pWnd, CPoint point);
// Id of the dialog's control with the keyboard focus; 0 if none.
int FocusedControlId(CWnd* pDialog);
bool IsDefaultButton(CWnd* pButton);
// Position and size of a control in the dialog's client coordinates.
CRect ControlRect(CWnd* pControl);
int FontPixelHeight(CWnd* pWnd);
std::string FontFamily(CWnd* pWnd);
// The dialog's dialog-unit base (baseX, baseY) in pixels.
SIZE DialogBaseUnits(CWnd* pDialog);
// The surroundings of tests and benchmarks, to call before the QApplication
// is made: Qt's offscreen platform, and a MIDI device that renders into
// nothing (the main window opens its device or ends, and test machines have
// no sound card), each unless the environment names another.
void UseHeadlessDefaults();

}  // namespace afxtest

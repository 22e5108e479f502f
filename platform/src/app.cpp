// The application object, its title, and message boxes.
#include "afx_internal.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <system_error>

namespace afx
{
MessageBoxPresenter* g_messageBoxPresenter = nullptr;
std::function<void(const DrawingCall&)> g_onDrawingCall;
std::function<void(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT)> g_onShellExecute;
std::function<void(int)> g_exitHook;
std::function<void(CDialog&)> g_onModalLoopEntered;
int g_logicalDpiOverride = 0;
int g_widgetPaintDepth = 0;

void Record(DrawingCall call)
{
    if (g_onDrawingCall)
        g_onDrawingCall(call);
}

namespace
{
CWinApp* g_app = nullptr;

// The executable's file name without directory and extension.
std::string ExecutableTitle()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "app";
    return executable.stem().string();
}

int ButtonsToResult(QMessageBox::StandardButton button)
{
    switch (button)
    {
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDOK;
    }
}

int FirstButtonResult(UINT type)
{
    switch (type & MB_TYPEMASK)
    {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    default:
        return IDOK;
    }
}

int ShowQtMessageBox(const MessageBoxRequest& box)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (box.type & MB_ICONMASK)
    {
    case MB_ICONHAND:
        icon = QMessageBox::Critical;
        break;
    case MB_ICONQUESTION:
        icon = QMessageBox::Question;
        break;
    case MB_ICONEXCLAMATION:
        icon = QMessageBox::Warning;
        break;
    case MB_ICONASTERISK:
        icon = QMessageBox::Information;
        break;
    default:
        break;
    }
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (box.type & MB_TYPEMASK)
    {
    case MB_OKCANCEL:
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case MB_YESNO:
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    case MB_YESNOCANCEL:
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    default:
        break;
    }
    QWidget* owner = box.owner != nullptr && box.owner->widget ? box.owner->widget->window() : nullptr;
    QMessageBox message(icon, ToQt(box.caption.c_str()), ToQt(box.text.c_str()), buttons, owner);
    message.setTextFormat(Qt::PlainText);
    message.setWindowModality(Qt::ApplicationModal);
    return ButtonsToResult(static_cast<QMessageBox::StandardButton>(message.exec()));
}

// The layer's own presenter: a modal QMessageBox, never inside a Qt paint
// event (a nested event loop there would repaint recursively): a box asked
// for during one is shown right after it, and the call answers with the
// box's first button.
class QtPresenter : public MessageBoxPresenter
{
public:
    int Present(const MessageBoxRequest& box) override
    {
        if (g_widgetPaintDepth == 0)
            return ShowQtMessageBox(box);
        QTimer::singleShot(0, qApp, [box] { ShowQtMessageBox(box); });
        return FirstButtonResult(box.type);
    }
};

QtPresenter g_qtPresenter;
}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    const MessageBoxRequest box{text, caption, type, owner};
    Record(DrawingCall{"MessageBox", {static_cast<long>(type)}, text});
    ShowPaintsSoFar();
    MessageBoxPresenter* presenter = g_messageBoxPresenter != nullptr ? g_messageBoxPresenter : &g_qtPresenter;
    return presenter->Present(box);
}

// The title rule of CWinApp: the given name, else AFX_IDS_APP_TITLE, else
// the executable's base name.
std::string ApplicationTitle()
{
    if (const char* title = AfxFindString(AFX_IDS_APP_TITLE))
        return title;
    return ExecutableTitle();
}
}  // namespace afx

struct AfxAppAccess
{
    static void FixTitle(CWinApp* app)
    {
        if (app->m_pszAppName == nullptr)
        {
            app->m_strAppName = afx::ApplicationTitle();
            app->m_pszAppName = app->m_strAppName.c_str();
        }
    }
};

namespace afx
{
void FixApplicationTitle()
{
    if (g_app != nullptr)
        AfxAppAccess::FixTitle(g_app);
}
}  // namespace afx

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName) : m_pszAppName(nullptr), m_pMainWnd(nullptr)
{
    if (lpszAppName != nullptr)
    {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName.c_str();
    }
    afx::g_app = this;
}

CWinApp::~CWinApp()
{
    if (afx::g_app == this)
        afx::g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::OnHelp()
{
    if (CWnd* main = AfxGetMainWnd())
        main->WinHelp(0, HELP_CONTEXT);
}

CWinApp* AfxGetApp()
{
    return afx::g_app;
}

CWnd* AfxGetMainWnd()
{
    return afx::g_app != nullptr ? afx::g_app->m_pMainWnd : nullptr;
}

LPCTSTR AfxGetAppName()
{
    if (afx::g_app != nullptr)
    {
        afx::FixApplicationTitle();
        return afx::g_app->m_pszAppName;
    }
    static const std::string title = afx::ApplicationTitle();
    return title.c_str();
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    // The framework's icon rule for boxes that name none.
    if ((nType & MB_ICONMASK) == 0)
    {
        switch (nType & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    CWnd* main = AfxGetMainWnd();
    return afx::ShowMessageBox(main != nullptr ? main->m_hWnd : nullptr, lpszText != nullptr ? lpszText : "",
                               AfxGetAppName(), nType);
}

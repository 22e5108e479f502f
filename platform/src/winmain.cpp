// The program's entry point, in place of the framework's WinMain: builds the
// Qt application, then runs the one CWinApp's InitInstance.
#include "afx_internal.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The framework decides when the program ends (InitInstance returns);
    // Qt's own rule would end every later modal loop once the last window
    // has closed.
    QApplication::setQuitOnLastWindowClosed(false);

    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    afx::FixApplicationTitle();
    if (app->InitInstance())
        QApplication::exec();
    return app->ExitInstance();
}

// The yardstick for start-up: a plain Qt 6 program that shows an empty
// dialog and ends at the end of its first paint, reporting its resident
// memory as the probe of the real dialog does.
#include "resident_memory.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>

#include <cstdio>
#include <cstdlib>

namespace
{
class FirstPaintDialog : public QDialog
{
protected:
    void paintEvent(QPaintEvent* event) override
    {
        QDialog::paintEvent(event);
        std::printf("%ld\n", ResidentKilobytes());
        std::fflush(stdout);
        std::_Exit(0);
    }
};
}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FirstPaintDialog dialog;
    dialog.resize(432, 356);
    dialog.show();
    return app.exec();
}

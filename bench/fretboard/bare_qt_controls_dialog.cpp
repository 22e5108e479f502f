// The yardstick for start-up: a plain Qt 6 program showing a dialog with the
// kinds of controls the main window has (labels, push buttons, edit boxes,
// a slider in a group box) and a combo box, of about the main window's size.
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSlider>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle("Bare dialog");
    dialog.resize(432, 290);
    for (int i = 0; i < 14; ++i)
        (new QLabel(QString("Label %1").arg(i), &dialog))->setGeometry(10 + 48 * (i % 7), 10 + 20 * (i / 7), 46, 16);
    for (int i = 0; i < 8; ++i)
        (new QPushButton(QString("Button &%1").arg(i), &dialog))->setGeometry(350, 10 + 24 * i, 72, 22);
    (new QLineEdit("Am", &dialog))->setGeometry(10, 245, 140, 26);
    (new QLineEdit("Am, A minor", &dialog))->setGeometry(10, 210, 412, 22);
    auto* volume = new QGroupBox("Volume", &dialog);
    volume->setGeometry(332, 238, 90, 42);
    auto* slider = new QSlider(Qt::Horizontal, volume);
    slider->setGeometry(6, 16, 78, 18);
    slider->setRange(0, 127);
    slider->setValue(100);
    auto* combo = new QComboBox(&dialog);
    combo->addItems({"Acoustic Grand Piano", "Nylon Guitar", "Steel Guitar"});
    combo->setGeometry(160, 245, 160, 26);
    dialog.show();
    return app.exec();
}

// GoogleTest's main for window tests: one QApplication for the whole run, on
// the offscreen platform and with a silent MIDI device unless the
// environment names others.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The main window opens the MIDI device or ends the process, and test
    // machines have no sound card: render into nothing unless the
    // environment names a sound output.
    if (!qEnvironmentVariableIsSet("TABULOR_MIDI_WAV") && !qEnvironmentVariableIsSet("TABULOR_MIDI_DRIVER"))
        qputenv("TABULOR_MIDI_WAV", "/dev/null");
    QApplication application(argc, argv);
    // As in the program: modal loops keep running after a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    // Death tests start a fresh process instead of forking a Qt application.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}

// GoogleTest's main for window tests: one QApplication for the whole run, on
// the offscreen platform and with a silent MIDI device unless the
// environment names others.
#include "testing.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[])
{
    afxtest::UseHeadlessDefaults();
    QApplication application(argc, argv);
    // As in the program: modal loops keep running after a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    // Death tests start a fresh process instead of forking a Qt application.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}

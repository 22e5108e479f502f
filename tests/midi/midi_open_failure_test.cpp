// Without a usable MIDI output the program cannot work: the main window
// shows why in a box captioned "Error" and the process ends with exit code 1
// before the window is set up.
#include "scoped_environment.h"
#include "tabulor_dlg.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>

namespace
{
struct FailureCase
{
    const char* name;
    const char* soundFont;  // empty: the default one
    const char* driver;
    const char* boxLine;  // a regular expression
};

void PrintTo(const FailureCase& failureCase, std::ostream* out)
{
    *out << failureCase.name;
}

// Runs in the dying child: a recorded box leaves a line on its stderr.
void CreateMainWindow(const FailureCase& failureCase)
{
    ScopedEnvironment env;
    if (*failureCase.soundFont != '\0')
        env.Set("TABULOR_MIDI_SOUNDFONT", failureCase.soundFont);
    env.Set("TABULOR_MIDI_DRIVER", failureCase.driver);

    CTabulorDlg dlg;
    AfxGetApp()->m_pMainWnd = &dlg;
    afxtest::MessageBoxRecorder boxes;
    boxes.OnShow([&](const afxtest::MessageBoxRecord& box) {
        std::fprintf(stderr, "box [%s] [%s] 0x%X %s\n", box.text.c_str(), box.caption.c_str(), box.type,
                     box.owner == dlg.GetSafeHwnd() ? "owned by the dialog" : "other owner");
        return IDOK;
    });
    afxtest::ModelessDialog run(dlg);
}

class MidiOpenFailureDeathTest : public ::testing::TestWithParam<FailureCase>
{
};

TEST_P(MidiOpenFailureDeathTest, ShowsTheErrorBoxThenExitsWithCode1)
{
    EXPECT_EXIT(CreateMainWindow(GetParam()), ::testing::ExitedWithCode(1), GetParam().boxLine);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MidiOpenFailureDeathTest,
    ::testing::Values(
        FailureCase{"NoDevice", "/nonexistent/none.sf2", "pulseaudio",
                    "box \\[No MIDI output devices! Program will be closed!\\] \\[Error\\] 0x30 owned by the dialog"},
        FailureCase{"OpenFails", "", "none",
                    "box \\[MIDI output open error! Program will be closed!\\] \\[Error\\] 0x30 owned by the dialog"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });
}  // namespace

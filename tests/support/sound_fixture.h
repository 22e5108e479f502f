// The main dialog opened on the offscreen platform with its MIDI device
// rendering into nothing and every MIDI call logged, so that a test reads
// back exactly which messages went out and in which order.
#pragma once

#include "dialog_fixture.h"
#include "scoped_environment.h"

#include <fstream>
#include <functional>
#include <string>
#include <vector>

class SoundDlg : public TestDlg
{
public:
    using CTabulorDlg::m_nPatch;
    using CTabulorDlg::m_sliderVolume;
    using CTabulorDlg::OnNMCustomdrawVolume;
};

// The lines the device writes, as its log settings describe them.
inline std::string ShortMsg(const char* hexValue)
{
    return std::string("midiOutShortMsg ") + hexValue;
}
inline const std::string RESET = "midiOutReset";
inline const std::string CLOSE = "midiOutClose";

class SoundTest : public DialogFixture<SoundDlg>
{
protected:
    SoundTest() : m_logPath(FreshTempPath("calls.log"))
    {
        m_env.Set("TABULOR_MIDI_WAV", "/dev/null");
        m_env.Set("TABULOR_MIDI_LOG", m_logPath);
    }

    void Open(const ChordTable& table = {}) { DialogFixture::Open(table); }

    std::vector<std::string> Calls() const
    {
        std::vector<std::string> lines;
        std::ifstream log(m_logPath);
        for (std::string line; std::getline(log, line);)
            lines.push_back(line);
        return lines;
    }

    // The calls that action makes, once the window has done its first
    // drawing.
    std::vector<std::string> CallsOf(const std::function<void()>& action)
    {
        afxtest::ProcessEvents();
        std::ofstream(m_logPath, std::ios::trunc);
        action();
        return Calls();
    }

    ScopedEnvironment m_env;
    std::string m_logPath;
};

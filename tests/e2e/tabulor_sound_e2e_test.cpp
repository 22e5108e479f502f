// The real program's sound on a real X display: Alt+P plays the shown A
// minor, rendered into a WAV file, where the five notes of the chord sound
// and nothing sounded before; the call log shows the program's MIDI calls in
// their order.
#include "e2e_tools.h"

#include "tone_analysis.h"
#include "wav_file.h"

#include <gtest/gtest.h>

#include <QtCore/QDeadlineTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtCore/QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace
{
const int SAMPLE_RATE = 44100;
const int WAV_HEADER_BYTES = 44;
const int BYTES_PER_FRAME = 4;  // 16-bit stereo
// The keys of A minor as the program plays it, highest string first.
const int A_MINOR_KEYS[5] = {64, 60, 57, 52, 45};
// Keys a semitone beside the chord's, which must stay far below it.
const int FOREIGN_KEYS[4] = {61, 56, 49, 47};

std::vector<std::string> ReadLines(const QString& path)
{
    std::vector<std::string> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray& line : file.readAll().split('\n'))
    {
        if (!line.isEmpty())
            lines.push_back(line.toStdString());
    }
    return lines;
}

class TabulorSoundE2E : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QFile::copy(TABULOR_CHORD_FILE, m_dir.filePath("Tabulor.xml")));
        QFile help(m_dir.filePath("TabulorHelp.gif"));
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
        help.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("TABULOR_MIDI_WAV", WavPath());
        env.insert("TABULOR_MIDI_LOG", LogPath());
        m_program.setProcessEnvironment(env);
        m_program.setWorkingDirectory(m_dir.path());
        m_program.start(TABULOR_EXECUTABLE, QStringList());
        ASSERT_TRUE(m_program.waitForStarted());

        m_window = RunTool("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^Tabulor 2011.07.03$"})
                       .section('\n', 0, 0);
        ASSERT_FALSE(m_window.isEmpty());
    }

    void TearDown() override
    {
        if (m_program.state() != QProcess::NotRunning)
        {
            m_program.kill();
            m_program.waitForFinished();
        }
    }

    QString WavPath() const { return m_dir.filePath("sound.wav"); }
    QString LogPath() const { return m_dir.filePath("calls.log"); }
    std::vector<std::string> Calls() const { return ReadLines(LogPath()); }

    // The file grows in real time with the sound rendered so far.
    std::size_t RenderedFrames() const
    {
        const qint64 size = QFileInfo(WavPath()).size();
        return size > WAV_HEADER_BYTES ? std::size_t(size - WAV_HEADER_BYTES) / BYTES_PER_FRAME : 0;
    }

    bool WaitForRendered(std::size_t frames)
    {
        return WaitFor([&] { return RenderedFrames() >= frames; });
    }

    QTemporaryDir m_dir;
    QProcess m_program;
    QString m_window;
};

TEST_F(TabulorSoundE2E, AltPPlaysTheShownChord)
{
    const std::size_t second = SAMPLE_RATE;
    ASSERT_TRUE(WaitForRendered(second / 2));
    const std::size_t beforePlay = RenderedFrames();

    RunTool("xdotool", {"windowfocus", "--sync", m_window});
    RunTool("xdotool", {"key", "--window", m_window, "alt+p"});
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<std::string> calls = Calls();
        return std::count(calls.begin(), calls.end(), "midiOutShortMsg 0x007F2D90") == 1;
    })) << "the last Note On of the chord never went out";
    const std::size_t afterPlay = RenderedFrames();
    ASSERT_TRUE(WaitForRendered(afterPlay + second));

    RunTool("xdotool", {"key", "--window", m_window, "Escape"});
    ASSERT_TRUE(m_program.waitForFinished(PATIENCE_MS));
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_program.exitCode(), 0);

    // Creation, set-up, the slider's drawings at volume 100, the chord, the
    // close at the end of the window.
    const std::string volume100 = "midiOutShortMsg 0x006407B0";
    std::vector<std::string> calls = Calls();
    ASSERT_GE(calls.size(), 4u);
    const std::vector<std::string> start(calls.begin(), calls.begin() + 4);
    EXPECT_EQ(start, (std::vector<std::string>{"midiOutGetNumDevs -> 1", "midiOutOpen 0 -> 0",
                                               "midiOutShortMsg 0x000000C0", volume100}));
    std::vector<std::string> rest(calls.begin() + 4, calls.end());
    const auto drawings = std::remove(rest.begin(), rest.end(), volume100);
    EXPECT_NE(drawings, rest.end()) << "no channel volume from drawing the slider";
    rest.erase(drawings, rest.end());
    EXPECT_EQ(rest,
              (std::vector<std::string>{"midiOutReset", "midiOutShortMsg 0x007F4090", "midiOutShortMsg 0x007F3C90",
                                        "midiOutShortMsg 0x007F3990", "midiOutShortMsg 0x007F3490",
                                        "midiOutShortMsg 0x007F2D90", "midiOutClose"}));

    const WavFile wav = ReadWavFile(WavPath().toStdString());
    ASSERT_EQ(wav.sampleRate, unsigned(SAMPLE_RATE));
    const std::vector<double> signal = ToMono(wav.samples);
    ASSERT_GE(signal.size(), afterPlay + second);
    // Half a second of the held chord, from the moment the test saw it go
    // out; and the half second before Alt+P.
    const std::size_t window = second / 2;
    double quietest = 1.0;
    for (int key : A_MINOR_KEYS)
    {
        const double level = ToneEnergy(signal, afterPlay, window, KeyFrequency(key), SAMPLE_RATE);
        const double before = ToneEnergy(signal, beforePlay - window, window, KeyFrequency(key), SAMPLE_RATE);
        std::printf("key %d (%.1f Hz): %.3g while the chord sounds, %.3g before\n", key, KeyFrequency(key), level,
                    before);
        EXPECT_LT(before, 1e-12) << "key " << key << " sounded before Play";
        quietest = std::min(quietest, level);
    }
    for (int key : FOREIGN_KEYS)
    {
        const double level = ToneEnergy(signal, afterPlay, window, KeyFrequency(key), SAMPLE_RATE);
        std::printf("foreign key %d (%.1f Hz): %.3g\n", key, KeyFrequency(key), level);
        EXPECT_LT(level * 20, quietest) << "key " << key << " is not in the chord";
    }
}
}  // namespace

// The call contract of midiOut* for device 0: device count, open errors,
// sharing, handles and the call log. Opens that must succeed render into a
// WAV file, which works without a sound card.
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "midi/midi_settings.h"
#include "mmsystem.h"
#include "scoped_environment.h"

namespace
{

const std::string OPEN_FAILURE_PREFIX = "tabulor: MIDI output open failed: ";

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class MidiDeviceTest : public testing::Test
{
protected:
    void SetUp() override { m_env.Set("TABULOR_MIDI_WAV", FreshTempPath("device.wav")); }

    ScopedEnvironment m_env;
};

struct SoundFontCase
{
    const char* name;
    std::string soundFont;  // empty: not set
    UINT devices;
};

void PrintTo(const SoundFontCase& testCase, std::ostream* out)
{
    *out << testCase.name;
}

class SoundFontSettingTest : public MidiDeviceTest, public testing::WithParamInterface<SoundFontCase>
{
};

TEST_P(SoundFontSettingTest, GivesOneDeviceOnlyWithASoundFont)
{
    if (!GetParam().soundFont.empty())
        m_env.Set("TABULOR_MIDI_SOUNDFONT", GetParam().soundFont);
    EXPECT_EQ(midiOutGetNumDevs(), GetParam().devices);

    HMIDIOUT handle = nullptr;
    const MMRESULT result = midiOutOpen(&handle, 0, 0, 0, CALLBACK_NULL);
    EXPECT_EQ(result, GetParam().devices ? MMSYSERR_NOERROR : MMSYSERR_BADDEVICEID);
    EXPECT_EQ(handle != nullptr, GetParam().devices == 1);
    if (handle)
    {
        EXPECT_EQ(midiOutClose(handle), MMSYSERR_NOERROR);
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, SoundFontSettingTest,
                         testing::Values(SoundFontCase{"DefaultSoundFont", "", 1},
                                         SoundFontCase{"ConfiguredSoundFont", "/usr/share/sounds/sf2/default-GM.sf2",
                                                       1},
                                         // A wrong setting must not be covered up by the default.
                                         SoundFontCase{"ConfiguredButMissing", "/nonexistent/none.sf2", 0},
                                         SoundFontCase{"ConfiguredButNotASoundFont", "/etc/hostname", 0}),
                         [](const testing::TestParamInfo<SoundFontCase>& info) { return info.param.name; });

TEST(SoundFontSearchTest, TakesTheFirstSoundFontOfTheDefaults)
{
    const std::string installed = FindSoundFont("");
    ASSERT_FALSE(installed.empty()) << "no General MIDI SoundFont installed (timgm6mb-soundfont)";
    EXPECT_EQ(FindSoundFont("", {"/nonexistent/a.sf2", "/etc/hostname", installed}), installed);
    EXPECT_EQ(FindSoundFont("", {"/nonexistent/a.sf2", "/etc/hostname"}), "");
    EXPECT_EQ(FindSoundFont("/nonexistent/a.sf2", {installed}), "");
}

struct OpenArgumentsCase
{
    const char* name;
    bool withHandle;
    UINT deviceId;
    DWORD flags;
    MMRESULT result;
};

void PrintTo(const OpenArgumentsCase& testCase, std::ostream* out)
{
    *out << testCase.name;
}

class OpenArgumentsTest : public MidiDeviceTest, public testing::WithParamInterface<OpenArgumentsCase>
{
};

TEST_P(OpenArgumentsTest, RefusesAndLeavesTheDeviceFree)
{
    HMIDIOUT handle = reinterpret_cast<HMIDIOUT>(this);
    EXPECT_EQ(midiOutOpen(GetParam().withHandle ? &handle : nullptr, GetParam().deviceId, 0, 0, GetParam().flags),
              GetParam().result);
    if (GetParam().withHandle)
    {
        EXPECT_EQ(handle, nullptr);
    }

    ASSERT_EQ(midiOutOpen(&handle, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(handle), MMSYSERR_NOERROR);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, OpenArgumentsTest,
    testing::Values(OpenArgumentsCase{"DeviceOne", true, 1, CALLBACK_NULL, MMSYSERR_BADDEVICEID},
                    OpenArgumentsCase{"MidiMapper", true, 0xFFFFFFFFu, CALLBACK_NULL, MMSYSERR_BADDEVICEID},
                    OpenArgumentsCase{"NoHandlePointer", false, 0, CALLBACK_NULL, MMSYSERR_INVALPARAM},
                    OpenArgumentsCase{"CallbackAsked", true, 0, 0x00030000, MMSYSERR_INVALFLAG}),
    [](const testing::TestParamInfo<OpenArgumentsCase>& info) { return info.param.name; });

// A file that starts as a SoundFont does, so that it counts as a device,
// but holds nothing to load.
std::string TruncatedSoundFont()
{
    const std::string path = FreshTempPath("truncated.sf2");
    std::ofstream(path, std::ios::binary) << std::string("RIFF\x04\0\0\0sfbk", 12);
    return path;
}

struct FailedOutputCase
{
    const char* name;
    const char* variable;
    std::string (*value)();
    MMRESULT result;
};

void PrintTo(const FailedOutputCase& testCase, std::ostream* out)
{
    *out << testCase.name;
}

class FailedOutputTest : public MidiDeviceTest, public testing::WithParamInterface<FailedOutputCase>
{
};

TEST_P(FailedOutputTest, FailsWithTheCodeAndOneLineOfReport)
{
    m_env.Set(GetParam().variable, GetParam().value());
    if (std::string(GetParam().variable) == "TABULOR_MIDI_DRIVER")
        m_env.Set("TABULOR_MIDI_WAV", "");
    HMIDIOUT handle = reinterpret_cast<HMIDIOUT>(this);

    testing::internal::CaptureStderr();
    const MMRESULT result = midiOutOpen(&handle, 0, 0, 0, CALLBACK_NULL);
    const std::vector<std::string> report = Lines(testing::internal::GetCapturedStderr());

    EXPECT_EQ(result, GetParam().result);
    EXPECT_EQ(handle, nullptr);
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report[0].rfind(OPEN_FAILURE_PREFIX, 0), 0u) << report[0];

    // Nothing of the failed attempt stays allocated.
    m_env.Set("TABULOR_MIDI_SOUNDFONT", "");
    m_env.Set("TABULOR_MIDI_DRIVER", "");
    m_env.Set("TABULOR_MIDI_WAV", FreshTempPath("after_failure.wav"));
    ASSERT_EQ(midiOutOpen(&handle, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(handle), MMSYSERR_NOERROR);
}

INSTANTIATE_TEST_SUITE_P(Outputs, FailedOutputTest,
                         testing::Values(FailedOutputCase{"NoSuchDriver", "TABULOR_MIDI_DRIVER",
                                                          [] { return std::string("none"); }, MMSYSERR_NODRIVER},
                                         FailedOutputCase{"WavFileNotWritable", "TABULOR_MIDI_WAV",
                                                          [] { return std::string("/nonexistent/out.wav"); },
                                                          MMSYSERR_ERROR},
                                         FailedOutputCase{"SoundFontNotLoadable", "TABULOR_MIDI_SOUNDFONT",
                                                          TruncatedSoundFont, MMSYSERR_ERROR}),
                         [](const testing::TestParamInfo<FailedOutputCase>& info) { return info.param.name; });

class SoundDriverTest : public MidiDeviceTest, public testing::WithParamInterface<const char*>
{
};

// Whether this machine has a sound server or card decides the result; what
// the libraries say must never reach the terminal either way.
TEST_P(SoundDriverTest, OpensOrFailsWithoutLibraryOutput)
{
    m_env.Set("TABULOR_MIDI_WAV", "");
    m_env.Set("TABULOR_MIDI_DRIVER", GetParam());
    HMIDIOUT handle = nullptr;

    testing::internal::CaptureStderr();
    const MMRESULT result = midiOutOpen(&handle, 0, 0, 0, CALLBACK_NULL);
    if (result == MMSYSERR_NOERROR)
        midiOutClose(handle);
    const std::vector<std::string> report = Lines(testing::internal::GetCapturedStderr());

    if (result == MMSYSERR_NOERROR)
    {
        EXPECT_TRUE(report.empty()) << report[0];
    }
    else
    {
        EXPECT_EQ(result, MMSYSERR_NODRIVER);
        ASSERT_EQ(report.size(), 1u);
        EXPECT_EQ(report[0].rfind(OPEN_FAILURE_PREFIX, 0), 0u) << report[0];
    }
}

// An empty driver setting tries the default drivers in turn.
INSTANTIATE_TEST_SUITE_P(Drivers, SoundDriverTest, testing::Values("", "pulseaudio", "alsa"));

TEST_F(MidiDeviceTest, SecondOpenIsRefusedWhileOpen)
{
    HMIDIOUT first = nullptr;
    HMIDIOUT second = nullptr;
    ASSERT_EQ(midiOutOpen(&first, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutOpen(&second, 0, 0, 0, CALLBACK_NULL), MMSYSERR_ALLOCATED);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(midiOutShortMsg(first, 0x7F4090), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(first), MMSYSERR_NOERROR);

    ASSERT_EQ(midiOutOpen(&second, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(second), MMSYSERR_NOERROR);
}

TEST_F(MidiDeviceTest, CallsOnAnInvalidHandleAreRefused)
{
    HMIDIOUT closed = nullptr;
    ASSERT_EQ(midiOutOpen(&closed, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    ASSERT_EQ(midiOutClose(closed), MMSYSERR_NOERROR);
    HMIDIOUT open = nullptr;
    m_env.Set("TABULOR_MIDI_WAV", FreshTempPath("second.wav"));
    ASSERT_EQ(midiOutOpen(&open, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);

    int notADevice = 0;
    for (HMIDIOUT invalid : {HMIDIOUT(nullptr), reinterpret_cast<HMIDIOUT>(&notADevice), closed})
    {
        if (invalid == open)
            continue;  // the new device may reuse the closed one's memory
        EXPECT_EQ(midiOutShortMsg(invalid, 0x7F4090), MMSYSERR_INVALHANDLE);
        EXPECT_EQ(midiOutReset(invalid), MMSYSERR_INVALHANDLE);
        EXPECT_EQ(midiOutClose(invalid), MMSYSERR_INVALHANDLE);
    }
    EXPECT_EQ(midiOutReset(open), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(open), MMSYSERR_NOERROR);
}

TEST_F(MidiDeviceTest, LogsEveryCallWithItsValues)
{
    const std::string log = FreshTempPath("calls.log");
    std::ofstream(log) << "earlier run\n";
    m_env.Set("TABULOR_MIDI_LOG", log);

    HMIDIOUT handle = nullptr;
    HMIDIOUT refused = nullptr;
    midiOutGetNumDevs();
    midiOutOpen(&handle, 0, 0, 0, CALLBACK_NULL);
    midiOutShortMsg(handle, 0x7F4090);
    midiOutShortMsg(handle, 0x6407B0);
    midiOutShortMsg(handle, 0xC0);
    midiOutOpen(&refused, 1, 0, 0, CALLBACK_NULL);
    midiOutReset(handle);
    midiOutClose(handle);
    midiOutShortMsg(handle, 0x7F4590);

    EXPECT_EQ(Lines(ReadFile(log)), (std::vector<std::string>{
                                        "earlier run",
                                        "midiOutGetNumDevs -> 1",
                                        "midiOutOpen 0 -> 0",
                                        "midiOutShortMsg 0x007F4090",
                                        "midiOutShortMsg 0x006407B0",
                                        "midiOutShortMsg 0x000000C0",
                                        "midiOutOpen 1 -> 2",
                                        "midiOutReset",
                                        "midiOutClose",
                                        "midiOutShortMsg 0x007F4590",
                                    }));
}

}  // namespace

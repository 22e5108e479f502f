// The SoundFont loading while the device is already open: what decides the
// open (a file whose layout can be a SoundFont) comes first, the load
// follows in its own thread, and messages given meanwhile take effect when
// it ends. A chord played at once sounds whole; a font that does not load
// leaves the device silent with one line of report.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "midi/fluid_synthesizer.h"
#include "midi/midi_settings.h"
#include "midi/soundfont_layout.h"
#include "midi/wav_file_output.h"
#include "mmsystem.h"
#include "scoped_environment.h"
#include "tone_analysis.h"
#include "wav_file.h"

namespace
{

constexpr int RATE = FluidSynthesizer::SAMPLE_RATE;
constexpr int BYTES_PER_FRAME = 4;
constexpr int HEADER_BYTES = 44;
const std::vector<int> A_MINOR_KEYS = {64, 60, 57, 52, 45};
// Far below a held note's tone energy (about 1e-8 one second on), far
// above the dither of silence (about 1e-14).
constexpr double SILENT_TONE_ENERGY = 1e-12;

DWORD NoteOn(int key)
{
    return 0x7F0090 | (key << 8);
}

std::size_t Frames(double seconds)
{
    return static_cast<std::size_t>(seconds * RATE);
}

std::string DefaultSoundFont()
{
    const std::string path = FindSoundFont("");
    if (path.empty())
        ADD_FAILURE() << "no General MIDI SoundFont installed (timgm6mb-soundfont)";
    return path;
}

// What the main window sends from its start to a click on Play: its
// instrument, the start volume (twice: once more from the slider's first
// paint), then the chord after a reset.
void StartAndPlayAMinor(FluidSynthesizer& synth)
{
    synth.ShortMessage(0x00C0);    // Program Change: Acoustic Grand Piano
    synth.ShortMessage(0x6407B0);  // channel volume 100
    synth.ShortMessage(0x6407B0);
    synth.Reset();
    for (int key : A_MINOR_KEYS)
        synth.ShortMessage(NoteOn(key));
}

double FramesInFile(const std::string& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error || size < HEADER_BYTES ? 0.0 : double(size - HEADER_BYTES) / BYTES_PER_FRAME;
}

bool WaitForFrames(const std::string& path, double frames)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (FramesInFile(path) < frames)
    {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

std::size_t Onset(const std::vector<double>& sound)
{
    const std::size_t block = RATE / 200;
    std::size_t onset = 0;
    while (onset + block <= sound.size() && MeanSquare(sound, onset, block) < 1e-6)
        onset += block;
    return onset;
}

TEST(SoundFontLoadTest, ChordPlayedAtOnceAfterTheOpenSoundsWholeInTheWavFile)
{
    const std::string path = FreshTempPath("chord_at_once.wav");
    {
        FluidSynthesizer synth(DefaultSoundFont());
        WavFileOutput output(synth, path);
        StartAndPlayAMinor(synth);
        ASSERT_TRUE(synth.WaitUntilLoaded());
        ASSERT_TRUE(WaitForFrames(path, FramesInFile(path) + Frames(1.6)));
    }
    const std::vector<double> played = ToMono(ReadWavFile(path).samples);

    FluidSynthesizer reference(DefaultSoundFont());
    ASSERT_TRUE(reference.WaitUntilLoaded());
    StartAndPlayAMinor(reference);
    std::vector<std::int16_t> stereo(Frames(1.5) * FluidSynthesizer::CHANNELS);
    reference.Render(stereo.data(), static_cast<int>(Frames(1.5)));
    const std::vector<double> expected = ToMono(stereo);

    const std::size_t onset = Onset(played);
    ASSERT_LE(onset + Frames(1.5), played.size()) << "no chord in the file";
    // Every note from its attack to more than a second on, as loud as when
    // it is played on a loaded synthesizer.
    for (double from : {0.05, 0.4, 0.8, 1.2})
    {
        for (int key : A_MINOR_KEYS)
        {
            const double frequency = KeyFrequency(key);
            const double heard = ToneEnergy(played, onset + Frames(from), Frames(0.2), frequency, RATE);
            const double wanted = ToneEnergy(expected, Frames(from), Frames(0.2), frequency, RATE);
            EXPECT_GT(heard, 0.5 * wanted) << "key " << key << " at " << from << " s";
            EXPECT_LT(heard, 2.0 * wanted) << "key " << key << " at " << from << " s";
        }
    }
}

TEST(SoundFontLoadTest, ResetBeforeTheLoadEndsDropsTheWaitingNotes)
{
    FluidSynthesizer synth(DefaultSoundFont());
    synth.ShortMessage(0x7F40B0);  // sustain pedal down
    synth.ShortMessage(NoteOn(69));
    synth.Reset();
    ASSERT_TRUE(synth.WaitUntilLoaded());

    std::vector<std::int16_t> stereo(Frames(0.5) * FluidSynthesizer::CHANNELS);
    synth.Render(stereo.data(), static_cast<int>(Frames(0.5)));
    EXPECT_LT(ToneEnergy(ToMono(stereo), 0, Frames(0.5), KeyFrequency(69), RATE), SILENT_TONE_ENERGY);

    // The pedal was lifted with the reset: a Note Off ends a later note.
    synth.ShortMessage(NoteOn(69));
    synth.Render(stereo.data(), static_cast<int>(Frames(0.2)));
    synth.ShortMessage(0x004590);  // Note On with velocity 0: Note Off
    std::vector<std::int16_t> release(Frames(1.2) * FluidSynthesizer::CHANNELS);
    synth.Render(release.data(), static_cast<int>(Frames(1.2)));
    EXPECT_LT(ToneEnergy(ToMono(release), Frames(1.0), Frames(0.2), KeyFrequency(69), RATE), SILENT_TONE_ENERGY);
}

// A file laid out as a SoundFont 2 is, from its chunks' headers, with the
// given content in its three lists.
std::string WriteSoundFontShell(const std::string& name, const std::string& pdtaContent)
{
    auto chunk = [](const std::string& id, const std::string& body) {
        std::string out = id;
        const std::uint32_t size = static_cast<std::uint32_t>(body.size());
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>(size >> (8 * i));
        return out + body + (body.size() % 2 ? std::string(1, '\0') : "");
    };
    const std::string form = "sfbk" + chunk("LIST", "INFO" + chunk("ifil", std::string("\2\0\1\0", 4))) +
                             chunk("LIST", "sdta") + chunk("LIST", "pdta" + pdtaContent);
    const std::string path = FreshTempPath(name);
    std::ofstream(path, std::ios::binary) << chunk("RIFF", form);
    return path;
}

TEST(SoundFontLoadTest, FontThatFailsToLoadAfterTheOpenLeavesTheDeviceSilentWithOneLine)
{
    ScopedEnvironment env;
    const std::string wav = FreshTempPath("broken_font.wav");
    env.Set("TABULOR_MIDI_SOUNDFONT", WriteSoundFontShell("no_presets.sf2", ""));
    env.Set("TABULOR_MIDI_WAV", wav);

    testing::internal::CaptureStderr();
    HMIDIOUT handle = nullptr;
    ASSERT_EQ(midiOutOpen(&handle, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutShortMsg(handle, NoteOn(69)), MMSYSERR_NOERROR);
    ASSERT_TRUE(WaitForFrames(wav, Frames(0.3)));
    EXPECT_EQ(midiOutShortMsg(handle, NoteOn(57)), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutReset(handle), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(handle), MMSYSERR_NOERROR);
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_EQ(report.rfind("tabulor: cannot load the SoundFont ", 0), 0u) << report;
    EXPECT_EQ(report.find('\n'), report.size() - 1) << report;
    const std::vector<double> sound = ToMono(ReadWavFile(wav).samples);
    ASSERT_GT(sound.size(), Frames(0.3));
    EXPECT_LT(MeanSquare(sound, 0, sound.size()), 1e-9);
}

struct LayoutCase
{
    const char* name;
    std::string (*file)();
    bool fits;
};

void PrintTo(const LayoutCase& testCase, std::ostream* out)
{
    *out << testCase.name;
}

std::string WriteBytes(const std::string& name, const std::string& bytes)
{
    const std::string path = FreshTempPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string CutShort(const std::string& name, std::uintmax_t keep)
{
    const std::string path = FreshTempPath(name);
    std::filesystem::copy_file(DefaultSoundFont(), path);
    std::filesystem::resize_file(path, keep);
    return path;
}

class SoundFontLayoutTest : public testing::TestWithParam<LayoutCase>
{
};

TEST_P(SoundFontLayoutTest, RefusesOnlyFilesThatCannotBeASoundFont)
{
    const std::string error = SoundFontLayoutError(GetParam().file());
    EXPECT_EQ(error.empty(), GetParam().fits) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Files, SoundFontLayoutTest,
    testing::Values(
        LayoutCase{"InstalledSoundFont", DefaultSoundFont, true},
        LayoutCase{"ShellWithItsThreeLists", [] { return WriteSoundFontShell("shell.sf2", ""); }, true},
        LayoutCase{"DlsForm", [] { return WriteBytes("form.dls", std::string("RIFF\4\0\0\0DLS ", 12)); }, true},
        LayoutCase{"Missing", [] { return FreshTempPath("missing.sf2"); }, false},
        LayoutCase{"NotRiff", [] { return WriteBytes("text.sf2", "a text file, not a SoundFont"); }, false},
        LayoutCase{"HeaderOnly", [] { return WriteBytes("header.sf2", std::string("RIFF\4\0\0\0sfbk", 12)); }, false},
        LayoutCase{"CutInTheSamples", [] { return CutShort("cut_samples.sf2", 100000); }, false},
        LayoutCase{"CutBeforeItsLastByte",
                   [] { return CutShort("cut_end.sf2", std::filesystem::file_size(DefaultSoundFont()) - 1); }, false},
        LayoutCase{"ListRunningPastTheForm",
                   [] {
                       std::string shell = WriteSoundFontShell("long_list.sf2", "");
                       std::fstream file(shell, std::ios::in | std::ios::out | std::ios::binary);
                       file.seekp(16);  // the INFO list's size
                       file.write("\xFF\0\0\0", 4);
                       return shell;
                   },
                   false}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

}  // namespace

// The synthesizer behind device 0, rendered into memory with the default
// General MIDI SoundFont: what the short messages and the reset do to the
// sound.
#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "midi/fluid_synthesizer.h"
#include "midi/midi_settings.h"
#include "tone_analysis.h"

namespace
{

constexpr int RATE = FluidSynthesizer::SAMPLE_RATE;
constexpr int KEY_A4 = 69;
const std::vector<int> A_MINOR_KEYS = {64, 60, 57, 52, 45};

// Rendered dither alone stays near 1e-14 of tone energy and 1e-10 of mean
// square; a held piano note one second on still has about 3e-8.
constexpr double HELD_TONE_ENERGY = 1e-10;
constexpr double SILENT_TONE_ENERGY = 1e-12;

DWORD NoteOn(int channel, int key, int velocity = 127)
{
    return 0x90 | channel | (key << 8) | (velocity << 16);
}

DWORD ControlChange(int channel, int controller, int value)
{
    return 0xB0 | channel | (controller << 8) | (value << 16);
}

DWORD ProgramChange(int channel, int program)
{
    return 0xC0 | channel | (program << 8);
}

std::size_t Frames(double seconds)
{
    return static_cast<std::size_t>(seconds * RATE);
}

class SynthRenderTest : public testing::Test
{
protected:
    SynthRenderTest() : m_synth(DefaultSoundFont()) { EXPECT_TRUE(m_synth.WaitUntilLoaded()); }

    static std::string DefaultSoundFont()
    {
        const std::string path = FindSoundFont("");
        if (path.empty())
            ADD_FAILURE() << "no General MIDI SoundFont installed (timgm6mb-soundfont)";
        return path;
    }

    void Send(const std::vector<DWORD>& messages)
    {
        for (DWORD message : messages)
            m_synth.ShortMessage(message);
    }

    std::vector<double> Render(double seconds)
    {
        std::vector<std::int16_t> stereo(Frames(seconds) * FluidSynthesizer::CHANNELS);
        m_synth.Render(stereo.data(), static_cast<int>(Frames(seconds)));
        return ToMono(stereo);
    }

    // Energies of harmonics 2..6 relative to the fundamental, in decades:
    // the colour of a note, whatever its loudness.
    std::vector<double> HarmonicProfile(const std::vector<double>& sound, int key)
    {
        const double fundamental = KeyFrequency(key);
        const double base = ToneEnergy(sound, Frames(0.1), Frames(0.2), fundamental, RATE);
        std::vector<double> profile;
        for (int harmonic = 2; harmonic <= 6; ++harmonic)
            profile.push_back(
                std::log10(ToneEnergy(sound, Frames(0.1), Frames(0.2), fundamental * harmonic, RATE) / base));
        return profile;
    }

    FluidSynthesizer m_synth;
};

double MeanDistance(const std::vector<double>& a, const std::vector<double>& b)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += std::fabs(a[i] - b[i]);
    return sum / a.size();
}

TEST_F(SynthRenderTest, AMinorChordSoundsItsNotesAndNoOthers)
{
    for (int key : A_MINOR_KEYS)
        m_synth.ShortMessage(NoteOn(0, key));
    const std::vector<double> sound = Render(0.5);

    double loudestOther = 0.0;
    for (int key : {47, 50, 54, 58, 61, 63})
        loudestOther = std::max(loudestOther, ToneEnergy(sound, Frames(0.25), Frames(0.25), KeyFrequency(key), RATE));
    for (int key : A_MINOR_KEYS)
        EXPECT_GT(ToneEnergy(sound, Frames(0.25), Frames(0.25), KeyFrequency(key), RATE), 100 * loudestOther)
            << "key " << key;
}

struct MessageCase
{
    const char* name;
    std::vector<DWORD> messages;
    bool a4Held;  // whether A4 still sounds a second later
};

void PrintTo(const MessageCase& testCase, std::ostream* out)
{
    *out << testCase.name;
}

class ShortMessageTest : public SynthRenderTest, public testing::WithParamInterface<MessageCase>
{
};

TEST_P(ShortMessageTest, DecidesWhetherA4Sounds)
{
    Send(GetParam().messages);
    const double energy = ToneEnergy(Render(1.2), Frames(1.0), Frames(0.2), KeyFrequency(KEY_A4), RATE);
    if (GetParam().a4Held)
        EXPECT_GT(energy, HELD_TONE_ENERGY);
    else
        EXPECT_LT(energy, SILENT_TONE_ENERGY);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ShortMessageTest,
    testing::Values(MessageCase{"NoteOnChannel1", {NoteOn(0, KEY_A4)}, true},
                    MessageCase{"NoteOnChannel16", {NoteOn(15, KEY_A4)}, true},
                    MessageCase{"VelocityZeroIsNoteOff", {NoteOn(0, KEY_A4), NoteOn(0, KEY_A4, 0)}, false},
                    MessageCase{"NoteOff", {NoteOn(0, KEY_A4), 0x80u | (KEY_A4 << 8)}, false},
                    MessageCase{"NoteOffOnAnotherChannel", {NoteOn(0, KEY_A4), 0x81u | (KEY_A4 << 8)}, true},
                    MessageCase{"ChannelVolumeZero", {ControlChange(0, 7, 0), NoteOn(0, KEY_A4)}, false},
                    MessageCase{"ChannelVolumeZeroOnAnotherChannel", {ControlChange(1, 7, 0), NoteOn(0, KEY_A4)}, true},
                    MessageCase{"PitchBendIgnored", {NoteOn(0, KEY_A4), 0x7F7FE0u}, true},
                    MessageCase{"DataWithoutStatusIgnored", {0x7F00u | KEY_A4}, false}),
    [](const testing::TestParamInfo<MessageCase>& info) { return info.param.name; });

TEST_F(SynthRenderTest, ProgramChangeChangesTheSound)
{
    std::vector<std::vector<double>> profiles;
    for (int program : {0, 24})
    {
        Send({ProgramChange(0, program), NoteOn(0, KEY_A4)});
        profiles.push_back(HarmonicProfile(Render(0.3), KEY_A4));
        m_synth.Reset();
        Render(1.5);
    }
    // More than half a decade apart on average; the piano and the nylon
    // guitar of the default SoundFont are about 1.3 apart.
    EXPECT_GT(MeanDistance(profiles[0], profiles[1]), 0.5);
}

TEST_F(SynthRenderTest, ResetReleasesEverySoundingNote)
{
    for (int key : A_MINOR_KEYS)
        m_synth.ShortMessage(NoteOn(0, key));
    m_synth.ShortMessage(NoteOn(15, KEY_A4));
    const double before = MeanSquare(Render(0.5), Frames(0.25), Frames(0.25));

    m_synth.Reset();
    const std::vector<double> after = Render(1.2);

    // Released, not cut: the first 20 ms still carry the notes' release.
    EXPECT_GT(MeanSquare(after, 0, Frames(0.02)), 0.1 * before);
    EXPECT_LT(MeanSquare(after, Frames(1.0), Frames(0.2)), 1e-4 * before);
    EXPECT_LT(ToneEnergy(after, Frames(1.0), Frames(0.2), KeyFrequency(KEY_A4), RATE), SILENT_TONE_ENERGY);
}

TEST_F(SynthRenderTest, ResetLiftsTheSustainPedal)
{
    Send({ControlChange(0, 64, 127), NoteOn(0, KEY_A4)});
    Render(0.2);
    m_synth.Reset();
    EXPECT_LT(ToneEnergy(Render(1.2), Frames(1.0), Frames(0.2), KeyFrequency(KEY_A4), RATE), SILENT_TONE_ENERGY);
}

TEST_F(SynthRenderTest, ResetKeepsProgramsAndControllers)
{
    const int otherKey = 76;
    Send({NoteOn(0, KEY_A4)});
    const std::vector<double> piano = HarmonicProfile(Render(0.3), KEY_A4);
    m_synth.Reset();
    Render(1.5);
    Send({ProgramChange(0, 24), NoteOn(0, KEY_A4)});
    const std::vector<double> guitar = HarmonicProfile(Render(0.3), KEY_A4);
    Send({ControlChange(1, 7, 0)});

    m_synth.Reset();
    Render(1.5);
    Send({NoteOn(0, KEY_A4), NoteOn(1, otherKey)});
    const std::vector<double> sound = Render(0.3);

    EXPECT_LT(MeanDistance(HarmonicProfile(sound, KEY_A4), guitar), 0.1);
    EXPECT_GT(MeanDistance(HarmonicProfile(sound, KEY_A4), piano), 0.5);
    // Channel 2 stays at volume 0: only the guitar's own faint partials
    // lie near E5.
    EXPECT_LT(ToneEnergy(sound, Frames(0.1), Frames(0.2), KeyFrequency(otherKey), RATE),
              1e-3 * ToneEnergy(sound, Frames(0.1), Frames(0.2), KeyFrequency(KEY_A4), RATE));
}

}  // namespace

// What the main window sends to MIDI output device 0: the first messages of
// a run, the channel volume at each drawing of the slider, the chord and the
// single string with their root-string and range rules, Mute, and the close.
#include "sound_fixture.h"

#include "commctrl.h"

#include <climits>
#include <ostream>

namespace
{
using CallList = std::vector<std::string>;

const int A_MINOR_NOTES[6] = {28, 24, 21, 16, 9, 4};
const std::string A_MINOR_NOTE_ONS[5] = {ShortMsg("0x007F4090"), ShortMsg("0x007F3C90"), ShortMsg("0x007F3990"),
                                         ShortMsg("0x007F3490"), ShortMsg("0x007F2D90")};
const std::string LOW_E_NOTE_ON = ShortMsg("0x007F2890");
const std::string VOLUME_100 = ShortMsg("0x006407B0");

ChordTable AMinorTable()
{
    return {ChordFamily{{"Am"}, {A_MINOR}}};
}

TEST_F(SoundTest, ARunStartsWithProgramZeroThenVolume100ThenTheSliderAtEachDrawing)
{
    Open();
    // Nothing has been drawn yet: creation and set-up alone.
    const CallList creationAndSetUp{"midiOutGetNumDevs -> 1", "midiOutOpen 0 -> 0", ShortMsg("0x000000C0"), VOLUME_100};
    EXPECT_EQ(Calls(), creationAndSetUp);
    EXPECT_EQ(m_dlg.m_sliderVolume.GetRangeMin(), 0);
    EXPECT_EQ(m_dlg.m_sliderVolume.GetRangeMax(), 127);
    EXPECT_EQ(m_dlg.m_sliderVolume.GetPos(), 100);

    ASSERT_TRUE(afxtest::WaitFor([&] { return Calls().size() > 4; })) << "the slider was never drawn";
    for (const std::string& call : Calls())
    {
        if (call.rfind("midiOutShortMsg", 0) == 0 && call != ShortMsg("0x000000C0"))
        {
            EXPECT_EQ(call, VOLUME_100);
        }
    }

    // The user moves the slider one step: its next drawing sends it.
    afxtest::KeyPress(&m_dlg.m_sliderVolume, afxtest::VK_RIGHT);
    EXPECT_TRUE(afxtest::WaitFor([&] { return Calls().back() == ShortMsg("0x006507B0"); }));
}

TEST_F(SoundTest, ProgramChangeAtCreationCarriesTheProgram)
{
    m_dlg.m_nPatch = 127;
    Open();
    ASSERT_GE(Calls().size(), 3u);
    EXPECT_EQ(Calls()[2], ShortMsg("0x00007FC0"));
}

struct SliderCase
{
    int position;
    const char* message;
};

void PrintTo(const SliderCase& sliderCase, std::ostream* out)
{
    *out << sliderCase.position;
}

class SliderTest : public SoundTest, public ::testing::WithParamInterface<SliderCase>
{
};

TEST_P(SliderTest, EachDrawingSendsThePositionAsChannelVolume)
{
    Open();
    const std::string expected = ShortMsg(GetParam().message);
    m_dlg.m_sliderVolume.SetPos(GetParam().position);
    EXPECT_TRUE(afxtest::WaitFor([&] { return Calls().back() == expected; }));

    LRESULT result = 42;
    EXPECT_EQ(CallsOf([&] { m_dlg.OnNMCustomdrawVolume(nullptr, &result); }), CallList{expected});
    EXPECT_EQ(result, CDRF_DODEFAULT);
}

INSTANTIATE_TEST_SUITE_P(Ends, SliderTest,
                         ::testing::Values(SliderCase{0, "0x000007B0"}, SliderCase{127, "0x007F07B0"}),
                         [](const ::testing::TestParamInfo<SliderCase>& info) {
                             return "Position" + std::to_string(info.param.position);
                         });

struct ChordCase
{
    const char* name;
    std::vector<int> notes;
    int rootString;
    CallList calls;
};

void PrintTo(const ChordCase& chordCase, std::ostream* out)
{
    *out << chordCase.name;
}

CallList ResetThen(std::initializer_list<std::string> noteOns)
{
    CallList calls{RESET};
    calls.insert(calls.end(), noteOns);
    return calls;
}

class PlayChordTest : public SoundTest, public ::testing::WithParamInterface<ChordCase>
{
};

TEST_P(PlayChordTest, ResetsThenSoundsTheStringsTheRootAllows)
{
    Open();
    std::copy(GetParam().notes.begin(), GetParam().notes.end(), m_dlg.m_nNote);
    m_dlg.m_nRootString = GetParam().rootString;
    EXPECT_EQ(CallsOf([&] { m_dlg.PlayChord(); }), GetParam().calls);
}

const std::vector<int> A_MINOR_6(A_MINOR_NOTES, A_MINOR_NOTES + 6);
const auto& n = A_MINOR_NOTE_ONS;

INSTANTIATE_TEST_SUITE_P(
    Cases, PlayChordTest,
    ::testing::Values(
        ChordCase{"AMinorRootOnString5", A_MINOR_6, 4, ResetThen({n[0], n[1], n[2], n[3], n[4]})},
        ChordCase{"RootOnString6", A_MINOR_6, 5, ResetThen({n[0], n[1], n[2], n[3], n[4], LOW_E_NOTE_ON})},
        ChordCase{"RootOnString1", A_MINOR_6, 0, ResetThen({n[0], n[1], n[2], n[3]})},
        ChordCase{"RootOnString2", A_MINOR_6, 1, ResetThen({n[0], n[1], n[2], n[3]})},
        ChordCase{"RootOnString3", A_MINOR_6, 2, ResetThen({n[0], n[1], n[2], n[3]})},
        ChordCase{"RootOnString4", A_MINOR_6, 3, ResetThen({n[0], n[1], n[2], n[3]})},
        ChordCase{"NoStringPlayed", {-1, -1, -1, -1, -1, -1}, 4, CallList{RESET}},
        // Keys 40 and 84 are the lowest and highest that sound.
        ChordCase{"EdgesOfTheRange", {49, 48, 3, 4, -1, -1}, 5, ResetThen({ShortMsg("0x007F5490"), LOW_E_NOTE_ON})}),
    [](const ::testing::TestParamInfo<ChordCase>& info) { return std::string(info.param.name); });

struct StringCase
{
    const char* name;
    int string;
    int note;
    CallList calls;
};

void PrintTo(const StringCase& stringCase, std::ostream* out)
{
    *out << stringCase.name;
}

class PlayStringTest : public SoundTest, public ::testing::WithParamInterface<StringCase>
{
};

TEST_P(PlayStringTest, ResetsThenSoundsTheStringIfPlayed)
{
    Open();
    std::copy(A_MINOR_NOTES, A_MINOR_NOTES + 6, m_dlg.m_nNote);
    m_dlg.m_nNote[GetParam().string] = GetParam().note;
    // Root on string 1: a single string sounds whatever the root.
    m_dlg.m_nRootString = 0;
    EXPECT_EQ(CallsOf([&] { m_dlg.PlayString(GetParam().string); }), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlayStringTest,
                         ::testing::Values(StringCase{"String1", 0, 28, ResetThen({n[0]})},
                                           StringCase{"String6BelowTheRoot", 5, 4, ResetThen({LOW_E_NOTE_ON})},
                                           StringCase{"StringNotPlayed", 3, -1, CallList{RESET}}),
                         [](const ::testing::TestParamInfo<StringCase>& info) { return std::string(info.param.name); });

TEST_F(SoundTest, PlayButtonPlaysTheShownChordAndMuteOnlyResets)
{
    Open(AMinorTable());
    EXPECT_EQ(CallsOf([&] { afxtest::ClickButton(m_dlg.GetDlgItem(IDC_PLAY)); }),
              ResetThen({n[0], n[1], n[2], n[3], n[4]}));
    EXPECT_EQ(CallsOf([&] { afxtest::ClickButton(m_dlg.GetDlgItem(IDC_MUTE)); }), CallList{RESET});
}

// A base fret at the top of int, as a chord file may hold it: the fretted
// strings have no note to play, the open ones sound as always.
TEST_F(SoundTest, FrettedStringsAboveTheTopOfIntAreSilent)
{
    Open();
    m_dlg.Show({4, 0, 0, 0, -2, 0, 0, 0, 0, 0, 0, 0, INT_MAX});
    EXPECT_EQ(CallsOf([&] { m_dlg.PlayChord(); }),
              ResetThen({ShortMsg("0x007F3B90"), ShortMsg("0x007F3790"), ShortMsg("0x007F3290")}));
    EXPECT_EQ(CallsOf([&] { m_dlg.PlayString(0); }), CallList{RESET});
}

TEST_F(SoundTest, DestroyingTheWindowClosesTheDeviceWithoutAReset)
{
    Open();
    EXPECT_EQ(CallsOf([&] { m_run->Destroy(); }), CallList{CLOSE});
}
}  // namespace

// The chord library that ships with the program, checked as a guitarist and
// as the program see it: each fingering, sounded the way Play sounds it, is
// the chord its names say, a hand can play it, and the file is exactly what
// the writer and the generator produce.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "chord_table.h"
#include "chord_table_reader.h"
#include "chord_table_writer.h"
#include "scratch_dir.h"

namespace
{

// Note index (MIDI key minus 36) of the open strings 1..6, high E first.
constexpr int OPEN_STRING_NOTE[STRING_COUNT] = {28, 23, 19, 14, 9, 4};
// Play sounds only notes in this range.
constexpr int LOWEST_PLAYED_NOTE = 4;
constexpr int HIGHEST_PLAYED_NOTE = 48;
// Play sounds strings 1..4 always, strings 5 and 6 only down to the root.
constexpr int ALWAYS_SOUNDING_STRINGS = 4;

// A chord kind as its name suffixes spell it and the tones it holds, in
// semitones above the root. The fifth is optional only where a player may
// leave it out; everything else must sound.
struct Quality
{
    std::vector<std::string> requiredSuffixes;
    std::set<int> required;
    std::set<int> optional;
};

const std::vector<Quality>& Qualities()
{
    static const std::vector<Quality> qualities = {
        {{"", "M", "maj"}, {0, 4, 7}, {}}, {{"m", "min", "-"}, {0, 3, 7}, {}}, {{"5"}, {0, 7}, {}},
        {{"6"}, {0, 4, 9}, {7}},           {{"m6"}, {0, 3, 9}, {7}},           {{"7"}, {0, 4, 10}, {7}},
        {{"maj7", "M7"}, {0, 4, 11}, {7}}, {{"m7"}, {0, 3, 10}, {7}},          {{"mMaj7"}, {0, 3, 11}, {7}},
        {{"9"}, {0, 2, 4, 10}, {7}},       {{"add9"}, {0, 2, 4, 7}, {}},       {{"sus2"}, {0, 2, 7}, {}},
        {{"sus4"}, {0, 5, 7}, {}},         {{"7sus4"}, {0, 5, 7, 10}, {}},     {{"dim"}, {0, 3, 6}, {}},
        {{"dim7"}, {0, 3, 6, 9}, {}},      {{"aug"}, {0, 4, 8}, {}},           {{"m7b5"}, {0, 3, 6, 10}, {}},
    };
    return qualities;
}

// Other spellings a name may use, by the quality they mean.
const std::map<std::string, size_t>& SuffixSynonyms()
{
    static const std::map<std::string, size_t> synonyms = {
        {"min6", 4},  {"min7", 7}, {"-7", 7},  {"mM7", 8}, {"sus", 12},
        {"7sus", 13}, {"o", 14},   {"o7", 15}, {"+", 16},  {"m7-5", 17},
    };
    return synonyms;
}

struct ChordName
{
    int root;
    size_t quality;
    bool operator==(const ChordName& other) const { return root == other.root && quality == other.quality; }
    bool operator<(const ChordName& other) const
    {
        return root != other.root ? root < other.root : quality < other.quality;
    }
};

// Root letter, an optional sharp or flat, then the quality suffix.
std::optional<ChordName> ParseChordName(const std::string& name)
{
    static const std::map<char, int> letters = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    if (name.empty() || letters.count(name[0]) == 0)
        return std::nullopt;
    int root = letters.at(name[0]);
    size_t rest = 1;
    if (name.size() > 1 && (name[1] == '#' || name[1] == 'b'))
    {
        root += name[1] == '#' ? 1 : -1;
        rest = 2;
    }
    const std::string suffix = name.substr(rest);
    const std::vector<Quality>& qualities = Qualities();
    for (size_t q = 0; q < qualities.size(); ++q)
        for (const std::string& spelled : qualities[q].requiredSuffixes)
            if (suffix == spelled)
                return ChordName{(root + 12) % 12, q};
    const auto synonym = SuffixSynonyms().find(suffix);
    if (synonym == SuffixSynonyms().end())
        return std::nullopt;
    return ChordName{(root + 12) % 12, synonym->second};
}

// Every spelling of a root: the sharp one first where there are two.
std::vector<std::string> RootSpellings(int root)
{
    static const std::vector<std::vector<std::string>> spellings = {
        {"C"},        {"C#", "Db"}, {"D"},        {"D#", "Eb"}, {"E"},        {"F"},
        {"F#", "Gb"}, {"G"},        {"G#", "Ab"}, {"A"},        {"A#", "Bb"}, {"B"},
    };
    return spellings[root];
}

int Fret(int code)
{
    return std::abs(code);
}
bool IsPressed(int code)
{
    return code != POS_OPEN && code != POS_ROOT_OPEN && code != POS_NOT_PLAYED;
}

// The note index of every string as the display computes it, -1 when not
// played.
std::vector<int> StringNotes(const Applicature& a)
{
    std::vector<int> notes(STRING_COUNT, -1);
    for (int s = 0; s < STRING_COUNT; ++s)
    {
        const int code = a[s];
        if (code == POS_OPEN || code == POS_ROOT_OPEN)
            notes[s] = OPEN_STRING_NOTE[s];
        else if (IsPressed(code))
            notes[s] = OPEN_STRING_NOTE[s] + a[POSITION_INDEX] + Fret(code);
    }
    return notes;
}

// The root string as the display finds it: the last string with a negative
// code.
int RootString(const Applicature& a)
{
    int root = -1;
    for (int s = 0; s < STRING_COUNT; ++s)
        if (a[s] < 0)
            root = s;
    return root;
}

// The strings Play sounds.
std::vector<int> SoundingStrings(const Applicature& a)
{
    const std::vector<int> notes = StringNotes(a);
    const int root = RootString(a);
    std::vector<int> sounding;
    for (int s = 0; s < STRING_COUNT; ++s)
        if (notes[s] >= LOWEST_PLAYED_NOTE && notes[s] <= HIGHEST_PLAYED_NOTE &&
            (s < ALWAYS_SOUNDING_STRINGS || s <= root))
            sounding.push_back(s);
    return sounding;
}

std::string Describe(const Applicature& a)
{
    std::ostringstream text;
    for (size_t i = 0; i < a.size(); ++i)
        text << (i == 0 ? "" : i == FINGER_INDEX || i == POSITION_INDEX ? " / " : " ") << a[i];
    return text.str();
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ShippedLibrary : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_table = new ChordTable;
        s_readWhole = ChordTableReader(SHIPPED_CHORD_FILE, s_table).IsReadWhole();
    }
    static void TearDownTestSuite()
    {
        delete s_table;
        s_table = nullptr;
    }

    static const ChordTable& Table() { return *s_table; }

    static ChordName FamilyChord(const ChordFamily& family)
    {
        const std::optional<ChordName> chord = ParseChordName(family.names.at(0));
        if (!chord)
            ADD_FAILURE() << "no chord name: " << family.names.at(0);
        return chord.value_or(ChordName{0, 0});
    }

    static ChordTable* s_table;
    static bool s_readWhole;
};

ChordTable* ShippedLibrary::s_table = nullptr;
bool ShippedLibrary::s_readWhole = false;

TEST_F(ShippedLibrary, IsInTheWritersExactLayout)
{
    ASSERT_TRUE(s_readWhole);
    ScratchDir scratch;
    const std::string rewritten = scratch.Path("Tabulor.xml");
    ASSERT_TRUE(ChordTableWriter(rewritten.c_str(), &Table(), 0, 0).IsWritten());
    EXPECT_TRUE(ReadBytes(rewritten) == ReadBytes(SHIPPED_CHORD_FILE));
}

TEST_F(ShippedLibrary, IsWhatTheGeneratorWrites)
{
    ScratchDir scratch;
    const std::string generated = scratch.Path("generated.xml");
    const std::string command = std::string("'") + CHORD_GENERATOR + "' '" + generated + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string expected = ReadBytes(SHIPPED_CHORD_FILE);
    const std::string actual = ReadBytes(generated);
    if (actual != expected)
    {
        const auto diff = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
        const size_t at = static_cast<size_t>(diff.first - expected.begin());
        const size_t lineStart = expected.rfind('\n', at) == std::string::npos ? 0 : expected.rfind('\n', at) + 1;
        FAIL() << "data/Tabulor.xml differs from the generator's output at byte " << at << ", line \""
               << expected.substr(lineStart, expected.find('\r', lineStart) - lineStart)
               << "\"; regenerate it with tabulor-chordgen";
    }
}

TEST_F(ShippedLibrary, HoldsEveryChordOnceInRootAndQualityOrder)
{
    const size_t expectedFamilies = 12 * Qualities().size();
    ASSERT_EQ(Table().size(), expectedFamilies);
    std::optional<ChordName> previous;
    for (const ChordFamily& family : Table())
    {
        const ChordName chord = FamilyChord(family);
        SCOPED_TRACE(family.names.at(0));
        if (previous)
        {
            EXPECT_TRUE(*previous < chord) << "families out of order";
        }
        previous = chord;
    }
}

TEST_F(ShippedLibrary, NamesOfAFamilyAllMeanItsChord)
{
    for (const ChordFamily& family : Table())
    {
        const ChordName chord = FamilyChord(family);
        SCOPED_TRACE(family.names.at(0));
        const std::vector<std::string> spellings = RootSpellings(chord.root);
        const std::vector<std::string>& suffixes = Qualities()[chord.quality].requiredSuffixes;
        EXPECT_EQ(family.names.front(), spellings.front() + suffixes.front()) << "the plain spelling comes first";
        for (const std::string& spelling : spellings)
            for (const std::string& suffix : suffixes)
                EXPECT_NE(std::find(family.names.begin(), family.names.end(), spelling + suffix), family.names.end())
                    << "missing " << spelling + suffix;
        std::set<std::string> seen;
        for (const std::string& name : family.names)
        {
            EXPECT_TRUE(seen.insert(name).second) << "twice: " << name;
            EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char c) { return c > ' ' && c < 127 && c != ','; }))
                << "not a plain ASCII name: " << name;
            const std::optional<ChordName> meaning = ParseChordName(name);
            EXPECT_TRUE(meaning && *meaning == chord) << name << " names another chord";
        }
    }
}

TEST_F(ShippedLibrary, FirstAmIsTheOpenAMinor)
{
    const auto am = std::find_if(Table().begin(), Table().end(), [](const ChordFamily& family) {
        return std::find(family.names.begin(), family.names.end(), "Am") != family.names.end();
    });
    ASSERT_NE(am, Table().end());
    ASSERT_FALSE(am->variants.empty());
    EXPECT_EQ(am->variants.front(), (Applicature{0, 1, 2, 2, -10, 0, 0, 1, 3, 2, 0, 0, 0}));
}

TEST_F(ShippedLibrary, EveryFamilyHasThreeDistinctFingerings)
{
    for (const ChordFamily& family : Table())
    {
        SCOPED_TRACE(family.names.at(0));
        EXPECT_GE(family.variants.size(), 3u);
        const std::set<Applicature> distinct(family.variants.begin(), family.variants.end());
        EXPECT_EQ(distinct.size(), family.variants.size()) << "the same fingering twice";
    }
}

TEST_F(ShippedLibrary, EveryFingeringHoldsOnlyValuesTheProgramShows)
{
    static const std::set<int> codes = {0, 1, 2, 3, 4, 10, -1, -2, -3, -4, -10};
    for (const ChordFamily& family : Table())
        for (const Applicature& a : family.variants)
        {
            SCOPED_TRACE(family.names.at(0) + ": " + Describe(a));
            ASSERT_EQ(a.size(), static_cast<size_t>(APPLICATURE_SIZE));
            for (int s = 0; s < STRING_COUNT; ++s)
            {
                EXPECT_EQ(codes.count(a[s]), 1u) << "string " << s + 1;
                EXPECT_EQ(a[FINGER_INDEX + s] != 0, IsPressed(a[s])) << "finger of string " << s + 1;
                EXPECT_TRUE(a[FINGER_INDEX + s] >= 0 && a[FINGER_INDEX + s] <= MAX_FINGER)
                    << "finger of string " << s + 1;
            }
            EXPECT_TRUE(a[POSITION_INDEX] >= 0 && a[POSITION_INDEX] <= MAX_POSITION);
            EXPECT_EQ(std::count_if(a.begin(), a.begin() + STRING_COUNT, [](int code) { return code < 0; }), 1)
                << "one root mark";
        }
}

TEST_F(ShippedLibrary, EveryFingeringSoundsItsChordWithTheRootInTheBass)
{
    for (const ChordFamily& family : Table())
    {
        const ChordName chord = FamilyChord(family);
        const Quality& quality = Qualities()[chord.quality];
        for (const Applicature& a : family.variants)
        {
            SCOPED_TRACE(family.names.at(0) + ": " + Describe(a));
            const std::vector<int> notes = StringNotes(a);
            const std::vector<int> sounding = SoundingStrings(a);
            ASSERT_FALSE(sounding.empty());
            const int root = RootString(a);
            EXPECT_EQ(sounding.back(), root) << "the root mark is on the lowest sounding string";
            for (int s = root + 1; s < STRING_COUNT; ++s)
                EXPECT_FALSE(IsPressed(a[s])) << "string " << s + 1 << " is pressed below the bass";

            int lowest = notes[sounding.front()];
            std::set<int> intervals;
            for (int s : sounding)
            {
                lowest = std::min(lowest, notes[s]);
                intervals.insert(((notes[s] - chord.root) % 12 + 12) % 12);
            }
            EXPECT_EQ(((lowest - chord.root) % 12 + 12) % 12, 0) << "the lowest note is the root";
            for (int interval : intervals)
                EXPECT_TRUE(quality.required.count(interval) + quality.optional.count(interval) == 1)
                    << interval << " semitones above the root is not in the chord";
            for (int interval : quality.required)
                EXPECT_EQ(intervals.count(interval), 1u) << interval << " semitones above the root does not sound";
        }
    }
}

// A hand frets each string with one finger; a finger on several strings is a
// barre, which lies flat on one fret and presses every string it crosses;
// fingers from index to little finger never go back down the neck; and the
// shape starts in the first column shown unless it uses open strings.
TEST_F(ShippedLibrary, EveryFingeringIsPlayableAndStartsInTheFirstColumn)
{
    for (const ChordFamily& family : Table())
        for (const Applicature& a : family.variants)
        {
            SCOPED_TRACE(family.names.at(0) + ": " + Describe(a));
            std::map<int, std::vector<int>> stringsOfFinger;
            for (int s = 0; s < STRING_COUNT; ++s)
                if (IsPressed(a[s]))
                    stringsOfFinger[a[FINGER_INDEX + s]].push_back(s);

            int previousFret = 0;
            for (const auto& [finger, strings] : stringsOfFinger)
            {
                const int fret = Fret(a[strings.front()]);
                EXPECT_GE(fret, previousFret) << "finger " << finger << " lies behind a lower finger";
                previousFret = fret;
                for (int s = strings.front(); s <= strings.back(); ++s)
                {
                    const bool onBarre = std::find(strings.begin(), strings.end(), s) != strings.end();
                    if (onBarre)
                    {
                        EXPECT_EQ(Fret(a[s]), fret) << "finger " << finger << " on two frets";
                    }
                    else
                    {
                        EXPECT_TRUE(IsPressed(a[s]) && Fret(a[s]) > fret)
                            << "string " << s + 1 << " under the barre of finger " << finger;
                    }
                }
            }

            const bool usesOpenString = std::any_of(a.begin(), a.begin() + STRING_COUNT,
                                                    [](int code) { return code == POS_OPEN || code == POS_ROOT_OPEN; });
            if (usesOpenString)
                EXPECT_EQ(a[POSITION_INDEX], 0) << "open shapes are shown from the nut";
            else
                EXPECT_TRUE(std::any_of(a.begin(), a.begin() + STRING_COUNT, [](int code) { return Fret(code) == 1; }))
                    << "the lowest finger is not in the first column";
        }
}

// Open position first, then up the neck.
TEST_F(ShippedLibrary, FingeringsGoFromTheNutUpTheNeck)
{
    for (const ChordFamily& family : Table())
    {
        SCOPED_TRACE(family.names.at(0));
        for (size_t i = 1; i < family.variants.size(); ++i)
            EXPECT_LE(family.variants[i - 1][POSITION_INDEX], family.variants[i][POSITION_INDEX]) << "fingering " << i;
    }
}

}  // namespace

// Next fingering through the chord on show, and the random chord with the
// numbers it draws from the program's generator.
#include "dialog_fixture.h"

#include "crt.h"

#include <filesystem>

namespace
{
const Applicature A_MINOR_1 = {0, 1, 2, 2, -10, 0, 0, 1, 3, 2, 0, 0, 0};
const Applicature A_MINOR_2 = {1, 1, 2, 3, 3, -1, 1, 1, 2, 4, 3, 1, 4};
const Applicature A_MINOR_3 = {10, 3, 4, 4, -2, 10, 0, 1, 3, 4, 2, 0, 4};
const Applicature C_MAJOR = {0, 1, 0, 2, -3, 10, 0, 1, 0, 2, 3, 0, 0};
const Applicature D_MAJOR = {2, 3, 2, 0, -10, 10, 2, 3, 1, 0, 0, 0, 0};
const Applicature G_MAJOR = {3, 0, 0, 0, 2, -3, 4, 0, 0, 0, 1, 3, 0};

// The generator the program draws from, written out here on its own:
// state * 214013 + 2531011 modulo 2^32, bits 16..30.
class ReferenceGenerator
{
public:
    explicit ReferenceGenerator(unsigned int seed) : m_state(seed) {}
    int Next()
    {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

private:
    uint32_t m_state;
};

class NextAndRandomTest : public DialogTest
{
protected:
    void ClickNext() { afxtest::ClickButton(Item(IDOK)); }
    void ClickRandom() { afxtest::ClickButton(Item(IDC_RANDOM)); }
};

TEST_F(NextAndRandomTest, NextFingeringStepsThroughTheFamilyAndWraps)
{
    Open({{{"Am", "Amin"}, {A_MINOR_1, A_MINOR_2, A_MINOR_3}}});
    TypeChordName("Amin");
    ASSERT_EQ(m_dlg.Shown(), A_MINOR_1);

    const struct
    {
        int index;
        const Applicature& shown;
    } steps[] = {{1, A_MINOR_2}, {2, A_MINOR_3}, {0, A_MINOR_1}, {1, A_MINOR_2}};
    for (const auto& step : steps)
    {
        ClickNext();
        EXPECT_EQ(m_dlg.m_nVariantIndex, step.index);
        EXPECT_EQ(m_dlg.Shown(), step.shown);
        EXPECT_EQ(m_dlg.m_currentApplicature, step.shown);
    }
    // Enter in the chord-name box presses it too.
    afxtest::KeyPress(Item(IDC_CHORD_NAME), afxtest::VK_RETURN);
    EXPECT_EQ(m_dlg.m_nVariantIndex, 2);
    EXPECT_TRUE(m_dlg.IsWindowVisible());
    EXPECT_FALSE(m_run->Ended());

    // The box and the names line stay; an index outside the list starts it
    // again.
    EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAME), "Amin");
    EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAMES), "Am | Amin");
    for (int outside : {-1, -5, 3, 1000})
    {
        m_dlg.m_nVariantIndex = outside;
        ClickNext();
        EXPECT_EQ(m_dlg.m_nVariantIndex, 0) << outside;
    }
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(NextAndRandomTest, OneFingeringIsShownAgainAndNoneIsSilence)
{
    Applicature badFinger = C_MAJOR;
    badFinger[6] = 7;
    Open({{{"C"}, {badFinger}}});
    TypeChordName("C");
    ASSERT_EQ(m_boxes.Boxes().size(), 1u);

    ClickNext();
    EXPECT_EQ(m_dlg.m_nVariantIndex, 0);
    // Shown again, so its bad finger is reported again.
    ASSERT_EQ(m_boxes.Boxes().size(), 2u);
    EXPECT_EQ(m_boxes.Boxes()[1].text, "Error! Invalidate number of left hand finger on 1 string!");

    TypeChordName("X");
    m_boxes.Clear();
    m_dlg.GetDlgItem(IDC_POSITION1)->SetWindowText("?");
    ClickNext();
    EXPECT_EQ(m_dlg.Shown(), NOT_PLAYED);
    EXPECT_EQ(m_dlg.FretLabels()[0], "?");
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

// Families of different sizes, with the names line each one gives.
struct Family
{
    ChordFamily family;
    const char* namesLine;
};

const std::vector<Family> FAMILIES = {
    {{{"Am", "Amin", "A-"}, {A_MINOR_1, A_MINOR_2, A_MINOR_3}}, "Am | Amin | A-"},
    {{{"C"}, {C_MAJOR}}, "C"},
    {{{"D", "Dmaj"}, {D_MAJOR, A_MINOR_2}}, "D | Dmaj"},
    {{{"G", "G major"}, {G_MAJOR}}, "G | G major"},
    {{{"Am"}, {C_MAJOR, D_MAJOR, G_MAJOR, A_MINOR_1}}, "Am"},
};

ChordTable TableOf(const std::vector<Family>& families)
{
    ChordTable table;
    for (const Family& f : families)
        table.push_back(f.family);
    return table;
}

TEST_F(NextAndRandomTest, RandomPickDrawsFamilyThenFingeringThenName)
{
    Open(TableOf(FAMILIES));
    const unsigned int SEED = 20110703;
    crt::srand(SEED);
    ReferenceGenerator reference(SEED);

    for (int click = 0; click < 30; ++click)
    {
        SCOPED_TRACE(click);
        const size_t f = reference.Next() % FAMILIES.size();
        const ChordFamily& family = FAMILIES[f].family;
        const size_t v = reference.Next() % family.variants.size();
        const size_t n = reference.Next() % family.names.size();

        ClickRandom();

        EXPECT_EQ(m_dlg.m_nVariantIndex, static_cast<int>(v));
        EXPECT_EQ(m_dlg.Shown(), family.variants[v]);
        EXPECT_EQ(m_dlg.m_currentApplicature, family.variants[v]);
        EXPECT_EQ(m_dlg.m_currentVariants, family.variants);
        EXPECT_EQ(m_dlg.m_currentNames, family.names);
        // Written through the exchange: the box shows the name and no lookup
        // replaced the picked fingering (the first "Am" family would win).
        EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAME), family.names[n].c_str());
        EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAMES), FAMILIES[f].namesLine);

        // Next fingering goes on within the picked family.
        ClickNext();
        const size_t next = (v + 1) % family.variants.size();
        EXPECT_EQ(m_dlg.m_nVariantIndex, static_cast<int>(next));
        EXPECT_EQ(m_dlg.Shown(), family.variants[next]);
    }
    // Exactly three numbers per click.
    EXPECT_EQ(crt::rand(), reference.Next());
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(NextAndRandomTest, RandomWithAnEmptyTableDoesNothingAndDrawsNothing)
{
    Open({});
    const Applicature before = m_dlg.Shown();
    crt::srand(7);
    ReferenceGenerator reference(7);

    ClickRandom();

    EXPECT_EQ(crt::rand(), reference.Next());
    EXPECT_EQ(m_dlg.Shown(), before);
    EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAME), "Am");
    EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAMES), "Am (here are all chord name variants)");
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(NextAndRandomTest, RandomFamilyWithoutFingeringsIsNamedAndShowsNoStringPlayed)
{
    Open({{{"X", "Y"}, {}}});
    TypeChordName("Q");
    m_dlg.m_currentApplicature = C_MAJOR;
    m_dlg.m_nVariantIndex = 3;
    crt::srand(99);
    ReferenceGenerator reference(99);
    reference.Next();  // the family
    const int n = reference.Next() % 2;

    ClickRandom();

    EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAME), n == 0 ? "X" : "Y");
    EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAMES), "X | Y");
    EXPECT_EQ(m_dlg.Shown(), NOT_PLAYED);
    EXPECT_TRUE(m_dlg.m_currentVariants.empty());
    EXPECT_TRUE(m_dlg.m_currentApplicature.empty());
    EXPECT_EQ(m_dlg.m_nVariantIndex, 0);
    // Family and name only: no number for a fingering there is not.
    EXPECT_EQ(crt::rand(), reference.Next());

    ClickNext();
    EXPECT_EQ(m_dlg.Shown(), NOT_PLAYED);
}

TEST_F(NextAndRandomTest, InEditionModeRandomSavesAndDrawsNothing)
{
    Open({{{"C"}, {C_MAJOR}}});
    std::filesystem::remove("Tabulor.xml");
    TypeChordName("edition mode");
    m_boxes.Clear();
    crt::srand(5);
    ReferenceGenerator reference(5);

    ClickRandom();

    EXPECT_EQ(crt::rand(), reference.Next());
    EXPECT_TRUE(std::filesystem::exists("Tabulor.xml"));
    ASSERT_EQ(m_boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_boxes.Boxes()[0].text, "All chords applicatures are saved to Tabulor.xml file");
}
}  // namespace

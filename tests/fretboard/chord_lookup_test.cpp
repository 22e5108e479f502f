// The chord-name box typed into with real keys: special words, the lookup,
// and what the window shows after each text.
#include "dialog_fixture.h"

namespace
{
const Applicature C_MAJOR = {0, 1, 0, 2, -3, 10, 0, 1, 0, 2, 3, 0, 0};
const Applicature A_MINOR_HIGH = {1, 1, 2, 3, 3, -1, 1, 1, 2, 4, 3, 1, 4};

// The second "Am" can never be reached by its name: the first one wins.
const ChordTable TABLE = {
    {{"Am", "Amin"}, {A_MINOR, A_MINOR_HIGH}},
    {{"C", "Cmaj", "C major"}, {C_MAJOR}},
    {{"Am"}, {C_MAJOR}},
    {{"Empty"}, {}},
};

const char* const DEFAULT_TITLE = "Tabulor 2011.07.03";
const char* const EDITION_TITLE = "Tabulor - EDITION MODE";
const std::string EDITION_MESSAGE =
    "Attention! You are in edition mode. You can only add new chords! To edit existing chord change "
    "Tabulor.xml manually. Please send modified Tabulor.xml to tabulor@example.org if you wish "
    "public your name and added chords on programm web page.";

struct Box
{
    std::string text;
    std::string caption;  // empty: the application title
};

struct TypedCase
{
    const char* typed;
    bool editionMode;
    std::vector<Box> boxes;
    const char* namesLine;
    Applicature shown;
    size_t currentVariants;
};

// Typed one after the other: each row starts from what the row before left.
const std::vector<TypedCase> TYPED = {
    {"Am", false, {}, "Am | Amin", A_MINOR, 2},
    {"am", false, {}, "", NOT_PLAYED, 0},
    {"C major", false, {}, "C | Cmaj | C major", C_MAJOR, 1},
    {"Empty", false, {}, "Empty", NOT_PLAYED, 0},
    {"Cmaj", false, {}, "C | Cmaj | C major", C_MAJOR, 1},
    {"", false, {}, "", NOT_PLAYED, 0},
    {"count all", false, {}, "", NOT_PLAYED, 0},
    {"editionmode", false, {}, "", NOT_PLAYED, 0},
    {"edition  mode", false, {}, "", NOT_PLAYED, 0},
    {"C", false, {}, "C | Cmaj | C major", C_MAJOR, 1},
    {"Edition Mode", true, {{EDITION_MESSAGE, "Edition mode"}}, "", NOT_PLAYED, 0},
    {"Am", true, {}, "", NOT_PLAYED, 0},
    {"COUNT ALL",
     true,
     {{"Chord name families count = 4\nAll applicatures count = 4", "STATICSTIC REPORT"}},
     "",
     NOT_PLAYED,
     0},
    {" edition mode", true, {}, "", NOT_PLAYED, 0},
    {"EDITION MODE", true, {{EDITION_MESSAGE, "Edition mode"}}, "", NOT_PLAYED, 0},
    {"Default mode", false, {{"Attention! You are in default mode.", ""}}, "", NOT_PLAYED, 0},
    {"default mode", false, {{"Attention! You are in default mode.", ""}}, "", NOT_PLAYED, 0},
    {"Amin", false, {}, "Am | Amin", A_MINOR, 2},
};

class ChordLookupTest : public DialogTest
{
};

TEST_F(ChordLookupTest, TypedTextsAndWhatTheWindowShows)
{
    Open(TABLE);
    for (const TypedCase& c : TYPED)
    {
        SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
        m_boxes.Clear();

        TypeChordName(c.typed);

        EXPECT_EQ(m_dlg.m_bEditionMode, c.editionMode);
        CString title;
        m_dlg.GetWindowText(title);
        EXPECT_STREQ(title, c.editionMode ? EDITION_TITLE : DEFAULT_TITLE);
        EXPECT_STREQ(m_dlg.Text(IDOK), c.editionMode ? "ADD CHORD" : "N&ext fingering");
        EXPECT_STREQ(m_dlg.Text(IDC_RANDOM), c.editionMode ? "SAVE" : "&Random");
        ASSERT_EQ(m_boxes.Boxes().size(), c.boxes.size());
        for (size_t i = 0; i < c.boxes.size(); ++i)
        {
            const afxtest::MessageBoxRecord& box = m_boxes.Boxes()[i];
            EXPECT_EQ(box.text, c.boxes[i].text);
            EXPECT_EQ(box.caption, c.boxes[i].caption.empty() ? std::string(AfxGetAppName()) : c.boxes[i].caption);
            EXPECT_EQ(box.type, UINT(MB_OK));
            EXPECT_EQ(box.owner, m_dlg.GetSafeHwnd());
        }
        EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAMES), c.namesLine);
        EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAME), c.typed);
        EXPECT_STREQ(m_dlg.m_strChordName, c.typed);
        EXPECT_EQ(m_dlg.Shown(), c.shown);
        EXPECT_EQ(m_dlg.m_currentVariants.size(), c.currentVariants);
        if (c.currentVariants > 0 && !c.editionMode)
        {
            EXPECT_EQ(m_dlg.m_currentApplicature, c.shown);
        }
    }
}

TEST_F(ChordLookupTest, TextWrittenByDataExchangeStartsNoLookup)
{
    Open(TABLE);
    TypeChordName("C");
    ASSERT_EQ(m_dlg.Shown(), C_MAJOR);

    m_dlg.m_strChordName = "Am";
    m_dlg.UpdateData(FALSE);

    EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAME), "Am");
    EXPECT_EQ(m_dlg.Shown(), C_MAJOR);
    EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAMES), "C | Cmaj | C major");
}

TEST_F(ChordLookupTest, FingeringOfTheWrongSizeEndsTheProgram)
{
    Open(TABLE);
    m_dlg.m_chordTable.push_back({{"Short"}, {Applicature(12, 0)}});
    m_dlg.m_strChordName = "Short";
    m_dlg.UpdateData(FALSE);

    afxtest::ExitTrap exitTrap;
    int exitCode = -1;
    try
    {
        m_dlg.OnEnChangeChordName();
    }
    catch (const afxtest::ProcessExit& exit)
    {
        exitCode = exit.code;
    }
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(m_boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_boxes.Boxes()[0].text, "Error of applicature data size in Tabulor.xml file!");
    EXPECT_EQ(m_boxes.Boxes()[0].caption, AfxGetAppName());
}
}  // namespace

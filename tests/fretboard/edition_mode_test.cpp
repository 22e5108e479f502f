// Edition mode's ADD CHORD and SAVE: which family gets the board's
// fingering, what is refused, and what reaches the chord file.
#include "dialog_fixture.h"

#include "chord_table_reader.h"

#include <filesystem>
#include <fstream>
#include <csignal>
#include <iterator>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>

namespace
{
const Applicature C_MAJOR = {0, 1, 0, 2, -3, 10, 0, 1, 0, 2, 3, 0, 0};
const Applicature A_MINOR_NO_ROOT = {0, 1, 2, 2, 0, 0, 0, 1, 3, 2, 0, 0, 0};
const Applicature A_MINOR_OTHER_FINGER = {0, 1, 2, 2, -10, 0, 0, 1, 3, 4, 0, 0, 0};
const Applicature A_MINOR_FRET_5 = {0, 1, 2, 2, -10, 0, 0, 1, 3, 2, 0, 0, 5};

const ChordTable TABLE = {
    {{"Am", "Amin"}, {A_MINOR}},
    {{"C", "Cmaj", "C major"}, {C_MAJOR}},
    {{"Empty"}, {}},
    {{"Am"}, {C_MAJOR}},
};

const char* const ATTENTION = "Attention";
const std::string NOT_FOUND = "This chord applicature cannot be added in current version of program because it's name "
                              "wasn't found in all chord names! Save it to Tabulor.xml manually :(";
const std::string DUPLICATE = "This chord applicature is already exist!";
const std::string ADDED = "This chord applicature was successfully added! You can test this applicature in default "
                          "mode. To save all added new chords to Tabulor.xml file press SAVE button in edition mode.";
const std::string SAVED = "All chords applicatures are saved to Tabulor.xml file";
const std::string NOT_SAVED = "Chords applicatures were NOT saved! Tabulor.xml could not be written.";
const std::string INCOMPLETE =
    "Tabulor.xml was not read completely at start, so saving would lose chords! Please repair "
    "Tabulor.xml first.";

std::string FileBytes(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ChordTable ReadBack()
{
    ChordTable table;
    ChordTableReader reader("Tabulor.xml", &table);
    EXPECT_TRUE(reader.IsReadWhole());
    return table;
}

class EditionModeTest : public DialogTest
{
protected:
    void EnterEditionMode()
    {
        TypeChordName("edition mode");
        ASSERT_TRUE(m_dlg.m_bEditionMode);
        m_boxes.Clear();
    }

    // The one box the last action showed, with its caption.
    void ExpectOneBox(const std::string& text, const std::string& caption)
    {
        ASSERT_EQ(m_boxes.Boxes().size(), 1u);
        EXPECT_EQ(m_boxes.Boxes()[0].text, text);
        EXPECT_EQ(m_boxes.Boxes()[0].caption, caption);
        EXPECT_EQ(m_boxes.Boxes()[0].type, UINT(MB_OK));
        EXPECT_EQ(m_boxes.Boxes()[0].owner, m_dlg.GetSafeHwnd());
        m_boxes.Clear();
    }

    void ClickSave() { afxtest::ClickButton(Item(IDC_RANDOM)); }

    // In edition mode on TABLE, adds the fingering to the family named name
    // with ADD CHORD, the boxes of that taken away.
    void AddInEditionMode(const Applicature& fingering, const char* name)
    {
        Open(TABLE);
        EnterEditionMode();
        m_dlg.Show(fingering);
        TypeChordName(name);
        afxtest::ClickButton(Item(IDOK));
        m_boxes.Clear();
    }
};

struct AddCase
{
    const char* typed;
    const Applicature& board;
    const std::string& box;
    const char* namesLine;   // what the names line shows afterwards
    size_t family;           // the family it concerns, in TABLE
    size_t familyVariants;   // its fingerings in the table afterwards
    size_t currentVariants;  // m_currentVariants afterwards
};

// Pressed one after the other: each row starts from what the rows before
// left in the table.
const AddCase ADDS[] = {
    {"am", C_MAJOR, NOT_FOUND, "", 0, 1, 0},
    {"Am ", C_MAJOR, NOT_FOUND, "", 0, 1, 0},
    {"C major", A_MINOR, ADDED, "C | Cmaj | C major", 1, 2, 1},
    {"C major", A_MINOR, DUPLICATE, "C | Cmaj | C major", 1, 2, 2},
    {"Am", A_MINOR, DUPLICATE, "Am | Amin", 0, 1, 1},
    {"Am", A_MINOR_NO_ROOT, ADDED, "Am | Amin", 0, 2, 1},
    {"Amin", A_MINOR_OTHER_FINGER, ADDED, "Am | Amin", 0, 3, 2},
    {"Am", A_MINOR_FRET_5, ADDED, "Am | Amin", 0, 4, 3},
    {"Cmaj", C_MAJOR, DUPLICATE, "C | Cmaj | C major", 1, 2, 2},
    {"Empty", C_MAJOR, ADDED, "Empty", 2, 1, 0},
    {"Empty", C_MAJOR, DUPLICATE, "Empty", 2, 1, 1},
};

TEST_F(EditionModeTest, AddChordExtendsTheFirstFamilyWithTheTypedName)
{
    Open(TABLE);
    EnterEditionMode();
    ChordTable expected = TABLE;

    for (const AddCase& c : ADDS)
    {
        SCOPED_TRACE(testing::Message() << "\"" << c.typed << "\" then " << c.box.substr(0, 30));
        m_dlg.Show(c.board);
        TypeChordName(c.typed);
        m_dlg.m_currentApplicature = NOT_PLAYED;
        m_dlg.m_nVariantIndex = 5;
        m_dlg.GetDlgItem(IDC_POSITION1)->SetWindowText("?");
        m_boxes.Clear();

        afxtest::ClickButton(Item(IDOK));

        ExpectOneBox(c.box, ATTENTION);
        if (c.box == ADDED)
        {
            expected[c.family].variants.push_back(c.board);
            EXPECT_EQ(m_dlg.m_currentApplicature, c.board);
        }
        else
            EXPECT_EQ(m_dlg.m_currentApplicature, NOT_PLAYED);
        EXPECT_EQ(m_dlg.m_chordTable, expected);
        EXPECT_EQ(m_dlg.m_chordTable[c.family].variants.size(), c.familyVariants);
        EXPECT_EQ(m_dlg.m_currentVariants.size(), c.currentVariants);
        EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAMES), c.namesLine);
        // Neither the board nor its labels nor the index change.
        EXPECT_EQ(m_dlg.Shown(), c.board);
        EXPECT_EQ(m_dlg.FretLabels()[0], "?");
        EXPECT_EQ(m_dlg.m_nVariantIndex, 5);
        EXPECT_STREQ(m_dlg.Text(IDC_CHORD_NAME), c.typed);
    }
}

TEST_F(EditionModeTest, EnterAddsAndCountAllCountsTheAddition)
{
    Open(TABLE);
    EnterEditionMode();
    TypeChordName("count all");
    ExpectOneBox("Chord name families count = 4\nAll applicatures count = 3", "STATICSTIC REPORT");

    m_dlg.Show(A_MINOR_FRET_5);
    TypeChordName("Cmaj");
    afxtest::KeyPress(Item(IDC_CHORD_NAME), afxtest::VK_RETURN);
    ExpectOneBox(ADDED, ATTENTION);

    TypeChordName("count all");
    ExpectOneBox("Chord name families count = 4\nAll applicatures count = 4", "STATICSTIC REPORT");

    // Back in default mode the addition comes after the file's fingerings.
    TypeChordName("default mode");
    TypeChordName("Cmaj");
    EXPECT_EQ(m_dlg.Shown(), C_MAJOR);
    afxtest::ClickButton(Item(IDOK));
    EXPECT_EQ(m_dlg.Shown(), A_MINOR_FRET_5);
}

TEST_F(EditionModeTest, FirstFingeringOfTheWrongSizeEndsTheProgram)
{
    Open(TABLE);
    EnterEditionMode();
    m_dlg.m_chordTable.push_back({{"Short"}, {Applicature(12, 0), C_MAJOR}});
    TypeChordName("Short");
    m_boxes.Clear();

    afxtest::ExitTrap exitTrap;
    int exitCode = -1;
    try
    {
        m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    catch (const afxtest::ProcessExit& exit)
    {
        exitCode = exit.code;
    }
    EXPECT_EQ(exitCode, 0);
    ExpectOneBox("Error of applicature data size in Tabulor.xml file!", AfxGetAppName());
    EXPECT_EQ(m_dlg.m_chordTable.back().variants.size(), 2u);
}

TEST_F(EditionModeTest, SaveWritesTheTableWithItsAdditions)
{
    AddInEditionMode(A_MINOR_NO_ROOT, "Amin");

    ClickSave();

    ExpectOneBox(SAVED, ATTENTION);
    ChordTable expected = TABLE;
    expected[0].variants.push_back(A_MINOR_NO_ROOT);
    EXPECT_EQ(ReadBack(), expected);
    EXPECT_EQ(m_dlg.m_chordTable, expected);
}

TEST_F(EditionModeTest, SaveOntoAReadOnlyFileSaysSoAndCanBeRepeated)
{
    AddInEditionMode(A_MINOR_FRET_5, "C");
    const std::string before = FileBytes("Tabulor.xml");
    ASSERT_EQ(chmod("Tabulor.xml", 0444), 0);

    ClickSave();

    ExpectOneBox(NOT_SAVED, ATTENTION);
    EXPECT_EQ(FileBytes("Tabulor.xml"), before);
    ChordTable expected = TABLE;
    expected[1].variants.push_back(A_MINOR_FRET_5);
    EXPECT_EQ(m_dlg.m_chordTable, expected);

    ASSERT_EQ(chmod("Tabulor.xml", 0644), 0);
    ClickSave();
    ExpectOneBox(SAVED, ATTENTION);
    EXPECT_EQ(ReadBack(), expected);
}

// ulimit -f below the new text: the file size signal must not end the
// program; SAVE says it did not save, and the file, the folder and the table
// stay as they were.
TEST_F(EditionModeTest, SaveAboveTheFileSizeLimitSaysSoAndKeepsEverything)
{
    AddInEditionMode(A_MINOR_FRET_5, "C");
    const std::string before = FileBytes("Tabulor.xml");
    const auto folderEntries = [] {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator("."))
            names.insert(entry.path().filename().string());
        return names;
    };
    const std::set<std::string> entries = folderEntries();

    const auto previousHandler = signal(SIGXFSZ, SIG_DFL);
    struct rlimit previousLimit;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previousLimit), 0);
    struct rlimit limit = previousLimit;
    limit.rlim_cur = before.size();
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    ClickSave();
    setrlimit(RLIMIT_FSIZE, &previousLimit);
    signal(SIGXFSZ, previousHandler);

    ExpectOneBox(NOT_SAVED, ATTENTION);
    EXPECT_EQ(FileBytes("Tabulor.xml"), before);
    EXPECT_EQ(folderEntries(), entries);
    ChordTable expected = TABLE;
    expected[1].variants.push_back(A_MINOR_FRET_5);
    EXPECT_EQ(m_dlg.m_chordTable, expected);

    ClickSave();
    ExpectOneBox(SAVED, ATTENTION);
    EXPECT_EQ(ReadBack(), expected);
}

TEST_F(EditionModeTest, SaveIsRefusedWhenTheFileWasReadOnlyInPart)
{
    m_folder.WriteChordFile(TABLE);
    m_folder.WriteHelpImage();
    const std::string whole = FileBytes("Tabulor.xml");
    const std::string broken = whole.substr(0, whole.size() * 2 / 3);
    std::ofstream("Tabulor.xml", std::ios::binary | std::ios::trunc) << broken;
    OpenWithFolderAsItIs();
    ASSERT_LT(m_dlg.m_chordTable.size(), TABLE.size());
    EnterEditionMode();

    ClickSave();
    ExpectOneBox(INCOMPLETE, ATTENTION);
    ClickSave();
    ExpectOneBox(INCOMPLETE, ATTENTION);
    EXPECT_EQ(FileBytes("Tabulor.xml"), broken);
}

TEST_F(EditionModeTest, SaveCreatesAFileThatWasMissingAtStart)
{
    m_folder.WriteHelpImage();
    OpenWithFolderAsItIs();
    ASSERT_FALSE(std::filesystem::exists("Tabulor.xml"));
    EnterEditionMode();

    ClickSave();

    ExpectOneBox(SAVED, ATTENTION);
    EXPECT_TRUE(ReadBack().empty());
}
// The shipped chord file with one line after its declaration that stops
// TinyXML before the root, or that is beyond what it bears: the chords are
// not read, and SAVE must not put the empty table in the file's place.
class SaveOfAnUnreadFile : public EditionModeTest, public ::testing::WithParamInterface<std::string>
{
};

TEST_P(SaveOfAnUnreadFile, IsRefusedAndTheFileStaysAsItWas)
{
    std::string text = FileBytes(SHIPPED_CHORD_FILE);
    const std::size_t afterDeclaration = text.find("\r\n") + 2;
    ASSERT_NE(afterDeclaration, std::string::npos + 2);
    text.insert(afterDeclaration, GetParam() + "\r\n");
    std::ofstream("Tabulor.xml", std::ios::binary) << text;
    m_folder.WriteHelpImage();
    OpenWithFolderAsItIs();
    ASSERT_TRUE(m_dlg.m_chordTable.empty());
    EnterEditionMode();

    ClickSave();

    ExpectOneBox(INCOMPLETE, ATTENTION);
    EXPECT_EQ(FileBytes("Tabulor.xml"), text);
}

std::string Repeated(const std::string& part, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += part;
    return text;
}

INSTANTIATE_TEST_SUITE_P(EditionModeTest, SaveOfAnUnreadFile,
                         ::testing::Values("<!DOCTYPE chords_xml_table [ <!ENTITY me \"x\"> ]>", "a line of text", "&",
                                           ">", Repeated("<a>", 100), "<a" + Repeated(" b=\"\"", 100) + "/>"));
}  // namespace

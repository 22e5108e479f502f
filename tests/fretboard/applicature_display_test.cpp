// Showing a fingering: notes, root string, labels and the reports of bad
// values, in their order.
#include "dialog_fixture.h"

#include <climits>

namespace
{
using Notes = std::array<int, 6>;
using Labels = std::vector<std::string>;

const Labels NO_FINGERS = {" ", " ", " ", " ", " ", " "};
const Labels FRETS_FROM_NUT = {"1", "2", "3", "4"};

std::string PositionError(int string)
{
    return "Error! Invalidate number of " + std::to_string(string) + " string position!";
}
std::string FingerError(int string)
{
    return "Error! Invalidate number of left hand finger on " + std::to_string(string) + " string!";
}
const std::string BASE_POSITION_ERROR = "Error! Invalidate number of position!";

struct ShowCase
{
    const char* name;
    Applicature shown;
    Notes notes;
    int rootString;
    Labels fingers;
    Labels frets;
    std::vector<std::string> boxes;
};

// Each case starts from an open E chord with its root on string 1 (index
// 0), so that a root string kept from before shows as 0.
const Applicature ROOT_ON_FIRST_STRING = {-10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const Notes OPEN_NOTES = {28, 23, 19, 14, 9, 4};

const ShowCase SHOW_CASES[] = {
    {"built-in A minor", A_MINOR, {28, 24, 21, 16, 9, 4}, 4, {" ", "1", "3", "2", " ", " "}, FRETS_FROM_NUT, {}},
    {"nothing played keeps the root", NOT_PLAYED, {-1, -1, -1, -1, -1, -1}, 0, NO_FINGERS, FRETS_FROM_NUT, {}},
    {"highest base fret",
     {4, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 12},
     {44, 23, 19, 14, 9, 4},
     0,
     {"4", " ", " ", " ", " ", " "},
     {"13", "14", "15", "16"},
     {}},
    {"open codes ignore the base fret; the last root wins",
     {-10, 0, 0, 0, 0, -3, 0, 0, 0, 0, 0, 1, 5},
     {28, 23, 19, 14, 9, 12},
     5,
     {" ", " ", " ", " ", " ", "1"},
     {"6", "7", "8", "9"},
     {}},
    {"roots on strings 2 and 5",
     {0, -1, 0, 0, -2, 0, 0, 1, 0, 0, 2, 0, 0},
     {28, 24, 19, 14, 11, 4},
     4,
     {" ", "1", " ", " ", "2", " "},
     FRETS_FROM_NUT,
     {}},
    {"code 5 keeps the string's earlier note",
     {0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     OPEN_NOTES,
     0,
     NO_FINGERS,
     FRETS_FROM_NUT,
     {PositionError(3)}},
    {"negative finger",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 0, 0, 0},
     OPEN_NOTES,
     0,
     NO_FINGERS,
     FRETS_FROM_NUT,
     {FingerError(4)}},
    {"finger above 4",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0},
     OPEN_NOTES,
     0,
     NO_FINGERS,
     FRETS_FROM_NUT,
     {FingerError(4)}},
    {"base fret above 12 still moves the notes",
     {4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 13},
     {45, 23, 19, 14, 9, 4},
     0,
     NO_FINGERS,
     FRETS_FROM_NUT,
     {BASE_POSITION_ERROR}},
    {"negative base fret",
     {4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1},
     {31, 23, 19, 14, 9, 4},
     0,
     NO_FINGERS,
     FRETS_FROM_NUT,
     {BASE_POSITION_ERROR}},
    {"base fret at the top of int: the notes stop there",
     {4, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, INT_MAX},
     {INT_MAX, INT_MAX, 19, 14, 9, 4},
     1,
     NO_FINGERS,
     FRETS_FROM_NUT,
     {BASE_POSITION_ERROR}},
    {"a base fret whose note is just the top of int",
     {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, INT_MAX - 29},
     {INT_MAX, 23, 19, 14, 9, 4},
     0,
     NO_FINGERS,
     FRETS_FROM_NUT,
     {BASE_POSITION_ERROR}},
    {"base fret at the bottom of int",
     {4, 0, 0, 0, 0, -4, 0, 0, 0, 0, 0, 0, INT_MIN},
     {INT_MIN + 32, 23, 19, 14, 9, INT_MIN + 8},
     5,
     NO_FINGERS,
     FRETS_FROM_NUT,
     {BASE_POSITION_ERROR}},
    {"three bad values, reported in order",
     {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 20},
     OPEN_NOTES,
     0,
     NO_FINGERS,
     FRETS_FROM_NUT,
     {PositionError(2), FingerError(6), BASE_POSITION_ERROR}},
};

class ApplicatureDisplayTest : public DialogTest
{
};

TEST_F(ApplicatureDisplayTest, StoresComputesLabelsAndReports)
{
    Open({});
    for (const ShowCase& c : SHOW_CASES)
    {
        SCOPED_TRACE(c.name);
        m_dlg.Show(ROOT_ON_FIRST_STRING);
        m_boxes.Clear();

        m_dlg.Show(c.shown);

        EXPECT_EQ(m_dlg.Shown(), c.shown);
        EXPECT_EQ(m_dlg.Notes(), c.notes);
        EXPECT_EQ(m_dlg.m_nRootString, c.rootString);
        EXPECT_EQ(m_dlg.FingerLabels(), c.fingers);
        EXPECT_EQ(m_dlg.FretLabels(), c.frets);
        EXPECT_EQ(m_boxes.Texts(), c.boxes);
        for (const afxtest::MessageBoxRecord& box : m_boxes.Boxes())
        {
            EXPECT_EQ(box.caption, AfxGetAppName());
            EXPECT_EQ(box.type, UINT(MB_OK | MB_ICONEXCLAMATION));
            EXPECT_EQ(box.owner, m_dlg.GetSafeHwnd());
        }
    }
}
}  // namespace

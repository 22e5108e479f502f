#include "chord_table_writer.h"

#include <climits>
#include <csignal>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "chord_table_reader.h"
#include "chord_table_printer.h"
#include "scratch_dir.h"

namespace
{

const char FILE_NAME[] = "Tabulor.xml";

Applicature Values(std::vector<int> codes, std::vector<int> fingers, int position)
{
    Applicature values = codes;
    values.insert(values.end(), fingers.begin(), fingers.end());
    values.push_back(position);
    return values;
}

// The file's line ends: every LF of the text becomes CR LF.
std::string OnDisk(const std::string& text)
{
    std::string bytes;
    for (char c : text)
        bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return bytes;
}

struct WriteResult
{
    std::string bytes;
    bool written;
};

WriteResult WriteTable(const ChordTable& table, int first = 0, int last = 0)
{
    ScratchDir dir;
    ChordTableWriter writer(dir.Path(FILE_NAME).c_str(), &table, first, last);
    return {dir.Read(FILE_NAME), writer.IsWritten()};
}

ChordTable ReadBack(const ChordTable& table)
{
    ScratchDir dir;
    ChordTableWriter writer(dir.Path(FILE_NAME).c_str(), &table, 0, 0);
    EXPECT_TRUE(writer.IsWritten());
    ChordTable readBack;
    ChordTableReader reader(dir.Path(FILE_NAME).c_str(), &readBack);
    EXPECT_TRUE(reader.IsReadWhole());
    return readBack;
}

const char EMPTY_TEXT[] =
    "<?xml version=\"1.0\" encoding=\"ANSI\"?>\n<chords_xml_table>\n<instrument type=\"guitar_6\">\n"
    "</instrument>\n</chords_xml_table>";

const ChordFamily A_MINOR = {{"Am"}, {Values({0, 1, 2, 2, -10, 0}, {0, 1, 3, 2, 0, 0}, 0)}};

TEST(ChordTableWriter, EmptyTableGivesTheFiveFixedLines)
{
    const WriteResult result = WriteTable({});
    EXPECT_EQ(std::string(EMPTY_TEXT).size(), 119u);
    EXPECT_EQ(result.bytes, OnDisk(EMPTY_TEXT));
    EXPECT_EQ(result.bytes.size(), 123u);
    EXPECT_TRUE(result.written);
}

TEST(ChordTableWriter, OneFamilyGivesTheExactBytes)
{
    const std::string expected = "<?xml version=\"1.0\" encoding=\"ANSI\"?>\r\n"
                                 "<chords_xml_table>\r\n"
                                 "<instrument type=\"guitar_6\">\r\n"
                                 "<chord id=\"0\" names=\"Am\">\r\n"
                                 "\t<variant id=\"0\" position=\"0\">\r\n"
                                 "\t\t<string_1 relative_position=\"0\" left_hand_finger=\"0\"/>\r\n"
                                 "\t\t<string_2 relative_position=\"1\" left_hand_finger=\"1\"/>\r\n"
                                 "\t\t<string_3 relative_position=\"2\" left_hand_finger=\"3\"/>\r\n"
                                 "\t\t<string_4 relative_position=\"2\" left_hand_finger=\"2\"/>\r\n"
                                 "\t\t<string_5 relative_position=\"-10\" left_hand_finger=\"0\"/>\r\n"
                                 "\t\t<string_6 relative_position=\"0\" left_hand_finger=\"0\"/>\r\n"
                                 "\t</variant>\r\n"
                                 "</chord>\r\n"
                                 "\r\n"
                                 "</instrument>\r\n"
                                 "</chords_xml_table>";
    ASSERT_EQ(expected.size(), 557u);
    EXPECT_EQ(WriteTable({A_MINOR}).bytes, expected);
}

TEST(ChordTableWriter, WriteChordAppendsBehindTheTextWithLineFeeds)
{
    std::string text = "kept";
    ChordTableWriter::WriteChord(text, ChordFamily{{"C", "Cmaj", "C\"&"}, {}}, 12);
    ChordTableWriter::WriteChord(text, ChordFamily{{""}, {Values({-4, 10, 99, 0, 0, 0}, {0, 0, 0, 0, 0, -7}, INT_MIN)}},
                                 -1);
    EXPECT_EQ(text, "kept"
                    "<chord id=\"12\" names=\"C, Cmaj, C&quot;&amp;\">\n</chord>\n\n"
                    "<chord id=\"-1\" names=\"\">\n"
                    "\t<variant id=\"0\" position=\"-2147483648\">\n"
                    "\t\t<string_1 relative_position=\"-4\" left_hand_finger=\"0\"/>\n"
                    "\t\t<string_2 relative_position=\"10\" left_hand_finger=\"0\"/>\n"
                    "\t\t<string_3 relative_position=\"99\" left_hand_finger=\"0\"/>\n"
                    "\t\t<string_4 relative_position=\"0\" left_hand_finger=\"0\"/>\n"
                    "\t\t<string_5 relative_position=\"0\" left_hand_finger=\"0\"/>\n"
                    "\t\t<string_6 relative_position=\"0\" left_hand_finger=\"-7\"/>\n"
                    "\t</variant>\n"
                    "</chord>\n\n");
}

// The ids in the file, from its chord start lines.
std::vector<int> ChordIds(const std::string& bytes)
{
    std::vector<int> ids;
    const std::regex chordStart("<chord id=\"(-?[0-9]+)\" names=\"F([0-9]+)\">\r\n");
    for (std::sregex_iterator it(bytes.begin(), bytes.end(), chordStart), end; it != end; ++it)
    {
        EXPECT_EQ((*it)[1], (*it)[2]) << "a family written under another id";
        ids.push_back(std::stoi((*it)[1]));
    }
    return ids;
}

struct RangeCase
{
    int first;
    int last;
    std::vector<int> ids;
};

std::ostream& operator<<(std::ostream& out, const RangeCase& c)
{
    return out << "first " << c.first << ", last " << c.last;
}

class WrittenRange : public testing::TestWithParam<RangeCase>
{
};

TEST_P(WrittenRange, WritesTheFamiliesFromFirstToLast)
{
    ChordTable table;
    for (int i = 0; i < 10; ++i)
        table.push_back(ChordFamily{{"F" + std::to_string(i)}, {}});
    const WriteResult result = WriteTable(table, GetParam().first, GetParam().last);
    EXPECT_EQ(ChordIds(result.bytes), GetParam().ids);
    if (GetParam().ids.empty())
    {
        EXPECT_EQ(result.bytes, OnDisk(EMPTY_TEXT));
    }
}

const std::vector<int> FROM_3 = {3, 4, 5, 6, 7, 8, 9};

INSTANTIATE_TEST_SUITE_P(ChordTableWriter, WrittenRange,
                         testing::Values(RangeCase{2, 5, {2, 3, 4}}, RangeCase{0, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
                                         RangeCase{3, 0, FROM_3}, RangeCase{3, 10, FROM_3}, RangeCase{3, 11, FROM_3},
                                         RangeCase{3, -1, FROM_3}, RangeCase{3, INT_MIN, FROM_3},
                                         RangeCase{3, INT_MAX, FROM_3}, RangeCase{9, 10, {9}}, RangeCase{5, 5, {}},
                                         RangeCase{7, 3, {}}, RangeCase{10, 0, {}}));

TEST(ChordTableWriter, QuotesAndAmpersandsAreEscapedAndAnglesKept)
{
    const WriteResult result = WriteTable({ChordFamily{{"say \"hi\"", "R&B", "&amp;", "<x/>"}, {}}});
    EXPECT_NE(result.bytes.find("names=\"say &quot;hi&quot;, R&amp;B, &amp;amp;, <x/>\">"), std::string::npos)
        << result.bytes;
}

TEST(ChordTableWriter, VariedTableReadsBackEqual)
{
    const ChordTable table = {
        A_MINOR,
        ChordFamily{{"empty family"}, {}},
        ChordFamily{{""}, {Values({-1, -2, -3, -4, 10, -10}, {4, 3, 2, 1, 0, 0}, 12)}},
        ChordFamily{{" lead", "trail ", "  ", "in ner"}, {}},
        ChordFamily{{"say \"hi\"", "R&B", "&amp;", "&#44;", "a<b>c", "'", "\t"},
                    {Values({0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, 0)}},
        ChordFamily{{"two\nlines", "\xC0\xE9\xFF"},
                    {Values({INT_MIN, INT_MAX, 0, 5, -5, 1}, {-1, 5, 100, 0, 0, 0}, -12),
                     Values({1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1}, 1),
                     Values({2, 2, 2, 2, 2, 2}, {2, 2, 2, 2, 2, 2}, 13)}},
    };
    EXPECT_EQ(ReadBack(table), table);
}

// Every byte escaped at its longest and every number at its longest: the
// text is written whole and reads back.
TEST(ChordTableWriter, WidestFamilyIsWrittenWhole)
{
    const ChordFamily widest{{std::string(300, '"'), std::string(300, '"'), std::string(300, '"')},
                             std::vector<Applicature>(3, Applicature(APPLICATURE_SIZE, INT_MIN))};
    const ChordTable table(12, widest);
    EXPECT_EQ(ReadBack(table), table);

    std::string text;
    ChordTableWriter::WriteChord(text, widest, INT_MIN);
    const std::string start = "<chord id=\"-2147483648\" names=\"&quot;&quot;";
    EXPECT_EQ(text.substr(0, start.size()), start);
}

TEST(ChordTableWriter, FamilyWithoutNamesReadsBackWithOneEmptyName)
{
    EXPECT_EQ(ReadBack({ChordFamily{{}, {}}}), (ChordTable{ChordFamily{{""}, {}}}));
}

// A carriage return (from "&#13;" in the file) written as it is would read
// back as a line feed, and other control characters would not read back at
// all: they go out as character references.
TEST(ChordTableWriter, ControlCharactersInNamesAreWrittenAsReferences)
{
    const ChordTable table = {ChordFamily{{"a\rb", "\x01\x1f", "tab\there", "\r\n"}, {}}};
    const std::string bytes = WriteTable(table).bytes;
    EXPECT_NE(bytes.find("names=\"a&#13;b, &#1;&#31;, tab&#9;here, &#13;\r\n\">\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(ReadBack(table), table);
}

TEST(ChordTableWriter, LineFeedInsideANameBecomesCrLfToo)
{
    const std::string bytes = WriteTable({ChordFamily{{"two\nlines"}, {}}}).bytes;
    EXPECT_NE(bytes.find("names=\"two\r\nlines\">\r\n"), std::string::npos);
}

class FileReplacement : public testing::Test
{
protected:
    bool Save(const std::string& path, const ChordTable& table) const
    {
        return ChordTableWriter(path.c_str(), &table, 0, 0).IsWritten();
    }

    ScratchDir m_dir;
    const std::string m_path = m_dir.Path(FILE_NAME);
    const std::string m_oldContent = std::string(20000, 'x') + "</chords_xml_table> old tail";
};

TEST_F(FileReplacement, LongerFileIsReplacedWhole)
{
    m_dir.Write(FILE_NAME, m_oldContent);
    EXPECT_TRUE(Save(m_path, {A_MINOR}));
    EXPECT_EQ(m_dir.Read(FILE_NAME).size(), 557u);
    EXPECT_EQ(m_dir.Entries(), std::set<std::string>{FILE_NAME});
}

TEST_F(FileReplacement, KeepsThePermissionBits)
{
    m_dir.Write(FILE_NAME, m_oldContent);
    ASSERT_EQ(chmod(m_path.c_str(), 0604), 0);
    EXPECT_TRUE(Save(m_path, {}));
    struct stat status;
    ASSERT_EQ(stat(m_path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0604u);
}

TEST_F(FileReplacement, NewFileGetsTheUsualMode)
{
    const mode_t previous = umask(027);
    EXPECT_TRUE(Save(m_path, {}));
    umask(previous);
    struct stat status;
    ASSERT_EQ(stat(m_path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(m_dir.Read(FILE_NAME), OnDisk(EMPTY_TEXT));
}

// No write permission bit at all: kept even for root, whom the system would
// let write it.
TEST_F(FileReplacement, ReadOnlyFileIsKept)
{
    m_dir.Write(FILE_NAME, m_oldContent);
    ASSERT_EQ(chmod(m_path.c_str(), 0444), 0);
    EXPECT_FALSE(Save(m_path, {A_MINOR}));
    EXPECT_EQ(m_dir.Read(FILE_NAME), m_oldContent);
    EXPECT_EQ(m_dir.Entries(), std::set<std::string>{FILE_NAME});
}

TEST_F(FileReplacement, MissingFolderWritesNothing)
{
    EXPECT_FALSE(Save(m_dir.Path("no such folder/Tabulor.xml"), {A_MINOR}));
    EXPECT_TRUE(m_dir.Entries().empty());
}

// The new text is complete but cannot take the old one's place.
TEST_F(FileReplacement, FolderInTheWayIsKeptAndTheTemporaryFileRemoved)
{
    ASSERT_EQ(mkdir(m_path.c_str(), 0755), 0);
    EXPECT_FALSE(Save(m_path, {A_MINOR}));
    EXPECT_EQ(m_dir.Entries(), std::set<std::string>{FILE_NAME});
}

// A write that fails part-way (here the file size limit; a full disk alike)
// leaves the old file as it was.
TEST_F(FileReplacement, WriteFailingPartWayKeepsTheOldFile)
{
    m_dir.Write(FILE_NAME, m_oldContent);
    ChordTable large(200, A_MINOR);
    struct rlimit previousLimit;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previousLimit), 0);
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = previousLimit;
    limit.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool written = Save(m_path, large);
    setrlimit(RLIMIT_FSIZE, &previousLimit);
    signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(m_dir.Read(FILE_NAME), m_oldContent);
    EXPECT_EQ(m_dir.Entries(), std::set<std::string>{FILE_NAME});
}

TEST_F(FileReplacement, SymbolicLinkIsFollowed)
{
    m_dir.Write("real.xml", m_oldContent);
    ASSERT_EQ(symlink("real.xml", m_path.c_str()), 0);
    EXPECT_TRUE(Save(m_path, {}));
    struct stat status;
    ASSERT_EQ(lstat(m_path.c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    EXPECT_EQ(m_dir.Read("real.xml"), OnDisk(EMPTY_TEXT));
    EXPECT_EQ(m_dir.Entries(), (std::set<std::string>{FILE_NAME, "real.xml"}));
}

}  // namespace

#include "chord_table_reader.h"

#include <ostream>
#include <sys/stat.h>
#include <unistd.h>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chord_table_printer.h"
#include "tinyxml_walk.h"
#include "scratch_dir.h"

namespace
{

using Names = std::vector<std::string>;

struct ReadResult
{
    ChordTable table;
    bool readWhole;
};

ReadResult ReadText(const std::string& xml, ChordTable table = {})
{
    ScratchDir dir;
    dir.Write("chords.xml", xml);
    ChordTableReader reader(dir.Path("chords.xml").c_str(), &table);
    return {table, reader.IsReadWhole()};
}

ReadResult ReadFixture(const std::string& name)
{
    ChordTable table;
    ChordTableReader reader((std::string(CHORDTABLE_FIXTURES) + "/" + name).c_str(), &table);
    return {table, reader.IsReadWhole()};
}

// A file of one chord whose start tag carries chordAttributes and whose body
// is body.
std::string OneChord(const std::string& chordAttributes, const std::string& body = "")
{
    return "<chords_xml_table><instrument type=\"guitar_6\"><chord id=\"0\"" + chordAttributes + ">" + body +
           "</chord></instrument></chords_xml_table>";
}

Applicature Values(std::vector<int> codes, std::vector<int> fingers, int position)
{
    Applicature values = codes;
    values.insert(values.end(), fingers.begin(), fingers.end());
    values.push_back(position);
    return values;
}

ChordFamily Family(Names names, std::vector<Applicature> variants = {})
{
    return ChordFamily{std::move(names), std::move(variants)};
}

struct NamesCase
{
    const char* attribute;  // the chord's names attribute as it stands in the file
    Names expected;
};

std::ostream& operator<<(std::ostream& out, const NamesCase& c)
{
    return out << "chord attributes [" << c.attribute << "]";
}

class NamesSplit : public testing::TestWithParam<NamesCase>
{
};

TEST_P(NamesSplit, GivesTheNamesBetweenCommas)
{
    const ReadResult result = ReadText(OneChord(GetParam().attribute));
    ASSERT_EQ(result.table.size(), 1u);
    EXPECT_EQ(result.table[0].names, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ChordTableReader, NamesSplit,
    testing::Values(NamesCase{R"( names="Am")", {"Am"}}, NamesCase{R"( names="")", {""}},
                    NamesCase{R"( names="  Am  ")", {"  Am  "}},
                    NamesCase{R"( names="Am, Amin, A-")", {"Am", "Amin", "A-"}},
                    NamesCase{R"( names="Am,Amin")", {"Am", "min"}},
                    NamesCase{R"( names="Am,  Amin")", {"Am", " Amin"}},
                    NamesCase{R"( names="Am , Amin")", {"Am ", "Amin"}}, NamesCase{R"( names="Am, ")", {"Am", ""}},
                    NamesCase{R"( names="Am,")", {"Am", ""}}, NamesCase{R"( names=", Am")", {"", "Am"}},
                    NamesCase{R"( names=",Am")", {"", "m"}}, NamesCase{R"( names="a,,b")", {"a", "b"}},
                    NamesCase{R"( names="a,,,b")", {"a", "", ""}},
                    NamesCase{R"( names="R&amp;B, say &quot;hi&quot;, &lt;x&gt;")", {"R&B", "say \"hi\"", "<x>"}},
                    // A character reference is a comma like any other once decoded.
                    NamesCase{R"( names="x&#44;yz")", {"x", "z"}}, NamesCase{R"( names="a<b>c")", {"a<b>c"}},
                    NamesCase{" names=\"\xC0\xE9\xFF\"", {"\xC0\xE9\xFF"}},
                    // A chord without names gets one empty name.
                    NamesCase{"", {""}}));

struct NumberCase
{
    const char* attribute;  // the value as it stands between the quotes; nullptr: attribute absent
    int expected;
};

std::ostream& operator<<(std::ostream& out, const NumberCase& c)
{
    return c.attribute != nullptr ? out << "value [" << c.attribute << "]" : out << "no attribute";
}

class IntegerAttribute : public testing::TestWithParam<NumberCase>
{
};

// The same reading for the variant's position and both attributes of a string.
TEST_P(IntegerAttribute, IsReadLikePercentD)
{
    const NumberCase& c = GetParam();
    const auto attribute = [&c](const std::string& name) {
        return c.attribute != nullptr ? " " + name + "=\"" + c.attribute + "\"" : std::string();
    };
    const std::string xml =
        OneChord(R"( names="X")", "<variant" + attribute("position") + "><string_3" + attribute("relative_position") +
                                      attribute("left_hand_finger") + "/></variant>");
    const ReadResult result = ReadText(xml);
    ASSERT_EQ(result.table.size(), 1u);
    ASSERT_EQ(result.table[0].variants.size(), 1u);
    EXPECT_EQ(result.table[0].variants[0],
              Values({0, 0, c.expected, 0, 0, 0}, {0, 0, c.expected, 0, 0, 0}, c.expected));
}

INSTANTIATE_TEST_SUITE_P(ChordTableReader, IntegerAttribute,
                         testing::Values(NumberCase{"7", 7}, NumberCase{" 7", 7}, NumberCase{"\t 7", 7},
                                         NumberCase{"+5", 5}, NumberCase{"-3", -3}, NumberCase{"-10", -10},
                                         NumberCase{"12abc", 12}, NumberCase{"3.9", 3}, NumberCase{"0x10", 0},
                                         NumberCase{"007", 7}, NumberCase{"2147483647", 2147483647},
                                         NumberCase{"-2147483648", -2147483647 - 1}, NumberCase{"&#45;2", -2},
                                         NumberCase{"abc", 0}, NumberCase{" - 4", 0}, NumberCase{"", 0},
                                         NumberCase{nullptr, 0}));

TEST(ChordTableReader, TakesOnlyChordsOfTheFirstInstrumentOfTheFirstRoot)
{
    const ReadResult result = ReadText(R"(<?xml version="1.0"?>
<!-- a comment --><other><chord names="outside"/></other>
<chords_xml_table>
  <chord names="in the root"/>
  <instrument>
    <chord id="x" names="A"><variant id="" position="1"/><chord names="nested"/></chord>
    <group><chord names="in a group"/></group>
    text
    <chord names="B"/>
    <chord id="7" names="C"><variant position="2"/><variant position="3"/></chord>
  </instrument>
  <instrument type="piano"><chord names="second instrument"/></instrument>
</chords_xml_table>
<chords_xml_table><instrument><chord names="second root"/></instrument></chords_xml_table>)");
    const ChordTable expected = {Family({"A"}, {Values({0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, 1)}), Family({"B"}),
                                 Family({"C"}, {Values({0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, 2),
                                                Values({0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, 3)})};
    EXPECT_EQ(result.table, expected);
}

TEST(ChordTableReader, AppendsBehindFamiliesAlreadyInTheTable)
{
    const ReadResult result = ReadText(OneChord(R"( names="New")"), {Family({"Old"})});
    EXPECT_EQ(result.table, (ChordTable{Family({"Old"}), Family({"New"})}));
    EXPECT_TRUE(result.readWhole);
}

struct UnreadableCase
{
    const char* title;
    const char* content;  // nullptr: no file at all
    bool readWhole;
};

class FileWithoutChords : public testing::TestWithParam<UnreadableCase>
{
};

TEST_P(FileWithoutChords, LeavesTheTableAsItWas)
{
    const ChordTable before = {Family({"Kept"}, {Applicature(APPLICATURE_SIZE, 1)})};
    ChordTable table = before;
    ScratchDir dir;
    if (GetParam().content != nullptr)
        dir.Write("chords.xml", GetParam().content);
    ChordTableReader reader(dir.Path("chords.xml").c_str(), &table);
    EXPECT_EQ(table, before);
    EXPECT_EQ(reader.IsReadWhole(), GetParam().readWhole);
}

INSTANTIATE_TEST_SUITE_P(
    ChordTableReader, FileWithoutChords,
    testing::Values(UnreadableCase{"Missing", nullptr, false}, UnreadableCase{"Empty", "", false},
                    UnreadableCase{"NotXml", "chords: Am, C", false},
                    UnreadableCase{"BrokenInTheRoot", "<chords_xml_table><instrument", false},
                    // SAVE must not replace a file of another kind with a chord table.
                    UnreadableCase{"OtherRoot", "<chords><instrument><chord names=\"A\"/></instrument></chords>",
                                   false},
                    UnreadableCase{"NoInstrument", "<chords_xml_table><chord names=\"A\"/></chords_xml_table>", true},
                    UnreadableCase{"NoChord", "<chords_xml_table><instrument/></chords_xml_table>", true}),
    [](const testing::TestParamInfo<UnreadableCase>& info) { return info.param.title; });

TEST(ChordTableReader, KeepsWhatCameBeforeADuplicateAttribute)
{
    const ReadResult result =
        ReadText("<chords_xml_table><instrument><chord names=\"A\"/>"
                 "<chord names=\"B\" names=\"C\"/><chord names=\"D\"/></instrument></chords_xml_table>");
    EXPECT_EQ(result.table, (ChordTable{Family({"A"}), Family({"B"})}));
    EXPECT_FALSE(result.readWhole);
}

TEST(ChordTableReaderFixture, CrOnlyLineEnds)
{
    const ReadResult result = ReadFixture("cr_only_line_ends.xml");
    const ChordTable expected = {Family({"Am", "Amin"}, {Values({0, 1, 2, 2, -10, 0}, {0, 1, 3, 2, 0, 0}, 0)}),
                                 Family({"E7", "two\nlines"}, {Values({-1, 3, 1, 2, 1, 10}, {1, 4, 1, 2, 1, 0}, 5)})};
    EXPECT_EQ(result.table, expected);
    EXPECT_TRUE(result.readWhole);
}

TEST(ChordTableReaderFixture, NoDeclaration)
{
    const ReadResult result = ReadFixture("no_declaration.xml");
    EXPECT_EQ(result.table, (ChordTable{Family({"C"}, {Values({0, 1, 0, 2, -3, 10}, {0, 1, 0, 2, 3, 0}, 0)})}));
    EXPECT_TRUE(result.readWhole);
}

// Strings in reverse order among comments, text and other elements; of two
// string_1 the first counts, one inside another element does not; a missing
// string stays open without finger.
TEST(ChordTableReaderFixture, StringElementsAmongOthers)
{
    const ReadResult result = ReadFixture("mixed_elements.xml");
    const ChordTable expected = {Family({"G"}, {Values({3, 0, 0, 0, 2, -3}, {4, 0, 0, 0, 2, 3}, 2),
                                                Values({0, 1, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0}, 7)})};
    EXPECT_EQ(result.table, expected);
    EXPECT_TRUE(result.readWhole);
}

// The file breaks off inside string_4 of the second chord's second variant:
// everything before the fault is kept, the cut variant with the values it
// got, and nothing after it.
TEST(ChordTableReaderFixture, CutOffPartWay)
{
    const ReadResult result = ReadFixture("cut_off.xml");
    const ChordTable expected = {Family({"D"}, {Values({-10, 3, 2, 0, 10, 10}, {0, 3, 2, 0, 0, 0}, 0)}),
                                 Family({"F", "Fmaj"}, {Values({1, 1, 2, 3, 3, -1}, {1, 1, 2, 4, 3, 1}, 0),
                                                        Values({1, 2, 3, 4, 0, 0}, {1, 2, 3, 0, 0, 0}, 4)})};
    EXPECT_EQ(result.table, expected);
    EXPECT_FALSE(result.readWhole);
}

// In UTF-8 mode the text ends (at its zero byte) inside a multi-byte
// sequence. Nothing behind the end may be read, not the bytes after the zero
// byte here, nor the memory after the buffer when the zero byte is the file's
// last one.
TEST(ChordTableReaderFixture, TextEndingInsideAMultiByteSequence)
{
    const ReadResult result = ReadFixture("utf8_cut_sequence.xml");
    EXPECT_EQ(result.table, (ChordTable{Family({"A"}), Family({""})}));
    EXPECT_FALSE(result.readWhole);
}

const char* const DECLARATION = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n";

std::string Nested(const std::string& name, int depth, const std::string& inside = "")
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<" + name + ">";
    text += inside;
    for (int i = 0; i < depth; ++i)
        text += "</" + name + ">";
    return text;
}

std::string Attributes(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    return text;
}

struct WholenessCase
{
    const char* title;
    std::string text;
    bool readWhole;
    std::size_t families;  // how many the table gets
};

std::ostream& operator<<(std::ostream& out, const WholenessCase& c)
{
    return out << c.title;
}

class Wholeness : public testing::TestWithParam<WholenessCase>
{
};

// Read whole only when TinyXML took the text to its end and the root is
// there: anything less, and SAVE would drop what the table lacks.
TEST_P(Wholeness, SaysWhetherTheTableHoldsTheWholeFile)
{
    const ReadResult result = ReadText(GetParam().text);
    EXPECT_EQ(result.readWhole, GetParam().readWhole);
    EXPECT_EQ(result.table.size(), GetParam().families);
}

const std::string TWO_CHORDS =
    "<chords_xml_table><instrument><chord names=\"A\"/><chord names=\"B\"/></instrument></chords_xml_table>";

INSTANTIATE_TEST_SUITE_P(
    ChordTableReader, Wholeness,
    testing::Values(
        WholenessCase{"Plain", DECLARATION + TWO_CHORDS + "\n", true, 2},
        WholenessCase{"CommentsAndBlanksAround", "\n <!-- a -->\n" + TWO_CHORDS + "\n<!-- b -->\n\n", true, 2},
        WholenessCase{"ProcessingInstructionAndDocumentType",
                      std::string("<?style x?><!DOCTYPE chords_xml_table>") + TWO_CHORDS, true, 2},
        WholenessCase{"ByteOrderMark", "\xEF\xBB\xBF" + TWO_CHORDS, true, 2},
        // TinyXML leaves its top-level loop here without a fault.
        WholenessCase{"InternalSubset",
                      DECLARATION + std::string("<!DOCTYPE chords_xml_table [ <!ENTITY me \"x\"> ]>\n") + TWO_CHORDS,
                      false, 0},
        WholenessCase{"StrayLine", DECLARATION + std::string("some words\n") + TWO_CHORDS, false, 0},
        WholenessCase{"StrayAmpersand", DECLARATION + std::string("&\n") + TWO_CHORDS, false, 0},
        WholenessCase{"StrayGreaterThan", DECLARATION + std::string(">\n") + TWO_CHORDS, false, 0},
        WholenessCase{"TextAfterTheRoot", TWO_CHORDS + "\nmore", false, 2},
        WholenessCase{"DeclarationThatStopsTheParse", TWO_CHORDS + "<?xml version?>" + TWO_CHORDS, false, 2},
        WholenessCase{"ZeroByte", TWO_CHORDS + std::string("\0<!-- -->", 9), false, 2},
        // Markup inside attribute values, comments and CDATA does not nest.
        WholenessCase{"MarkupInValuesCommentsAndCData",
                      "<chords_xml_table><instrument><chord names=\"" + Nested("a", 100) + "\" x='<b><b>'><!-- " +
                          Nested("c", 100) + " --><![CDATA[" + Nested("d", 100) +
                          "]]></chord></instrument></chords_xml_table>",
                      true, 1},
        WholenessCase{"DeepestThatIsTaken",
                      "<chords_xml_table><instrument><chord names=\"A\">" + Nested("x", MAX_ELEMENT_DEPTH - 3) +
                          "</chord></instrument></chords_xml_table>",
                      true, 1},
        WholenessCase{"OneLevelTooDeep",
                      "<chords_xml_table><instrument><chord names=\"A\">" + Nested("x", MAX_ELEMENT_DEPTH - 2) +
                          "</chord></instrument></chords_xml_table>",
                      false, 0},
        // Each level a few bytes: TinyXML's recursion would overflow the stack.
        WholenessCase{"FiftyThousandLevels", TWO_CHORDS.substr(0, 30) + Nested("a", 50000) + TWO_CHORDS.substr(30),
                      false, 0},
        WholenessCase{"MostAttributesThatAreTaken",
                      "<chords_xml_table><instrument><chord names=\"A\"" + Attributes(MAX_ATTRIBUTES_PER_ELEMENT - 1) +
                          "/></instrument></chords_xml_table>",
                      true, 1},
        WholenessCase{"OneAttributeTooMany",
                      "<chords_xml_table><instrument><chord names=\"A\"" + Attributes(MAX_ATTRIBUTES_PER_ELEMENT) +
                          "/></instrument></chords_xml_table>",
                      false, 0},
        // Their parse time would grow with the square of their number.
        WholenessCase{"HundredThousandAttributes",
                      "<chords_xml_table><instrument><chord names=\"A\"" + Attributes(100000) +
                          "/></instrument></chords_xml_table>",
                      false, 0}),
    [](const testing::TestParamInfo<WholenessCase>& info) { return info.param.title; });

// What is not a regular file counts as no file: nothing waits for a writer
// of a FIFO, nothing endless is read.
TEST(ChordTableReader, TakesOnlyARegularFile)
{
    ScratchDir dir;
    ASSERT_EQ(mkfifo(dir.Path("fifo").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", dir.Path("zeros").c_str()), 0);
    ASSERT_EQ(mkdir(dir.Path("folder").c_str(), 0700), 0);
    ASSERT_EQ(symlink("missing", dir.Path("dangling").c_str()), 0);
    for (const char* name : {"fifo", "zeros", "folder", "dangling"})
    {
        ChordTable table = {Family({"Kept"})};
        ChordTableReader reader(dir.Path(name).c_str(), &table);
        EXPECT_EQ(table, (ChordTable{Family({"Kept"})})) << name;
        EXPECT_FALSE(reader.IsReadWhole()) << name;
    }
}

// A chord file beyond any real size is not taken into memory; a sparse file
// stands in for it without using the disk.
TEST(ChordTableReader, LeavesAFileBeyondAnyChordTableUnread)
{
    ScratchDir dir;
    dir.Write("chords.xml", TWO_CHORDS);
    ASSERT_EQ(truncate(dir.Path("chords.xml").c_str(), (off_t(256) << 20) + 1), 0);
    ChordTable table;
    ChordTableReader reader(dir.Path("chords.xml").c_str(), &table);
    EXPECT_TRUE(table.empty());
    EXPECT_FALSE(reader.IsReadWhole());
}

}  // namespace

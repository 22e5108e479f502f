// The C run-time pieces (rand, exit), CString, MulDiv and the shell.
#include "crt.h"
#include "scratch_dir.h"
#include "shellapi.h"
#include "test_dialog.h"
#include "testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

using ::testing::ElementsAre;

namespace
{
TEST(Random, GivesTheWindowsRuntimeSequence)
{
    crt::srand(1);
    std::vector<int> values;
    for (int i = 0; i < 10; ++i)
        values.push_back(crt::rand());
    EXPECT_THAT(values, ElementsAre(41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464));

    // state = 12345 * 214013 + 2531011 = 2644521496 (mod 2^32); bits 16..30.
    crt::srand(12345);
    EXPECT_EQ(crt::rand(), static_cast<int>((2644521496u >> 16) & 0x7FFF));
}

TEST(Random, LeavesTheCLibrarysGeneratorAlone)
{
    std::srand(1);
    const int first = std::rand();
    std::srand(1);
    crt::srand(99);
    crt::rand();
    EXPECT_EQ(std::rand(), first);
}

TEST(Exit, TheTrapSeesTheCode)
{
    afxtest::ExitTrap trap;
    try
    {
        crt::exit(7);
    }
    catch (const afxtest::ProcessExit& exit)
    {
        EXPECT_EQ(exit.code, 7);
        return;
    }
    ADD_FAILURE() << "crt::exit returned";
}

TEST(ExitDeathTest, EndsTheProcessWithTheCode)
{
    EXPECT_EXIT(crt::exit(3), ::testing::ExitedWithCode(3), "");
}

TEST(CStringTest, LowerCasesOnlyAsciiLettersAndFormats)
{
    CString text("EDITION Mode \xC3\x84");
    text.MakeLower();
    EXPECT_EQ(text, "edition mode \xC3\x84");
    CString report;
    report.Format("Chord name families count = %d\nAll applicatures count = %u", 3, 12u);
    EXPECT_EQ(report, "Chord name families count = 3\nAll applicatures count = 12");
    EXPECT_TRUE(CString("a") + " | " + CString("b") == "a | b");

    CString missing("old");
    EXPECT_FALSE(missing.LoadString(4242));
    EXPECT_TRUE(missing.IsEmpty());
}

TEST(MulDivTest, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(14, 96, 72), 19);
    EXPECT_EQ(MulDiv(8, 96, 72), 11);
    EXPECT_EQ(MulDiv(14, 120, 72), 23);
    EXPECT_EQ(MulDiv(8, 120, 72), 13);
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(Shell, RecorderSeesTheCallAndAMissingFileIsReported)
{
    {
        afxtest::ShellRecorder shell;
        const HINSTANCE result = ShellExecuteA(nullptr, nullptr, "TabulorHelp.gif", nullptr, nullptr, SW_SHOWNORMAL);
        EXPECT_GT(reinterpret_cast<std::intptr_t>(result), 32);
        ASSERT_EQ(shell.Calls().size(), 1u);
        EXPECT_EQ(shell.Calls()[0].operation, "");
        EXPECT_EQ(shell.Calls()[0].file, "TabulorHelp.gif");
        EXPECT_EQ(shell.Calls()[0].showCmd, SW_SHOWNORMAL);
    }
    // Without the recorder: nothing to open, nothing started.
    const HINSTANCE missing =
        ShellExecuteA(nullptr, nullptr, "no-such-file-here.gif", nullptr, "/nonexistent", SW_SHOWNORMAL);
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(missing), SE_ERR_FNF);
}
// The program's checks for its files: a regular file opens and reads;
// anything else is as good as missing, and nothing waits for a FIFO's
// writer.
TEST(FileOpen, OpensOnlyARegularFileForReading)
{
    const ScratchDir scratch;
    const std::filesystem::path& folder = scratch.Folder();
    std::ofstream(folder / "plain") << "bytes";
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", (folder / "zeros").c_str()), 0);
    ASSERT_EQ(symlink("plain", (folder / "link").c_str()), 0);

    for (const char* name : {"plain", "link"})
    {
        std::FILE* file = crt::fopen((folder / name).c_str(), "rb");
        ASSERT_NE(file, nullptr) << name;
        char text[8] = {};
        EXPECT_EQ(std::fread(text, 1, sizeof text, file), 5u) << name;
        EXPECT_STREQ(text, "bytes");
        std::fclose(file);
    }
    for (const std::filesystem::path& path : {folder / "fifo", folder / "zeros", folder, folder / "missing"})
        EXPECT_EQ(crt::fopen(path.c_str(), "rb"), nullptr) << path;
    EXPECT_EQ(crt::fopen((folder / "plain").c_str(), "wb"), nullptr);
}
}  // namespace

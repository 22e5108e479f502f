// Saving over the chord file as users' set-ups have it: other users, shared
// folders, links, full disks, file size limits and saves killed part-way.
// The cases run for real, as root and as unprivileged users in child
// processes, and are checked from the test process.
#include "careful_save.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <ostream>
#include <random>
#include <set>
#include <string>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "child_process.h"
#include "scratch_dir.h"

namespace
{

const char FILE_NAME[] = "Tabulor.xml";

// Texts of different lengths, each recognisable whole.
std::string Text(char letter, std::size_t size)
{
    std::string text(size, letter);
    text.front() = '<';
    text.back() = '>';
    return text;
}

const std::string OLD_TEXT = Text('o', 20000);
const std::string NEW_TEXT = Text('n', 30000);

std::string Said(bool ok, const std::string& what)
{
    return ok ? "" : what;
}

std::string SaveSaid(const std::string& path, const std::string& text, bool expected)
{
    const bool written = SaveCarefully(path.c_str(), text);
    return Said(written == expected, std::string("the save said ") + (written ? "written" : "not written"));
}

struct stat StatusOf(const std::string& path)
{
    struct stat status = {};
    EXPECT_EQ(lstat(path.c_str(), &status), 0) << path << ": " << std::strerror(errno);
    return status;
}

void ExpectOwnerGroupAndMode(const std::string& path, uid_t owner, gid_t group, mode_t mode)
{
    const struct stat status = StatusOf(path);
    EXPECT_EQ(status.st_uid, owner);
    EXPECT_EQ(status.st_gid, group);
    EXPECT_EQ(status.st_mode & 07777, mode);
}

gid_t GroupOf(uid_t uid)
{
    return uid == NOBODY ? NOGROUP : uid == OTHER_USER ? OTHER_GROUP : 0;
}

// A scratch folder that other users may pass through, with folders and files
// made and owned as each case needs.
class CarefulSave : public testing::Test
{
protected:
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "these cases act as other users and need root";
        ASSERT_EQ(chmod(m_dir.Path("").c_str(), 0755), 0);
    }

    std::string Folder(const std::string& name, uid_t owner, mode_t mode) const
    {
        const std::string path = m_dir.Path(name);
        EXPECT_EQ(mkdir(path.c_str(), 0700), 0);
        EXPECT_EQ(chown(path.c_str(), owner, GroupOf(owner)), 0);
        EXPECT_EQ(chmod(path.c_str(), mode), 0);
        return path;
    }

    static std::string File(const std::string& folder, const std::string& text, uid_t owner, mode_t mode)
    {
        const std::string path = folder + "/" + FILE_NAME;
        std::ofstream(path, std::ios::binary) << text;
        EXPECT_EQ(chown(path.c_str(), owner, GroupOf(owner)), 0);
        EXPECT_EQ(chmod(path.c_str(), mode), 0);
        return path;
    }

    static std::set<std::string> Entries(const std::string& folder)
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    ScratchDir m_dir;
    const std::set<std::string> m_justTheFile = {FILE_NAME};
};

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(CarefulSave, WritableFileInAFolderTheUserMayNotCreateIn)
{
    const std::string folder = Folder("closed", NOBODY, 0555);
    const std::string path = File(folder, OLD_TEXT, NOBODY, 0644);
    EXPECT_EQ(AsUser(NOBODY, NOGROUP, [&] { return SaveSaid(path, NEW_TEXT, true); }), "");
    EXPECT_EQ(Read(path), NEW_TEXT);
    EXPECT_EQ(Entries(folder), m_justTheFile);
}

TEST_F(CarefulSave, AnotherUsersFileInASharedStickyFolderKeepsItsOwner)
{
    const std::string folder = Folder("shared", 0, 01777);
    const std::string path = File(folder, OLD_TEXT, OTHER_USER, 0666);
    EXPECT_EQ(AsUser(NOBODY, NOGROUP, [&] { return SaveSaid(path, NEW_TEXT, true); }), "");
    EXPECT_EQ(Read(path), NEW_TEXT);
    ExpectOwnerGroupAndMode(path, OTHER_USER, OTHER_GROUP, 0666);
    EXPECT_EQ(Entries(folder), m_justTheFile);
}

TEST_F(CarefulSave, RootSavingAUsersFileKeepsOwnerGroupAndMode)
{
    const std::string folder = Folder("home", NOBODY, 0755);
    const std::string path = File(folder, OLD_TEXT, NOBODY, 0664);
    EXPECT_TRUE(SaveCarefully(path.c_str(), NEW_TEXT));
    EXPECT_EQ(Read(path), NEW_TEXT);
    ExpectOwnerGroupAndMode(path, NOBODY, NOGROUP, 0664);
    EXPECT_EQ(Entries(folder), m_justTheFile);

    // And the user's own next save still works.
    EXPECT_EQ(AsUser(NOBODY, NOGROUP, [&] { return SaveSaid(path, OLD_TEXT, true); }), "");
    EXPECT_EQ(Read(path), OLD_TEXT);
}

// Rewritten in place: the new text, longer or shorter, under every name, and
// nothing of the old text behind it.
TEST_F(CarefulSave, HardLinkedFileGetsTheNewTextUnderEveryName)
{
    for (const std::string& text : {NEW_TEXT, Text('s', 300)})
    {
        SCOPED_TRACE(text.size());
        ScratchDir dir;
        dir.Write(FILE_NAME, OLD_TEXT);
        ASSERT_EQ(link(dir.Path(FILE_NAME).c_str(), dir.Path("other name.xml").c_str()), 0);
        EXPECT_TRUE(SaveCarefully(dir.Path(FILE_NAME).c_str(), text));
        EXPECT_EQ(dir.Read(FILE_NAME), text);
        EXPECT_EQ(dir.Read("other name.xml"), text);
        EXPECT_EQ(StatusOf(dir.Path(FILE_NAME)).st_nlink, 2u);
        EXPECT_EQ(dir.Entries(), (std::set<std::string>{FILE_NAME, "other name.xml"}));
    }
}

TEST_F(CarefulSave, LinkToAMissingFileCreatesThatFileAndStaysALink)
{
    ASSERT_EQ(mkdir(m_dir.Path("chords").c_str(), 0755), 0);
    ASSERT_EQ(symlink("chords/mine.xml", m_dir.Path(FILE_NAME).c_str()), 0);
    const mode_t previous = umask(022);
    EXPECT_TRUE(SaveCarefully(m_dir.Path(FILE_NAME).c_str(), NEW_TEXT));
    umask(previous);
    EXPECT_TRUE(S_ISLNK(StatusOf(m_dir.Path(FILE_NAME)).st_mode));
    EXPECT_EQ(m_dir.Read("chords/mine.xml"), NEW_TEXT);
    EXPECT_EQ(StatusOf(m_dir.Path("chords/mine.xml")).st_mode & 07777, 0644u);
    EXPECT_EQ(Entries(m_dir.Path("chords")), std::set<std::string>{"mine.xml"});
}

// ulimit -f below the new text: the save fails, the program lives on (the
// file size signal would end it), and the file and its folder are as before.
// With a file replaced by rename and with one rewritten in place, by a text
// longer than the old one and by a shorter one, which would fit the file's
// place but not the limit.
TEST_F(CarefulSave, FileSizeLimitFailsTheSaveAndKeepsTheFile)
{
    for (const bool hardLinked : {false, true})
    {
        for (const std::string& text : {NEW_TEXT, Text('s', 8000)})
        {
            SCOPED_TRACE(std::string(hardLinked ? "hard-linked file" : "single file") + ", text of " +
                         std::to_string(text.size()));
            ScratchDir dir;
            dir.Write(FILE_NAME, OLD_TEXT);
            std::set<std::string> entries = {FILE_NAME};
            if (hardLinked)
            {
                ASSERT_EQ(link(dir.Path(FILE_NAME).c_str(), dir.Path("link.xml").c_str()), 0);
                entries.insert("link.xml");
            }
            const std::string said = InChild([&] {
                signal(SIGXFSZ, SIG_DFL);
                const struct rlimit limit = {4096, RLIM_INFINITY};
                if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                    return std::string("cannot set the file size limit");
                return SaveSaid(dir.Path(FILE_NAME), text, false);
            });
            EXPECT_EQ(said, "");
            EXPECT_EQ(dir.Read(FILE_NAME), OLD_TEXT);
            EXPECT_EQ(dir.Entries(), entries);
        }
    }
}

// A small tmpfs of its own, nearly full: a text that fits in the file's own
// place is saved, one that needs more room than there is leaves the file
// whole. Mounting needs a mount namespace, made in a child.
std::string SaveOnAFullDisk(const std::string& folder)
{
    if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return std::string("skip: no mount namespace here: ") + std::strerror(errno);
    if (mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=256k") != 0)
        return std::string("skip: cannot mount a tmpfs: ") + std::strerror(errno);

    const std::string path = folder + "/" + FILE_NAME;
    const std::string oldText = Text('o', 100000);
    std::ofstream(path, std::ios::binary) << oldText;
    struct statvfs disk;
    if (statvfs(folder.c_str(), &disk) != 0)
        return "statvfs failed";
    // Two pages left free: no room for a second copy of the file.
    const off_t free = static_cast<off_t>(disk.f_bavail * disk.f_frsize) - 8192;
    const int filler = open((folder + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
    if (filler < 0 || posix_fallocate(filler, 0, free) != 0 || close(filler) != 0)
        return "cannot fill the disk";

    std::string said = SaveSaid(path, Text('l', 150000), false);
    if (said.empty() && Read(path) != oldText)
        said = "the file did not keep its text when the room was lacking";
    if (said.empty())
        said = SaveSaid(path, NEW_TEXT, true);
    if (said.empty() && Read(path) != NEW_TEXT)
        said = "the file does not hold the text saved in its own place";
    std::set<std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        entries.insert(entry.path().filename().string());
    if (said.empty() && entries != std::set<std::string>{FILE_NAME, "filler"})
        said = "something was left beside the file";
    return said;
}

TEST_F(CarefulSave, NearlyFullDiskSavesWhatFitsInTheFilesPlace)
{
    const std::string said = InChild([&] { return SaveOnAFullDisk(m_dir.Path("")); });
    if (said.rfind("skip: ", 0) == 0)
        GTEST_SKIP() << said;
    EXPECT_EQ(said, "");
}

struct StickyLinkCase
{
    const char* name;
    uid_t linkOwner;
    uid_t saver;
    bool followed;
};

std::ostream& operator<<(std::ostream& out, const StickyLinkCase& c)
{
    return out << c.name;
}

// In a shared sticky folder a Tabulor.xml link is followed only as the
// kernel's protected-symlinks rule allows, whatever the machine's setting:
// another user's link must not make the saver overwrite a file of the saver's.
TEST_F(CarefulSave, LinksInASharedStickyFolderAreFollowedOnlyWhenTheRuleAllows)
{
    const StickyLinkCase cases[] = {
        {"another user's link, root saves", OTHER_USER, 0, false},
        {"another user's link, the user saves", OTHER_USER, NOBODY, false},
        {"the saver's own link", NOBODY, NOBODY, true},
        {"the folder owner's link", 0, NOBODY, true},
    };
    for (const StickyLinkCase& c : cases)
    {
        SCOPED_TRACE(c);
        ScratchDir dir;
        ASSERT_EQ(chmod(dir.Path("").c_str(), 0755), 0);
        const std::string shared = dir.Path("shared");
        const std::string home = dir.Path("home");
        ASSERT_EQ(mkdir(shared.c_str(), 01777), 0);
        ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
        ASSERT_EQ(mkdir(home.c_str(), 0755), 0);
        ASSERT_EQ(chown(home.c_str(), c.saver, GroupOf(c.saver)), 0);
        const std::string own = File(home, OLD_TEXT, c.saver, 0644);
        const std::string link = shared + "/" + FILE_NAME;
        ASSERT_EQ(symlink(own.c_str(), link.c_str()), 0);
        ASSERT_EQ(lchown(link.c_str(), c.linkOwner, GroupOf(c.linkOwner)), 0);

        EXPECT_EQ(AsUser(c.saver, GroupOf(c.saver), [&] { return SaveSaid(link, NEW_TEXT, c.followed); }), "");
        EXPECT_EQ(Read(own), c.followed ? NEW_TEXT : OLD_TEXT);
        EXPECT_TRUE(S_ISLNK(StatusOf(link).st_mode));
        EXPECT_EQ(Entries(shared), m_justTheFile);
        EXPECT_EQ(Entries(home), m_justTheFile);
    }
}

// A child saves two texts by turns, as fast as it can, and is killed in the
// middle of a save: the file holds one text whole, round after round, and the
// temporary file does not outlive the save. Linux has no call that lets an
// unnamed file replace a name in one step, so the new file is named for the
// moment between linkat() and rename(); a kill just then leaves a whole copy
// under a temporary name. That may happen once in a while on a loaded
// machine, a temporary file left by every kill that lands while it is written
// may not.
TEST_F(CarefulSave, KilledSaveLeavesAWholeFileAndNoTemporaryFile)
{
    const std::string first = Text('a', 1 << 20);
    const std::string second = Text('b', 3 << 19);
    const std::string path = m_dir.Path(FILE_NAME);
    ASSERT_TRUE(SaveCarefully(path.c_str(), second));
    constexpr int ROUNDS = 25;
    constexpr int RARE = 2;
    std::minstd_rand jitter(7);
    int leftOver = 0;
    for (int round = 0; round < ROUNDS; ++round)
    {
        SCOPED_TRACE(round);
        int progress[2];
        ASSERT_EQ(pipe(progress), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            close(progress[0]);
            for (unsigned saves = 0;; ++saves)
            {
                SaveCarefully(path.c_str(), saves % 2 == 0 ? first : second);
                if (write(progress[1], "s", 1) != 1)
                    _exit(1);
            }
        }
        close(progress[1]);
        // A whole save or a few first, and a varying moment into the next
        // one, so that the kills land all over the save.
        char done;
        for (int saves = 0; saves < 1 + round % 3; ++saves)
            ASSERT_EQ(read(progress[0], &done, 1), 1);
        for (unsigned spins = jitter() % 4000; spins > 0; --spins)
            sched_yield();
        kill(child, SIGKILL);
        int status;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        close(progress[0]);

        const std::string text = m_dir.Read(FILE_NAME);
        EXPECT_TRUE(text == first || text == second) << "a file of " << text.size() << " bytes";
        for (const std::string& name : m_dir.Entries())
        {
            if (name == FILE_NAME)
                continue;
            const std::string copy = m_dir.Read(name);
            EXPECT_TRUE(copy == first || copy == second) << name << " holds a part of a text";
            ++leftOver;
            std::filesystem::remove(m_dir.Path(name));
        }
    }
    EXPECT_LE(leftOver, RARE) << "temporary files outlive killed saves";
}

}  // namespace

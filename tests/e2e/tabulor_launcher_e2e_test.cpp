// The installed `tabulor` command as a user starts it: in a fresh home folder
// it makes ~/Tabulor (or the folder TABULOR_HOME names), puts the shipped
// chord file and help image there and runs the program in it; a later start
// keeps the chord file the user saved there.
#include "e2e_tools.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>

#include <memory>
#include <string>

namespace
{
const char* const SAVED_CHORD_FILE = "<chords_xml_table>\n<instrument type=\"guitar_6\">\n"
                                     "<chord id=\"0\" names=\"Em\">\n"
                                     "\t<variant id=\"0\" position=\"0\">\n"
                                     "\t\t<string_1 relative_position=\"0\" left_hand_finger=\"0\"/>\n"
                                     "\t\t<string_2 relative_position=\"0\" left_hand_finger=\"0\"/>\n"
                                     "\t\t<string_3 relative_position=\"0\" left_hand_finger=\"0\"/>\n"
                                     "\t\t<string_4 relative_position=\"2\" left_hand_finger=\"3\"/>\n"
                                     "\t\t<string_5 relative_position=\"2\" left_hand_finger=\"2\"/>\n"
                                     "\t\t<string_6 relative_position=\"-10\" left_hand_finger=\"0\"/>\n"
                                     "\t</variant>\n</chord>\n"
                                     "</instrument>\n</chords_xml_table>\n";

std::string Contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

std::string Shipped(const char* name)
{
    return Contents(QString(SHIPPED_DATA_DIR) + "/" + name);
}

bool Write(const QString& file, const QByteArray& contents)
{
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(contents) == contents.size();
}

class LauncherE2E : public ::testing::Test
{
protected:
    // An X server resets when its last client leaves, and a program that
    // connects meanwhile fails ("could not connect to display"): here the
    // next start follows the end of the program before. The test's own
    // connection, held over all its starts, keeps the display from resetting.
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "tabulor_launcher_e2e_test";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "xcb");
        s_displayConnection = std::make_unique<QGuiApplication>(argc, argv);
    }
    static void TearDownTestSuite() { s_displayConnection.reset(); }
    static inline std::unique_ptr<QGuiApplication> s_displayConnection;

    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        ASSERT_FALSE(Shipped("Tabulor.xml").empty());
        ASSERT_FALSE(Shipped("TabulorHelp.gif").empty());
    }

    void TearDown() override
    {
        if (m_launcher.state() != QProcess::NotRunning)
        {
            m_launcher.kill();
            m_launcher.waitForFinished();
        }
    }

    // A user's session: a home folder of its own and no TABULOR_HOME.
    QProcessEnvironment UserEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", m_home.path());
        env.remove("TABULOR_HOME");
        env.insert("QT_QPA_PLATFORM", "xcb");
        return env;
    }

    void Start(const QProcessEnvironment& env, const QString& launcher = INSTALLED_LAUNCHER)
    {
        m_launcher.setProcessEnvironment(env);
        m_launcher.setWorkingDirectory(m_home.path());
        m_launcher.start(launcher, QStringList());
        ASSERT_TRUE(m_launcher.waitForStarted());
    }

    // Without an event loop, QProcess learns of the end only when asked.
    bool Ended() { return m_launcher.state() == QProcess::NotRunning || m_launcher.waitForFinished(0); }

    // The program's main window, once it shows, or nothing when it ended.
    QString WaitForWindow()
    {
        QString window;
        WaitFor([&] {
            window =
                RunTool("xdotool", {"search", "--onlyvisible", "--name", "^Tabulor 2011.07.03$"}).section('\n', 0, 0);
            return !window.isEmpty() || Ended();
        });
        return window;
    }

    // What the display shows instead, for the report of a window that did
    // not come.
    std::string VisibleWindows()
    {
        QStringList names;
        for (const QString& id : RunTool("xdotool", {"search", "--onlyvisible", "--name", "."}).split('\n'))
            names << RunTool("xdotool", {"getwindowname", id});
        const QString launcher = Ended() ? QString("ended with %1: %2")
                                               .arg(m_launcher.exitCode())
                                               .arg(QString::fromLocal8Bit(m_launcher.readAllStandardError()))
                                         : QString("running");
        return ("windows: " + names.join(" | ") + "; launcher " + launcher).toStdString();
    }

    // The launcher has become the program (same process), running in the
    // working folder.
    void ExpectProgramRunsIn(const QString& workdir)
    {
        const QString proc = QString("/proc/%1/").arg(m_launcher.processId());
        EXPECT_TRUE(QFileInfo(proc + "exe").symLinkTarget().endsWith("/tabulor/tabulor"))
            << QFileInfo(proc + "exe").symLinkTarget().toStdString();
        EXPECT_EQ(QFileInfo(proc + "cwd").symLinkTarget(), QFileInfo(workdir).canonicalFilePath());
    }

    // Ends the program as a session's end does. (How its own Esc and close
    // box end it is the program's end-to-end test.)
    void EndProgram()
    {
        m_launcher.terminate();
        EXPECT_TRUE(m_launcher.waitForFinished(PATIENCE_MS));
    }

    // The working folder holds these two files and nothing else: no part of
    // a copy is left behind.
    static void ExpectWorkingFolder(const QString& workdir, const std::string& chordFile)
    {
        EXPECT_EQ(QDir(workdir).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  QStringList({"Tabulor.xml", "TabulorHelp.gif"}));
        // Compared whole, without printing a few hundred kilobytes.
        EXPECT_TRUE(Contents(workdir + "/Tabulor.xml") == chordFile) << "Tabulor.xml differs";
        EXPECT_TRUE(Contents(workdir + "/TabulorHelp.gif") == Shipped("TabulorHelp.gif")) << "TabulorHelp.gif differs";
    }

    QTemporaryDir m_home;
    QProcess m_launcher;
};

TEST_F(LauncherE2E, FirstStartFillsTabulorInTheHomeFolderAndALaterStartKeepsTheSavedChordFile)
{
    const QString workdir = m_home.filePath("Tabulor");
    Start(UserEnvironment());
    QString window = WaitForWindow();
    ASSERT_FALSE(window.isEmpty()) << VisibleWindows();
    ExpectWorkingFolder(workdir, Shipped("Tabulor.xml"));
    ExpectProgramRunsIn(workdir);
    EndProgram();

    // The user saves another chord file and the help image gets lost: the
    // next start brings the image back and keeps the chord file.
    ASSERT_TRUE(Write(workdir + "/Tabulor.xml", SAVED_CHORD_FILE));
    ASSERT_TRUE(QFile::remove(workdir + "/TabulorHelp.gif"));
    Start(UserEnvironment());
    window = WaitForWindow();
    ASSERT_FALSE(window.isEmpty()) << VisibleWindows();
    ExpectWorkingFolder(workdir, SAVED_CHORD_FILE);
    ExpectProgramRunsIn(workdir);
    EndProgram();
    ExpectWorkingFolder(workdir, SAVED_CHORD_FILE);
}

TEST_F(LauncherE2E, TabulorHomeNamesTheWorkingFolder)
{
    const QString workdir = m_home.filePath("my chords/guitar");
    QProcessEnvironment env = UserEnvironment();
    env.insert("TABULOR_HOME", workdir);
    Start(env);
    const QString window = WaitForWindow();
    ASSERT_FALSE(window.isEmpty()) << VisibleWindows();
    ExpectWorkingFolder(workdir, Shipped("Tabulor.xml"));
    ExpectProgramRunsIn(workdir);
    EXPECT_FALSE(QFileInfo::exists(m_home.filePath("Tabulor")));
    EndProgram();
}

// A chord file the user keeps elsewhere through a link, also one whose file
// is not there yet (the first SAVE makes it): the link stays.
TEST_F(LauncherE2E, AChordFileLinkStaysAlsoToAFileNotYetThere)
{
    const QString workdir = m_home.filePath("Tabulor");
    ASSERT_TRUE(QDir(m_home.path()).mkpath("Tabulor"));
    const QString target = m_home.filePath("synced/chords.xml");
    ASSERT_TRUE(QFile::link(target, workdir + "/Tabulor.xml"));
    Start(UserEnvironment());
    const QString window = WaitForWindow();
    ASSERT_FALSE(window.isEmpty()) << VisibleWindows();
    EndProgram();
    EXPECT_EQ(QFileInfo(workdir + "/Tabulor.xml").symLinkTarget(), target);
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_TRUE(Contents(workdir + "/TabulorHelp.gif") == Shipped("TabulorHelp.gif")) << "TabulorHelp.gif differs";
}

TEST_F(LauncherE2E, AWorkingFolderThatCannotBePreparedIsReportedAndTheProgramDoesNotStart)
{
    // A regular file where the working folder's parent should be.
    ASSERT_TRUE(Write(m_home.filePath("occupied"), "not a folder"));
    // A launcher without the data beside it, as in a broken install.
    ASSERT_TRUE(QDir(m_home.path()).mkpath("broken/bin"));
    const QString brokenLauncher = m_home.filePath("broken/bin/tabulor");
    ASSERT_TRUE(QFile::copy(INSTALLED_LAUNCHER, brokenLauncher));

    struct Case
    {
        const char* name;
        QString launcher;
        QString workdir;
        const char* message;
    };
    const Case cases[] = {
        {"folder below a file", INSTALLED_LAUNCHER, m_home.filePath("occupied/Tabulor"),
         "tabulor: cannot make the working folder "},
        {"no shipped data", brokenLauncher, m_home.filePath("fresh"),
         "tabulor: cannot put Tabulor.xml into the working folder "},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        QProcessEnvironment env = UserEnvironment();
        env.insert("TABULOR_HOME", c.workdir);
        Start(env, c.launcher);
        ASSERT_TRUE(m_launcher.waitForFinished(PATIENCE_MS));
        EXPECT_EQ(m_launcher.exitCode(), 1);
        EXPECT_TRUE(QString::fromLocal8Bit(m_launcher.readAllStandardError()).contains(c.message));
        EXPECT_TRUE(QDir(c.workdir).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
}
}  // namespace

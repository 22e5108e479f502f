// The real program started on chord files and help images that no parser
// should be trusted with: whatever they hold, the window comes, Esc ends the
// program with exit code 0, and the sanitizers have nothing to say.
#include "e2e_tools.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

#include <functional>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
const char* const HELP_IMAGE = "TabulorHelp.gif";
const char* const CHORD_FILE = "Tabulor.xml";

const std::string ROOT_START =
    "<?xml version=\"1.0\" encoding=\"ANSI\"?>\r\n<chords_xml_table>\r\n<instrument type=\"guitar_6\">\r\n";
const std::string ROOT_END = "</instrument>\r\n</chords_xml_table>\r\n";

std::string Repeated(const std::string& part, int times)
{
    std::string text;
    text.reserve(part.size() * times);
    for (int i = 0; i < times; ++i)
        text += part;
    return text;
}

bool WriteFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

struct HostileCase
{
    const char* title;
    // Puts the hostile file into the working folder; the other file is
    // written as a plain one unless the case made it.
    std::function<bool(const QDir&)> prepare;
    // Whether the program reports the help image as missing first.
    bool helpReportedMissing = false;
};

std::ostream& operator<<(std::ostream& out, const HostileCase& c)
{
    return out << c.title;
}

const HostileCase CASES[] = {
    {"FiftyThousandLevels",
     [](const QDir& dir) {
         return WriteFile(dir.filePath(CHORD_FILE),
                          ROOT_START + Repeated("<a>", 50000) + Repeated("</a>", 50000) + ROOT_END);
     }},
    {"HundredThousandAttributes",
     [](const QDir& dir) {
         std::string chord = "<chord id=\"0\" names=\"Am\"";
         for (int i = 0; i < 100000; ++i)
             chord += " a" + std::to_string(i) + "=\"\"";
         return WriteFile(dir.filePath(CHORD_FILE), ROOT_START + chord + "/>\r\n" + ROOT_END);
     }},
    {"DocumentTypeWithAnInternalSubset",
     [](const QDir& dir) {
         return WriteFile(dir.filePath(CHORD_FILE),
                          "<?xml version=\"1.0\"?>\r\n<!DOCTYPE chords_xml_table [ <!ENTITY me "
                          "\"x\"> ]>\r\n<chords_xml_table><instrument><chord names=\"Am\"/>"
                          "</instrument></chords_xml_table>\r\n");
     }},
    {"ChordFileIsAFifo",
     [](const QDir& dir) { return mkfifo(QFile::encodeName(dir.filePath(CHORD_FILE)), 0600) == 0; }},
    {"ChordFileIsALinkToDevZero",
     [](const QDir& dir) { return symlink("/dev/zero", QFile::encodeName(dir.filePath(CHORD_FILE))) == 0; }},
    {"ChordFileIsAFolder", [](const QDir& dir) { return dir.mkdir(CHORD_FILE); }},
    {"ChordFileBeyondAnyChordTable",
     [](const QDir& dir) {
         // Sparse: the size without the disk.
         return WriteFile(dir.filePath(CHORD_FILE), ROOT_START + ROOT_END) &&
                truncate(QFile::encodeName(dir.filePath(CHORD_FILE)), (off_t(256) << 20) + 1) == 0;
     }},
    {"HelpImageIsAFifo", [](const QDir& dir) { return mkfifo(QFile::encodeName(dir.filePath(HELP_IMAGE)), 0600) == 0; },
     true},
};

class HostileFilesE2E : public ::testing::TestWithParam<HostileCase>
{
protected:
    void TearDown() override
    {
        if (m_program.state() != QProcess::NotRunning)
        {
            m_program.kill();
            m_program.waitForFinished();
        }
    }

    QTemporaryDir m_dir;
    QProcess m_program;
};

QString FindWindow(const QString& titlePattern)
{
    return RunTool("xdotool", {"search", "--sync", "--onlyvisible", "--name", titlePattern}).section('\n', 0, 0);
}

TEST_P(HostileFilesE2E, TheWindowComesAndEscEndsTheProgramCleanly)
{
    ASSERT_TRUE(m_dir.isValid());
    const QDir dir(m_dir.path());
    ASSERT_TRUE(GetParam().prepare(dir));
    if (!QFileInfo::exists(dir.filePath(HELP_IMAGE)))
    {
        ASSERT_TRUE(WriteFile(dir.filePath(HELP_IMAGE), "GIF89a"));
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    m_program.setProcessEnvironment(env);
    m_program.setWorkingDirectory(dir.path());
    m_program.start(TABULOR_EXECUTABLE, QStringList());
    ASSERT_TRUE(m_program.waitForStarted());

    if (GetParam().helpReportedMissing)
    {
        // The box has no caption of its own but "Error".
        const QString box = FindWindow("^Error$");
        ASSERT_FALSE(box.isEmpty());
        RunTool("xdotool", {"key", "--window", box, "Return"});
    }
    const QString window = FindWindow("^Tabulor 2011.07.03$");
    ASSERT_FALSE(window.isEmpty()) << m_program.readAllStandardError().toStdString();

    RunTool("xdotool", {"key", "--window", window, "Escape"});
    ASSERT_TRUE(m_program.waitForFinished(PATIENCE_MS));
    const QString errors = QString::fromLocal8Bit(m_program.readAllStandardError());
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_program.exitCode(), 0) << errors.toStdString();
    EXPECT_FALSE(errors.contains("Sanitizer")) << errors.toStdString();
    EXPECT_FALSE(errors.contains("runtime error")) << errors.toStdString();
}

INSTANTIATE_TEST_SUITE_P(StartUp, HostileFilesE2E, ::testing::ValuesIn(CASES),
                         [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.title; });
}  // namespace

// The real program on a real X display: typed chord names change the drawn
// fingering and the finger labels, and Esc ends the process.
#include "e2e_tools.h"

#include <gtest/gtest.h>

#include <QtCore/QDeadlineTimer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtCore/QThread>
#include <QtGui/QImage>

#include <functional>

namespace
{
const char* const CHORD_FILE = "<chords_xml_table>\n<instrument type=\"guitar_6\">\n"
                               "<chord id=\"0\" names=\"Am, Amin\">\n"
                               "\t<variant id=\"0\" position=\"0\">\n"
                               "\t\t<string_1 relative_position=\"0\" left_hand_finger=\"0\"/>\n"
                               "\t\t<string_2 relative_position=\"1\" left_hand_finger=\"1\"/>\n"
                               "\t\t<string_3 relative_position=\"2\" left_hand_finger=\"3\"/>\n"
                               "\t\t<string_4 relative_position=\"2\" left_hand_finger=\"2\"/>\n"
                               "\t\t<string_5 relative_position=\"-10\" left_hand_finger=\"0\"/>\n"
                               "\t\t<string_6 relative_position=\"0\" left_hand_finger=\"0\"/>\n"
                               "\t</variant>\n</chord>\n"
                               "<chord id=\"1\" names=\"C\">\n"
                               "\t<variant id=\"0\" position=\"0\">\n"
                               "\t\t<string_1 relative_position=\"0\" left_hand_finger=\"0\"/>\n"
                               "\t\t<string_2 relative_position=\"1\" left_hand_finger=\"1\"/>\n"
                               "\t\t<string_3 relative_position=\"0\" left_hand_finger=\"0\"/>\n"
                               "\t\t<string_4 relative_position=\"2\" left_hand_finger=\"2\"/>\n"
                               "\t\t<string_5 relative_position=\"-3\" left_hand_finger=\"3\"/>\n"
                               "\t\t<string_6 relative_position=\"10\" left_hand_finger=\"0\"/>\n"
                               "\t</variant>\n</chord>\n"
                               "</instrument>\n</chords_xml_table>";

// Dialog template size in dialog units; the client area is that size.
const double TEMPLATE_WIDTH_DU = 288.0;
const double TEMPLATE_HEIGHT_DU = 178.0;

// The fretboard geometry of the program's drawing for a client size, with
// the same arithmetic (double precision, floats kept, truncation).
struct Board
{
    int left, top, right, bottom;
    float stringY[6];
    float fretX[5];
    float fretWidth;
    double openX;

    Board(int cw, int ch)
    {
        const int areaLeft = int(cw * 0.027), areaTop = int(ch * 0.08);
        const int areaRight = int(cw * 0.81), areaBottom = int(ch * 0.7);
        const int w = areaRight - areaLeft, h = areaBottom - areaTop;
        bottom = int(areaBottom - h / 25.0);
        right = int(areaRight - w / 50.0);
        top = int(areaTop + h / 25.0);
        left = int(areaLeft + w / 18.0);
        const float spacing = float((bottom - top) / 5.0);
        fretWidth = float((right - left) * 0.25);
        for (int i = 0; i < 6; ++i)
            stringY[i] = float(i * double(spacing) + top);
        for (int j = 0; j < 5; ++j)
            fretX[j] = float(j * double(fretWidth) + left);
        openX = fretX[0] - w / 40.0;
    }
    int CellX(int k) const { return int(fretX[k] - fretWidth * 0.5); }
    int Y(int string) const { return int(stringY[string - 1]); }
};

class Screen
{
public:
    Screen(const QImage& shot, int x, int y) : m_shot(shot), m_x(x), m_y(y) {}

    bool IsDark(int cx, int cy) const { return qGray(Pixel(cx, cy)) < 80; }
    bool IsWhite(int cx, int cy) const { return Pixel(cx, cy) == 0xFFFFFFu; }
    // Aliased shapes may land a pixel off the ideal place.
    bool DarkNear(int cx, int cy) const
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (IsDark(cx + dx, cy + dy))
                    return true;
        return false;
    }
    bool HasInk(const QRect& clientRect) const
    {
        for (int y = clientRect.top(); y <= clientRect.bottom(); ++y)
            for (int x = clientRect.left(); x <= clientRect.right(); ++x)
                if (IsDark(x, y))
                    return true;
        return false;
    }

private:
    QRgb Pixel(int cx, int cy) const { return m_shot.pixel(m_x + cx, m_y + cy) & 0xFFFFFF; }

    QImage m_shot;
    int m_x, m_y;
};

class TabulorE2E : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QFile chords(m_dir.filePath("Tabulor.xml"));
        ASSERT_TRUE(chords.open(QIODevice::WriteOnly));
        chords.write(CHORD_FILE);
        chords.close();
        QFile help(m_dir.filePath("TabulorHelp.gif"));
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
        help.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        m_program.setProcessEnvironment(env);
        m_program.setWorkingDirectory(m_dir.path());
        m_program.start(TABULOR_EXECUTABLE, QStringList());
        ASSERT_TRUE(m_program.waitForStarted());

        m_window = RunTool("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^Tabulor 2011.07.03$"})
                       .section('\n', 0, 0);
        ASSERT_FALSE(m_window.isEmpty());
        for (const QString& line : RunTool("xdotool", {"getwindowgeometry", "--shell", m_window}).split('\n'))
        {
            const QString key = line.section('=', 0, 0), value = line.section('=', 1);
            if (key == "X")
                m_x = value.toInt();
            if (key == "Y")
                m_y = value.toInt();
            if (key == "WIDTH")
                m_width = value.toInt();
            if (key == "HEIGHT")
                m_height = value.toInt();
        }
        ASSERT_GT(m_width, 0);
    }

    void TearDown() override
    {
        if (m_program.state() != QProcess::NotRunning)
        {
            m_program.kill();
            m_program.waitForFinished();
        }
    }

    Screen Shoot()
    {
        const QString file = m_dir.filePath("shot.png");
        RunTool("import", {"-window", "root", file});
        m_lastShot = QImage(file);
        return Screen(m_lastShot, m_x, m_y);
    }

    // Waits until the screen shows what check expects, then keeps the shot
    // beside the test's output for a look.
    bool WaitForScreen(const std::function<bool(const Screen&)>& check, const char* name)
    {
        const bool seen = WaitFor([&] { return check(Shoot()); });
        m_lastShot.save(QDir::current().filePath(QString("e2e_%1.png").arg(name)));
        return seen;
    }

    void TypeChordName(const QString& text)
    {
        const int x = int((7 + 94 / 2) * m_width / TEMPLATE_WIDTH_DU);
        const int y = int((154 + 17 / 2) * m_height / TEMPLATE_HEIGHT_DU);
        RunTool("xdotool", {"mousemove", QString::number(m_x + x), QString::number(m_y + y), "click", "1"});
        RunTool("xdotool", {"key", "--window", m_window, "ctrl+a", "BackSpace"});
        RunTool("xdotool", {"type", "--window", m_window, "--delay", "30", text});
    }

    QRect FingerLabel(int string) const
    {
        const int yDu[6] = {15, 34, 55, 75, 95, 114};
        const double sx = m_width / TEMPLATE_WIDTH_DU, sy = m_height / TEMPLATE_HEIGHT_DU;
        return QRect(int(236 * sx), int(yDu[string - 1] * sy), int(8 * sx), int(8 * sy));
    }

    QTemporaryDir m_dir;
    QProcess m_program;
    QString m_window;
    QImage m_lastShot;
    int m_x = 0, m_y = 0, m_width = 0, m_height = 0;
};

TEST_F(TabulorE2E, TypedNamesRedrawTheBoardAndEscEndsTheProgram)
{
    const Board b(m_width, m_height);
    const int open = int(b.openX);

    // At start the chord file's "Am": open string 1, dots on strings 2..4,
    // the root ring on string 5.
    EXPECT_TRUE(WaitForScreen(
        [&](const Screen& s) {
            return s.IsDark(b.CellX(1), b.Y(2)) && s.IsDark(b.CellX(2), b.Y(3)) && s.IsDark(b.CellX(2), b.Y(4)) &&
                   s.IsWhite(open, b.Y(1)) && s.DarkNear(open, b.Y(1) - 7) && s.DarkNear(open - 11, b.Y(5)) &&
                   s.IsWhite(open - 9, b.Y(5)) && s.DarkNear(open - 7, b.Y(5)) && s.IsWhite(open, b.Y(5));
        },
        "am"));
    {
        const Screen s = Shoot();
        const int midY = (b.top + b.bottom) / 2;
        EXPECT_TRUE(s.IsDark(b.left, midY));
        EXPECT_TRUE(s.IsDark(b.right - 1, midY));
        EXPECT_TRUE(s.IsDark(b.CellX(4), b.top));
        EXPECT_TRUE(s.IsDark(b.CellX(4), b.bottom - 1));
        for (int string = 2; string <= 5; ++string)
            EXPECT_TRUE(s.IsDark(b.CellX(4), b.Y(string))) << "string line " << string;
        for (int fret = 1; fret <= 3; ++fret)
            EXPECT_TRUE(s.IsDark(int(b.fretX[fret]), (b.Y(1) + b.Y(2)) / 2)) << "fret " << fret;
        EXPECT_TRUE(s.IsWhite(b.CellX(4), (b.Y(1) + b.Y(2)) / 2));
        EXPECT_FALSE(s.HasInk(FingerLabel(1)));
        EXPECT_TRUE(s.HasInk(FingerLabel(2)));
        EXPECT_FALSE(s.HasInk(FingerLabel(6)));
    }

    // "C": string 5 fretted root in cell 3 (a dot in a ring), string 6 not
    // played (an X in the open column), string 3 open.
    TypeChordName("C");
    EXPECT_TRUE(WaitForScreen(
        [&](const Screen& s) {
            const int cx = b.CellX(3), y5 = b.Y(5);
            return s.IsDark(cx, y5) && s.IsWhite(cx - 9, y5) && s.DarkNear(cx - 11, y5) && s.IsWhite(open, b.Y(3)) &&
                   s.IsDark(open, b.Y(6)) && s.IsDark(open - 4, b.Y(6) - 4) && s.IsWhite(open, b.Y(6) - 5);
        },
        "c"));
    EXPECT_TRUE(Shoot().HasInk(FingerLabel(5)));

    // A name no family has: six Xs, no dots, no finger labels.
    TypeChordName("Zz");
    EXPECT_TRUE(WaitForScreen(
        [&](const Screen& s) {
            for (int string = 1; string <= 6; ++string)
            {
                if (!s.IsDark(open, b.Y(string)) || !s.IsWhite(open, b.Y(string) - 5) || s.HasInk(FingerLabel(string)))
                    return false;
            }
            // Beside the string lines, where the dots of "C" were.
            return s.IsWhite(b.CellX(1), b.Y(2) - 3) && s.IsWhite(b.CellX(2), b.Y(4) - 3);
        },
        "not_found"));

    // A box without a caption of its own carries the executable's name.
    TypeChordName("default mode");
    const QString box =
        RunTool("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^tabulor$"}).section('\n', 0, 0);
    ASSERT_FALSE(box.isEmpty());
    RunTool("xdotool", {"key", "--window", box, "Return"});
    EXPECT_TRUE(WaitFor([&] {
        return RunTool("xdotool", {"search", "--onlyvisible", "--name", "^tabulor$"}).isEmpty();
    }));

    RunTool("xdotool", {"key", "--window", m_window, "Escape"});
    ASSERT_TRUE(m_program.waitForFinished(PATIENCE_MS));
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_program.exitCode(), 0);
}
}  // namespace

// The tree that `cmake --install` leaves: exactly the program, its launcher,
// its data and its desktop files, each where the desktop finds it.
#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>
#include <QtCore/QStringList>
#include <QtGui/QImage>

#include <algorithm>
#include <cstdlib>

namespace
{
#include "tabulor_icon.xpm"

const int ICON_SIZES[] = {16, 32, 48, 64, 128, 256};

QString Installed(const QString& path)
{
    return QString(INSTALLED_TREE) + "/" + path;
}
QString Bin(const QString& name)
{
    return QString(INSTALL_BINDIR) + "/" + name;
}
QString Data(const QString& path)
{
    return QString(INSTALL_DATADIR) + "/" + path;
}
QString IconPath(int size)
{
    return Data(QString("icons/hicolor/%1x%1/apps/tabulor.png").arg(size));
}

QByteArray Contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The colour that the icon's pixels under pixel (x, y) of a size x size
// picture of it give together, each weighted by the area it covers.
QRgb AreaAverage(const QImage& icon, int x, int y, int size)
{
    const double scale = double(icon.width()) / size;
    double red = 0, green = 0, blue = 0;
    for (int sy = int(y * scale); sy < (y + 1) * scale; ++sy)
    {
        const double height = std::min(sy + 1.0, (y + 1) * scale) - std::max(double(sy), y * scale);
        for (int sx = int(x * scale); sx < (x + 1) * scale; ++sx)
        {
            const double width = std::min(sx + 1.0, (x + 1) * scale) - std::max(double(sx), x * scale);
            const QRgb pixel = icon.pixel(sx, sy);
            red += qRed(pixel) * width * height;
            green += qGreen(pixel) * width * height;
            blue += qBlue(pixel) * width * height;
        }
    }
    const double area = scale * scale;
    return qRgb(qRound(red / area), qRound(green / area), qRound(blue / area));
}

// The value of a key of the desktop entry's main group.
QString DesktopEntryValue(const QString& key)
{
    const QString entry = QString::fromUtf8(Contents(Installed(Data("applications/tabulor.desktop"))));
    const QRegularExpression line("^" + key + "=(.*)$", QRegularExpression::MultilineOption);
    return line.match(entry).captured(1);
}

// The program an Exec value starts, by the rules of the desktop entry
// format: the string escapes first, then the quoting of one argument.
QString ExecProgram(const QString& exec)
{
    QString value;
    for (int i = 0; i < exec.size(); ++i)
    {
        if (exec[i] == '\\' && i + 1 < exec.size())
        {
            const QChar escaped = exec[++i];
            value += escaped == 's' ? QChar(' ') : escaped == 't' ? QChar('\t') : escaped;
        }
        else
        {
            value += exec[i];
        }
    }
    if (!value.startsWith('"'))
        return value.section(' ', 0, 0);
    QString program;
    for (int i = 1; i < value.size() && value[i] != '"'; ++i)
        program += value[i] == '\\' && i + 1 < value.size() ? value[++i] : value[i];
    return program;
}

TEST(InstalledTree, HoldsTheProgramItsDataAndItsDesktopFilesAndNothingElse)
{
    QStringList expected = {
        Bin("tabulor"),
        QString(INSTALL_LIBEXECDIR) + "/tabulor/tabulor",
        Data("tabulor/Tabulor.xml"),
        Data("tabulor/TabulorHelp.gif"),
        Data("applications/tabulor.desktop"),
        Data("metainfo/org.example.tabulor.metainfo.xml"),
    };
    for (int size : ICON_SIZES)
        expected << IconPath(size);
    expected.sort();

    QStringList found;
    const QDir root(INSTALLED_TREE);
    QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << root.relativeFilePath(it.next());
    found.sort();
    EXPECT_EQ(found, expected);
}

TEST(InstalledTree, LauncherAndProgramAreExecutableAndTheDataIsTheShippedData)
{
    // The program keeps its name: it is the caption of its message boxes.
    for (const QString& program : {Bin("tabulor"), QString(INSTALL_LIBEXECDIR) + "/tabulor/tabulor"})
        EXPECT_TRUE(QFileInfo(Installed(program)).isExecutable()) << program.toStdString();
    for (const char* name : {"Tabulor.xml", "TabulorHelp.gif"})
    {
        const QByteArray shipped = Contents(QString(SHIPPED_DATA_DIR) + "/" + name);
        ASSERT_FALSE(shipped.isEmpty()) << name;
        EXPECT_TRUE(Contents(Installed(Data(QString("tabulor/") + name))) == shipped) << name << " differs";
        EXPECT_TRUE(QFileInfo(Installed(Data(QString("tabulor/") + name))).permissions() & QFile::ReadOther) << name;
    }
}

TEST(InstalledTree, DesktopEntryAndMetainfoNameTheInstalledLauncherAndIcon)
{
    // The prefix has a space in its name: Exec must quote it.
    const QString exec = DesktopEntryValue("Exec");
    EXPECT_EQ(ExecProgram(exec), QString(INSTALL_PREFIX) + "/" + Bin("tabulor")) << exec.toStdString();
    EXPECT_EQ(DesktopEntryValue("Icon"), "tabulor");
    for (int size : ICON_SIZES)
        EXPECT_TRUE(QFileInfo::exists(Installed(IconPath(size)))) << size;

    const QString metainfo = QString::fromUtf8(Contents(Installed(Data("metainfo/org.example.tabulor.metainfo.xml"))));
    EXPECT_TRUE(metainfo.contains("<launchable type=\"desktop-id\">tabulor.desktop</launchable>"));
    EXPECT_TRUE(metainfo.contains("<binary>tabulor</binary>"));
}

TEST(InstalledTree, IconsShowTheProgramIconAtEverySize)
{
    const QImage icon = QImage(TABULOR_ICON_XPM).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(icon.size(), QSize(32, 32));
    for (int size : ICON_SIZES)
    {
        SCOPED_TRACE(size);
        const QImage png = QImage(Installed(IconPath(size))).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(png.size(), QSize(size, size));
        // Each pixel is the average of the icon's pixels under it, to the
        // rounding of smooth scaling; whole multiples are the icon's pixels
        // enlarged, exactly.
        const int tolerance = size % icon.width() == 0 ? 0 : 2;
        int wrongPixels = 0;
        for (int y = 0; y < size; ++y)
        {
            for (int x = 0; x < size; ++x)
            {
                const QRgb want = AreaAverage(icon, x, y, size), got = png.pixel(x, y);
                if (std::abs(qRed(got) - qRed(want)) > tolerance || std::abs(qGreen(got) - qGreen(want)) > tolerance ||
                    std::abs(qBlue(got) - qBlue(want)) > tolerance)
                    ++wrongPixels;
            }
        }
        EXPECT_EQ(wrongPixels, 0);
    }
}
}  // namespace

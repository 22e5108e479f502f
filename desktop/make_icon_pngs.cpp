// Writes the program's own icon as the PNG files of the hicolor icon theme:
//
//   tabulor-icon-pngs OUTPUT_DIR NAME SIZE...
//
// makes OUTPUT_DIR/SIZExSIZE/apps/NAME.png for every SIZE. The icon is small
// pixel art: every pixel of a picture is the average of the icon's pixels
// under it, each weighted by the area it covers, so that whole multiples of
// the icon's size are its pixels enlarged and stay sharp.
#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <numeric>

namespace
{
#include "tabulor_icon.xpm"

// The icon is square. Enlarged pixel by pixel to a whole multiple of both
// sizes, each pixel of the result covers whole pixels of that picture, which
// smooth scaling then averages.
QImage IconAt(const QImage& icon, int size)
{
    const int common = std::lcm(icon.width(), size);
    const QImage enlarged = icon.scaled(common, common, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return common == size ? enlarged : enlarged.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
    {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR NAME SIZE...\n", argv[0]);
        return 2;
    }
    const QImage icon(TABULOR_ICON_XPM);
    if (icon.isNull())
    {
        std::fprintf(stderr, "%s: the icon could not be read\n", argv[0]);
        return 1;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i)
    {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        if (!isNumber || size <= 0)
        {
            std::fprintf(stderr, "%s: not an icon size: %s\n", argv[0], argv[i]);
            return 2;
        }
        const QString folder = QString("%1x%1/apps").arg(size);
        const QString file = output.filePath(folder + "/" + name + ".png");
        if (!output.mkpath(folder) || !IconAt(icon, size).save(file, "PNG"))
        {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
            return 1;
        }
    }
    return 0;
}

// The screen as a dpi-aware program sees it: device pixels and the dpi of
// the device, whatever scaling Qt applies to its logical units.
#include "afx_internal.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace afx
{
namespace
{
const QScreen* PrimaryScreen()
{
    return QGuiApplication::primaryScreen();
}
}  // namespace

qreal PixelRatio()
{
    const QScreen* screen = PrimaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

int LogicalDpi()
{
    if (g_logicalDpiOverride > 0)
        return g_logicalDpiOverride;
    const QScreen* screen = PrimaryScreen();
    return screen != nullptr ? qRound(screen->logicalDotsPerInchY() * screen->devicePixelRatio()) : 96;
}

int ToDevice(qreal logical)
{
    return qRound(logical * PixelRatio());
}

QPoint ToDevice(QPointF logical)
{
    return QPoint(ToDevice(logical.x()), ToDevice(logical.y()));
}

QSize ToDevice(QSize logical)
{
    return QSize(ToDevice(logical.width()), ToDevice(logical.height()));
}

QRect ToDevice(const QRect& logical)
{
    const QPoint topLeft(ToDevice(logical.x()), ToDevice(logical.y()));
    const QPoint end(ToDevice(logical.x() + logical.width()), ToDevice(logical.y() + logical.height()));
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

int ToLogical(int device)
{
    return qRound(device / PixelRatio());
}

QPointF ToLogical(QPoint device)
{
    return QPointF(device.x() / PixelRatio(), device.y() / PixelRatio());
}

// Edges are rounded, not sizes, so neighbouring controls stay neighbours.
QRect ToLogical(const QRect& device)
{
    const QPoint topLeft(ToLogical(device.x()), ToLogical(device.y()));
    const QPoint end(ToLogical(device.x() + device.width()), ToLogical(device.y() + device.height()));
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

QFont WidgetFont(const QFont& deviceFont)
{
    if (deviceFont.pixelSize() <= 0)
        return deviceFont;
    // Qt sizes a widget's font in its logical units; a point size that comes
    // to the device pixel size at the screen's scale keeps fractional sizes.
    const QScreen* screen = PrimaryScreen();
    const qreal logicalDpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    QFont font = deviceFont;
    font.setPointSizeF(deviceFont.pixelSize() * 72.0 / (logicalDpi * PixelRatio()));
    return font;
}

int DevicePixelSize(const QFont& widgetFont)
{
    if (widgetFont.pixelSize() > 0)
        return ToDevice(widgetFont.pixelSize());
    const QScreen* screen = PrimaryScreen();
    const qreal logicalDpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    return ToDevice(widgetFont.pointSizeF() * logicalDpi / 72.0);
}

QFont DialogFont(const char* face, int pointSize, int weight, bool italic)
{
    static const bool substituted = [] {
        // Windows' dialog fonts are not on Linux: a sans-serif face of close
        // metrics stands in (Liberation Sans or Arimo have Arial's metrics,
        // Nimbus Sans Helvetica's, DejaVu Sans is the last resort).
        const QStringList standIns = {"Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans"};
        for (const char* windowsFace : {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Microsoft Sans Serif"})
            QFont::insertSubstitutions(windowsFace, standIns);
        return true;
    }();
    (void)substituted;
    QFont font(ToQt(face));
    font.setPixelSize(std::max(1, MulDiv(pointSize, LogicalDpi(), 72)));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight != 0 ? weight : 400, 100, 900)));
    font.setItalic(italic);
    return font;
}
}  // namespace afx

// Linked into a Qt program, reports the moment its first frame is on screen:
// once the first paint of a top-level window has ended, the backing store
// has been flushed and the window system has taken the frame, it prints the
// process's resident kilobytes on standard output and ends the process.
// The program itself stays as it is; the probe arrives with the
// application object, before any window exists.
#include "resident_memory.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QTimer>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QWidget>

#include <cstdio>
#include <cstdlib>

namespace
{
void ReportFrameOnScreen()
{
    // Waits until the window system has processed what was sent (a round
    // trip to the X server; nothing to wait for on the offscreen platform).
    QGuiApplication::sync();
    std::printf("%ld\n", ResidentKilobytes());
    std::fflush(stdout);
    std::_Exit(0);
}

class FirstFrameFilter : public QObject
{
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
        {
            m_seen = true;
            // The paint of the window and its controls and the flush of the
            // backing store happen in this one event; a queued call runs
            // after it.
            QTimer::singleShot(0, &ReportFrameOnScreen);
        }
        return false;
    }

private:
    bool m_seen = false;
};

void InstallFirstFrameFilter()
{
    QCoreApplication::instance()->installEventFilter(new FirstFrameFilter);
}
}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallFirstFrameFilter)

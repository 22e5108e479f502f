// What the end-to-end tests share: running the desktop tools (xdotool,
// ImageMagick) and waiting for a condition instead of sleeping a fixed time.
#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>

// How long a tool, a window or a condition may take to come: a limit only
// for a failure, long enough for a sanitizer build on a busy machine.
constexpr int kPatienceMs = 60000;

inline QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(kPatienceMs);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = kPatienceMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired())
    {
        if (condition())
            return true;
        QThread::msleep(20);
    }
    return condition();
}

// Each end-to-end test program runs on an X display of its own. Xvfb picks a
// free display number itself (-displayfd) and writes it once it accepts
// connections, so that test programs and other X servers started at the same
// time never race for a number, and nothing waits a fixed time for the
// server. The server ends with the test program, also when that is killed.
#include <chrono>
#include <csignal>

#include <sys/prctl.h>

#include <QDeadlineTimer>
#include <QProcess>

#include <gtest/gtest.h>

namespace
{

class OwnXDisplay : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_server.setProgram("Xvfb");
        m_server.setArguments({"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_server.start();
        ASSERT_TRUE(m_server.waitForStarted()) << "Xvfb cannot be started: " << m_server.errorString().toStdString();

        // A busy machine only delays the server; one that failed has ended.
        QDeadlineTimer deadline(std::chrono::minutes(2));
        QByteArray number;
        while (!number.endsWith('\n') && !deadline.hasExpired() &&
               m_server.waitForReadyRead(int(deadline.remainingTime())))
            number += m_server.readAllStandardOutput();
        number = number.trimmed();
        ASSERT_FALSE(number.isEmpty()) << "Xvfb wrote no display number";
        qputenv("DISPLAY", ":" + number);
    }

    void TearDown() override
    {
        m_server.terminate();
        m_server.waitForFinished();
    }

private:
    QProcess m_server;
};

[[maybe_unused]] ::testing::Environment* const g_display = ::testing::AddGlobalTestEnvironment(new OwnXDisplay);

} // namespace

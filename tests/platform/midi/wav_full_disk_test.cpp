// The WAV output on a disk that fills up: one line of report, and a file
// whose header describes exactly the sound that reached it.
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "midi/wav_file_writer.h"
#include "mmsystem.h"
#include "scoped_environment.h"
#include "wav_file.h"

namespace
{

constexpr int HEADER_BYTES = 44;
constexpr int FRAMES_PER_BLOCK = 375;  // 1500 bytes: blocks end off page edges
constexpr int CHILD_CANNOT_MOUNT = 77;

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

struct FullDiskResult
{
    int exitCode = -1;
    std::string report;    // the child's stderr
    std::string findings;  // the child's stdout
};

// In a child process with a mount namespace of its own: a 64 KiB tmpfs,
// a WAV file written into it until the disk is full, then checked.
FullDiskResult WriteUntilTheDiskIsFull()
{
    int err[2];
    int out[2];
    if (::pipe(err) != 0 || ::pipe(out) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        ::dup2(err[1], STDERR_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        const std::string mountPoint = FreshTempPath("small_disk");
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mkdir(mountPoint.c_str(), 0700) != 0 ||
            ::mount("tabulor-test", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
        {
            std::printf("%s", std::strerror(errno));
            std::fflush(stdout);
            ::_exit(CHILD_CANNOT_MOUNT);
        }
        const std::string path = mountPoint + "/full.wav";
        std::vector<std::int16_t> block(FRAMES_PER_BLOCK * 2);
        std::size_t appended = 0;
        {
            WavFileWriter writer(path, 44100, 2);
            // Twice the disk: the writes past its end must fail.
            for (int i = 0; i < 2 * 65536 / (FRAMES_PER_BLOCK * 4); ++i)
            {
                for (std::size_t s = 0; s < block.size(); ++s)
                    block[s] = static_cast<std::int16_t>(appended + s);
                writer.Append(block.data(), block.size());
                appended += block.size();
            }
        }
        const WavFile wav = ReadWavFile(path);
        bool samplesAsWritten = true;
        for (std::size_t s = 0; s < wav.samples.size(); ++s)
            samplesAsWritten = samplesAsWritten && wav.samples[s] == static_cast<std::int16_t>(s);
        std::printf("riff=%d data=%u file=%ju header_fits=%d samples=%zu as_written=%d", wav.isRiffWave, wav.dataSize,
                    wav.fileSize, wav.riffSize == wav.fileSize - 8 && wav.dataSize == wav.fileSize - HEADER_BYTES,
                    wav.samples.size(), samplesAsWritten);
        std::fflush(stdout);
        ::_exit(0);
    }
    ::close(err[1]);
    ::close(out[1]);
    FullDiskResult result;
    result.findings = ReadAll(out[0]);
    result.report = ReadAll(err[0]);
    ::close(out[0]);
    ::close(err[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(WavFullDiskTest, ReportsOnceAndKeepsTheHeaderTrueToTheData)
{
    const FullDiskResult result = WriteUntilTheDiskIsFull();
    if (result.exitCode == CHILD_CANNOT_MOUNT)
        GTEST_SKIP() << "a small tmpfs cannot be mounted here (needs root or a user namespace): " << result.findings;
    ASSERT_EQ(result.exitCode, 0) << result.report;

    EXPECT_EQ(result.report.rfind("tabulor: writing the WAV file ", 0), 0u) << result.report;
    EXPECT_NE(result.report.find("No space left on device"), std::string::npos) << result.report;
    EXPECT_EQ(result.report.find('\n'), result.report.size() - 1) << result.report;
    // The disk took most of its 64 KiB before it was full.
    unsigned dataBytes = 0;
    ASSERT_EQ(std::sscanf(result.findings.c_str(), "riff=1 data=%u", &dataBytes), 1) << result.findings;
    EXPECT_GT(dataBytes, 32768u);
    EXPECT_NE(result.findings.find("header_fits=1"), std::string::npos) << result.findings;
    EXPECT_NE(result.findings.find("as_written=1"), std::string::npos) << result.findings;
}

TEST(WavFullDiskTest, OpenFailsWhenNotEvenTheHeaderCanBeWritten)
{
    ScopedEnvironment env;
    env.Set("TABULOR_MIDI_WAV", "/dev/full");
    HMIDIOUT handle = reinterpret_cast<HMIDIOUT>(&env);
    testing::internal::CaptureStderr();
    EXPECT_EQ(midiOutOpen(&handle, 0, 0, 0, CALLBACK_NULL), MMSYSERR_ERROR);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(report.rfind("tabulor: MIDI output open failed: cannot write the WAV file /dev/full", 0), 0u) << report;
    EXPECT_EQ(report.find('\n'), report.size() - 1) << report;
}

}  // namespace

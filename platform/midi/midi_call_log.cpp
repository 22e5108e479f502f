#include "midi_call_log.h"

#include <fcntl.h>
#include <unistd.h>

#include "midi_settings.h"

void LogMidiCall(const std::string& line)
{
    const std::string path = ReadMidiSettings().logPath;
    if (path.empty())
        return;
    // One write on an append-only descriptor: lines stay whole and in order
    // even when a test reads the file while the program runs.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const std::string text = line + '\n';
    [[maybe_unused]] const ssize_t written = ::write(fd, text.data(), text.size());
    ::close(fd);
}

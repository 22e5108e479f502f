#include "crt.h"

#include "afx_internal.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::uint32_t g_randomState = 1;
}  // namespace

namespace crt
{
void srand(unsigned int seed)
{
    g_randomState = seed;
}

int rand()
{
    g_randomState = g_randomState * 214013u + 2531011u;
    return static_cast<int>((g_randomState >> 16) & 0x7FFF);
}

void exit(int status)
{
    if (afx::g_exitHook)
        afx::g_exitHook(status);
    std::exit(status);
}

std::FILE* fopen(const char* fileName, const char* mode)
{
    if (mode[0] != 'r' || std::strchr(mode, '+') != nullptr)
    {
        errno = EINVAL;
        return nullptr;
    }
    const int fd = open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
    {
        close(fd);
        errno = ENOENT;
        return nullptr;
    }
    // Reads of a regular file never wait; the stream reads as usual.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = fdopen(fd, mode);
    if (file == nullptr)
        close(fd);
    return file;
}
}  // namespace crt

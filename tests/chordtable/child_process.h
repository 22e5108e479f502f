// Runs part of a test in a child process: as another user, under a file size
// limit or in a mount namespace of its own, none of which the test process
// itself must take on.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <string>

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// The unprivileged user of the machine (nobody, nogroup) and another one with
// no name, for the cases that need two users.
constexpr uid_t NOBODY = 65534;
constexpr gid_t NOGROUP = 65534;
constexpr uid_t OTHER_USER = 4242;
constexpr gid_t OTHER_GROUP = 4242;

// What the child said: the text its body returned (empty for success), or
// how it ended when it did not return.
inline std::string InChild(const std::function<std::string()>& body)
{
    int channel[2];
    if (pipe(channel) != 0)
        return "pipe failed";
    const pid_t child = fork();
    if (child < 0)
        return "fork failed";
    if (child == 0)
    {
        close(channel[0]);
        const std::string said = body();
        const ssize_t written = write(channel[1], said.data(), said.size());
        _exit(written == static_cast<ssize_t>(said.size()) ? 0 : 1);
    }
    close(channel[1]);
    std::string said;
    char buffer[256];
    for (;;)
    {
        const ssize_t got = read(channel[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        said.append(buffer, static_cast<std::size_t>(got));
    }
    close(channel[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    if (WIFSIGNALED(status))
        return "the child was killed by signal " + std::to_string(WTERMSIG(status)) + " (" +
               strsignal(WTERMSIG(status)) + ")";
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the child could not report";
    return said;
}

// Makes the calling (child) process the given user and group, dropping root.
inline std::string BecomeUser(uid_t uid, gid_t gid)
{
    if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
        return std::string("cannot become user ") + std::to_string(uid) + ": " + std::strerror(errno);
    return "";
}

// body run as the given user in a child process.
inline std::string AsUser(uid_t uid, gid_t gid, const std::function<std::string()>& body)
{
    return InChild([&] {
        const std::string failure = BecomeUser(uid, gid);
        return failure.empty() ? body() : failure;
    });
}

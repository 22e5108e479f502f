// Running a program whose probe prints one line, its resident kilobytes, on
// the standard output when it reaches the moment the probe waits for.
#pragma once

#include <chrono>
#include <cstdlib>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

struct ProbeRun
{
    // From just before the spawn to the probe's line; -1 when none came.
    double milliseconds = -1;
    long residentKb = -1;
};

// Starts the program, waits for its probe's line and then for its end.
inline ProbeRun RunProbe(const char* program)
{
    int out[2];
    if (pipe(out) != 0)
        std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(program), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid;
    if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0)
        std::abort();
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char text[64] = {};
    const ssize_t length = read(out[0], text, sizeof(text) - 1);
    ProbeRun run;
    if (length > 0)
    {
        run.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        run.residentKb = std::atol(text);
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return run;
}

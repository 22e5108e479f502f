// Resident memory of the calling process, from the kernel's own account.
#pragma once

#include <cstdio>
#include <cstring>

inline long ResidentKilobytes()
{
    long kilobytes = -1;
    if (std::FILE* status = std::fopen("/proc/self/status", "r"))
    {
        char line[256];
        while (std::fgets(line, sizeof(line), status))
        {
            if (std::strncmp(line, "VmRSS:", 6) == 0)
            {
                std::sscanf(line + 6, "%ld", &kilobytes);
                break;
            }
        }
        std::fclose(status);
    }
    return kilobytes;
}

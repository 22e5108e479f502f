#include "crt.h"

#include "afx_internal.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace
{
std::uint32_t g_randomState = 1;
}

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

int _mbscmp(const unsigned char* string1, const unsigned char* string2)
{
    return std::strcmp(reinterpret_cast<const char*>(string1), reinterpret_cast<const char*>(string2));
}
}  // namespace crt

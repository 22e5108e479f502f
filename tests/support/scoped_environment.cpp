#include "scoped_environment.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

namespace
{

const char* const MIDI_VARIABLES[] = {"TABULOR_MIDI_SOUNDFONT", "TABULOR_MIDI_DRIVER", "TABULOR_MIDI_WAV",
                                      "TABULOR_MIDI_LOG"};

}  // namespace

ScopedEnvironment::ScopedEnvironment()
{
    for (const char* name : MIDI_VARIABLES)
    {
        const char* value = std::getenv(name);
        m_saved[name] = value ? std::optional<std::string>(value) : std::nullopt;
        ::unsetenv(name);
    }
}

ScopedEnvironment::~ScopedEnvironment()
{
    for (const auto& [name, value] : m_saved)
    {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
}

void ScopedEnvironment::Set(const std::string& name, const std::string& value)
{
    ::setenv(name.c_str(), value.c_str(), 1);
}

std::string FreshTempPath(const std::string& name)
{
    // The process id keeps test programs run side by side apart.
    const std::string path = testing::TempDir() + "tabulor_midi_" + std::to_string(::getpid()) + "_" + name;
    std::filesystem::remove(path);
    return path;
}

// The MIDI device's environment settings for one test: all of them unset at
// the start, put back as they were at the end.
#pragma once

#include <map>
#include <optional>
#include <string>

class ScopedEnvironment
{
public:
    ScopedEnvironment();
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void Set(const std::string& name, const std::string& value);

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

// A path of this test program's own in the temporary folder, removed if
// it already exists.
std::string FreshTempPath(const std::string& name);

// Why device 0 could not be opened, with the result code midiOutOpen gives.
#pragma once

#include <stdexcept>
#include <string>

#include "mmsystem.h"

class MidiOpenError : public std::runtime_error
{
public:
    MidiOpenError(MMRESULT result, const std::string& reason) : std::runtime_error(reason), m_result(result) {}

    MMRESULT Result() const { return m_result; }

private:
    MMRESULT m_result;
};

// midiOut* for device 0, the built-in software synthesizer. Like a Windows
// device that does not share, it is open at most once at a time.
#include <cstdio>
#include <memory>
#include <mutex>
#include <new>

#include "mmsystem.h"

#include "audio_output.h"
#include "fluid_synthesizer.h"
#include "library_log.h"
#include "midi_call_log.h"
#include "midi_open_error.h"
#include "midi_settings.h"

// The open device; HMIDIOUT points at it.
struct HMIDIOUT__
{
    HMIDIOUT__(const std::string& soundFont, const MidiSettings& settings)
        : synthesizer(soundFont),
          output(StartAudioOutput(synthesizer, settings))
    {
    }

    // Declared first: the output pulls from the synthesizer until it stops.
    FluidSynthesizer synthesizer;
    std::unique_ptr<AudioOutput> output;
};

namespace
{

std::mutex g_deviceMutex;
std::unique_ptr<HMIDIOUT__> g_openDevice;

std::string Format(const char* format, unsigned a, unsigned b = 0)
{
    char line[64];
    std::snprintf(line, sizeof line, format, a, b);
    return line;
}

bool IsOpenDevice(HMIDIOUT hmo)
{
    return hmo && hmo == g_openDevice.get();
}

MMRESULT OpenDevice(LPHMIDIOUT phmo, UINT uDeviceID, DWORD fdwOpen)
{
    if (!phmo)
        return MMSYSERR_INVALPARAM;
    *phmo = nullptr;
    // This device never calls back: an open that asks for a callback is
    // refused rather than left waiting for one.
    if (fdwOpen != CALLBACK_NULL)
        return MMSYSERR_INVALFLAG;
    const MidiSettings settings = ReadMidiSettings();
    const std::string soundFont = FindSoundFont(settings.soundFont);
    if (uDeviceID != 0 || soundFont.empty())
        return MMSYSERR_BADDEVICEID;
    if (g_openDevice)
        return MMSYSERR_ALLOCATED;
    try
    {
        TakeLibraryError();
        g_openDevice = std::make_unique<HMIDIOUT__>(soundFont, settings);
    }
    catch (const MidiOpenError& error)
    {
        ReportOpenFailure(error.what());
        return error.Result();
    }
    catch (const std::bad_alloc&)
    {
        ReportOpenFailure("out of memory");
        return MMSYSERR_NOMEM;
    }
    *phmo = g_openDevice.get();
    return MMSYSERR_NOERROR;
}

}  // namespace

UINT midiOutGetNumDevs()
{
    const UINT count = FindSoundFont(ReadMidiSettings().soundFont).empty() ? 0 : 1;
    LogMidiCall(Format("midiOutGetNumDevs -> %u", count));
    return count;
}

MMRESULT midiOutOpen(LPHMIDIOUT phmo, UINT uDeviceID, DWORD_PTR /*dwCallback*/, DWORD_PTR /*dwInstance*/, DWORD fdwOpen)
{
    MMRESULT result;
    {
        std::lock_guard<std::mutex> lock(g_deviceMutex);
        result = OpenDevice(phmo, uDeviceID, fdwOpen);
    }
    LogMidiCall(Format("midiOutOpen %u -> %u", uDeviceID, result));
    return result;
}

MMRESULT midiOutShortMsg(HMIDIOUT hmo, DWORD dwMsg)
{
    LogMidiCall(Format("midiOutShortMsg 0x%08X", dwMsg));
    std::lock_guard<std::mutex> lock(g_deviceMutex);
    if (!IsOpenDevice(hmo))
        return MMSYSERR_INVALHANDLE;
    hmo->synthesizer.ShortMessage(dwMsg);
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutReset(HMIDIOUT hmo)
{
    LogMidiCall("midiOutReset");
    std::lock_guard<std::mutex> lock(g_deviceMutex);
    if (!IsOpenDevice(hmo))
        return MMSYSERR_INVALHANDLE;
    hmo->synthesizer.Reset();
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutClose(HMIDIOUT hmo)
{
    LogMidiCall("midiOutClose");
    std::lock_guard<std::mutex> lock(g_deviceMutex);
    if (!IsOpenDevice(hmo))
        return MMSYSERR_INVALHANDLE;
    g_openDevice.reset();
    return MMSYSERR_NOERROR;
}

#include "library_log.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

#include <fluidsynth.h>
#include <glib.h>

#ifdef TABULOR_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace
{

// Per thread: the SoundFont loads in a thread of its own while the device
// opens its audio output, and each must name its own cause.
thread_local std::string g_lastError;

void KeepError(const std::string& message)
{
    g_lastError = message;
}

void OnFluidMessage(int level, const char* message, void*)
{
    if ((level == FLUID_PANIC || level == FLUID_ERR) && message)
        KeepError(message);
}

void OnGlibMessage(const gchar*, GLogLevelFlags, const gchar* message, gpointer)
{
    if (message)
        KeepError(message);
}

#ifdef TABULOR_HAVE_ALSA
void OnAlsaMessage(const char*, int, const char*, int, const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    KeepError(text);
}
#endif

} // namespace

void SilenceLibraryLogging()
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, OnFluidMessage, nullptr);
#ifdef TABULOR_HAVE_ALSA
        snd_lib_error_set_handler(OnAlsaMessage);
#endif
    });
}

std::string TakeLibraryError()
{
    std::string error;
    error.swap(g_lastError);
    return error;
}

void KeepingGlibMessages(const std::function<void()>& work)
{
    // GLib hands back the previous handler but not its data; the default
    // handler, the one a program without GLib of its own has, takes none.
    struct Restore
    {
        GLogFunc previous;
        ~Restore() { g_log_set_default_handler(previous, nullptr); }
    } restore{g_log_set_default_handler(OnGlibMessage, nullptr)};
    work();
}

void ReportMidiFailure(const std::string& text)
{
    std::fprintf(stderr, "tabulor: %s\n", text.c_str());
}

void ReportOpenFailure(const std::string& reason)
{
    ReportMidiFailure("MIDI output open failed: " + reason);
}

// Keeps FluidSynth's and ALSA lib's own messages off the terminal. Their
// errors are kept so that a failure can name the cause in the layer's one
// line of report.
#pragma once

#include <functional>
#include <string>

// Installs the handlers; safe to call any number of times, from any thread.
void SilenceLibraryLogging();

// The last error the libraries reported on the calling thread since its
// previous call (empty if none), and forgets it.
std::string TakeLibraryError();

// Runs work with GLib's messages kept as errors instead of printed:
// FluidSynth hands a SoundFont that its own loader refuses to libinstpatch,
// which reports through GLib. Only for that span, because GLib's handler is
// the whole process's.
void KeepingGlibMessages(const std::function<void()>& work);

// The layer's own report of a fault: one line on stderr, "tabulor: text".
void ReportMidiFailure(const std::string& text);

// The report of a failed open.
void ReportOpenFailure(const std::string& reason);

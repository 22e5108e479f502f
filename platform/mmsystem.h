// Windows multimedia MIDI output, as the program calls it. Device 0 is the
// built-in General MIDI software synthesizer.
#pragma once

#include "windef.h"

typedef UINT MMRESULT;

struct HMIDIOUT__;
typedef HMIDIOUT__* HMIDIOUT;
typedef HMIDIOUT* LPHMIDIOUT;

// Result codes, with the values Windows gives them.
#define MMSYSERR_NOERROR 0
#define MMSYSERR_ERROR 1
#define MMSYSERR_BADDEVICEID 2
#define MMSYSERR_ALLOCATED 4
#define MMSYSERR_INVALHANDLE 5
#define MMSYSERR_NODRIVER 6
#define MMSYSERR_NOMEM 7
#define MMSYSERR_INVALFLAG 10
#define MMSYSERR_INVALPARAM 11
#define MIDIERR_BASE 64
#define MIDIERR_NODEVICE (MIDIERR_BASE + 4)

#define CALLBACK_NULL 0x00000000L

UINT midiOutGetNumDevs();
MMRESULT midiOutOpen(LPHMIDIOUT phmo, UINT uDeviceID, DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen);
MMRESULT midiOutShortMsg(HMIDIOUT hmo, DWORD dwMsg);
MMRESULT midiOutReset(HMIDIOUT hmo);
MMRESULT midiOutClose(HMIDIOUT hmo);

// The main window's sound: MIDI output device 0 opened with the window and
// closed with it, the shown chord or one string played, Mute, and the
// channel volume following the volume slider.
#include "midi_out.h"

#include "commctrl.h"
#include "crt.h"
#include "tabulor_dlg.h"

namespace
{
const char* const NO_DEVICE_TEXT = "No MIDI output devices! Program will be closed!";
const char* const OPEN_ERROR_TEXT = "MIDI output open error! Program will be closed!";
const int FATAL_EXIT_CODE = 1;

// Note indexes that sound: keys 40 (E2) to 84.
const int LOWEST_NOTE = 4;
const int HIGHEST_NOTE = 48;
// Strings 1 to 4 sound whatever the root string; the two bass strings only
// when they are not below it.
const int LAST_TREBLE_STRING = 3;

bool IsSounding(int nNote)
{
    return nNote >= LOWEST_NOTE && nNote <= HIGHEST_NOTE;
}

// The program cannot do its work without sound.
[[noreturn]] void ExitWithError(CWnd& owner, const char* text)
{
    owner.MessageBox(text, "Error", MB_OK | MB_ICONEXCLAMATION);
    crt::exit(FATAL_EXIT_CODE);
}
}  // namespace

int CTabulorDlg::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1)
        return -1;

    if (midiOutGetNumDevs() == 0)
        ExitWithError(*this, NO_DEVICE_TEXT);
    m_midiOpenResult = midiOutOpen(&m_hMidiOut, 0, 0, 0, CALLBACK_NULL);
    if (m_midiOpenResult != MMSYSERR_NOERROR)
        ExitWithError(*this, OPEN_ERROR_TEXT);

    midiOutShortMsg(m_hMidiOut, ProgramChangeMessage(m_nPatch));
    return 0;
}

void CTabulorDlg::OnDestroy()
{
    CDialog::OnDestroy();
    midiOutClose(m_hMidiOut);
}

void CTabulorDlg::PlayChord()
{
    midiOutReset(m_hMidiOut);
    // Back to back, highest string first: the chord sounds as a block.
    for (int i = 0; i < STRING_COUNT; ++i)
    {
        if (!IsSounding(m_nNote[i]))
            continue;
        if (i > m_nRootString && i > LAST_TREBLE_STRING)
            continue;
        midiOutShortMsg(m_hMidiOut, NoteOnMessage(m_nNote[i] + MIDI_NOTE_BASE));
    }
}

void CTabulorDlg::PlayString(int nString)
{
    // Also for a string not played: it silences what sounded before.
    midiOutReset(m_hMidiOut);
    if (IsSounding(m_nNote[nString]))
        midiOutShortMsg(m_hMidiOut, NoteOnMessage(m_nNote[nString] + MIDI_NOTE_BASE));
}

void CTabulorDlg::OnBnClickedPlay()
{
    PlayChord();
}

void CTabulorDlg::OnBnClickedMute()
{
    midiOutReset(m_hMidiOut);
}

// The trackbar asks at the start of each of its paints, so every drawing of
// the slider sends its position: that is how the volume follows a drag, a
// click or a key.
void CTabulorDlg::OnNMCustomdrawVolume(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    const int nVolume = static_cast<int>(m_sliderVolume.SendMessage(TBM_GETPOS, 0, 0));
    midiOutShortMsg(m_hMidiOut, ChannelVolumeMessage(nVolume));
    *pResult = CDRF_DODEFAULT;
}

// The program's main window: the fretboard picture of the shown fingering,
// its finger and fret labels, the chord-name box and the buttons.
//
// One class, one library (fretboard), its definitions split by area:
//   fretboard/tabulor_dlg.cpp          construction, controls, message map, Exit
//   fretboard/applicature_display.cpp  ShowApplicature and its checks
//   fretboard/fretboard_paint.cpp      OnPaint, DrawFretboard (its layout arithmetic
//                                      in board_geometry.cpp)
//   fretboard/fretboard_mouse.cpp      the mouse handlers and edits
//   fretboard/chord_lookup.cpp         the chord-name box, edition mode on and off
//   fretboard/next_and_random.cpp      Next fingering and Random
//   fretboard/edition_mode.cpp         ADD CHORD and SAVE
//   fretboard/about_and_help.cpp       About, Help, the system menu
//   midi/midi_out.cpp                  the MIDI device: OnCreate, OnDestroy,
//                                      PlayChord, PlayString, Play, Mute, volume
//   midi/patch.cpp                     the Patch button
#pragma once

#include "afxwin.h"
#include "mmsystem.h"
#include "resource.h"

#include "chord_table.h"

#include <string>
#include <vector>

// The chord file in the working directory: read at start, written by SAVE.
inline constexpr char CHORD_TABLE_FILE[] = "Tabulor.xml";

class CTabulorDlg : public CDialog
{
    // The instrument chooser plays on this window's MIDI device.
    friend class CSelectPatchDlg;

public:
    explicit CTabulorDlg(CWnd* pParent = nullptr);

    enum
    {
        IDD = IDD_TABULOR_DIALOG
    };

    // Shows one fingering: six string codes, six fingers, base fret. Bad
    // values are reported one box each and stored all the same.
    void ShowApplicature(int nPos1, int nPos2, int nPos3, int nPos4, int nPos5, int nPos6, int nFinger1, int nFinger2,
                         int nFinger3, int nFinger4, int nFinger5, int nFinger6, int nPosition);

    // lfHeight of a font of nPoints points on the device of hDC; 0 without one.
    int PointsToFontHeight(int nPoints, HDC hDC);

    // Silences what sounds, then sounds the shown fingering's strings at
    // once; strings 5 and 6 only when they are not below the root string.
    void PlayChord();
    // Silences what sounds, then sounds string nString (0 = string 1) if it
    // is played.
    void PlayString(int nString);

    // F1 anywhere in the program: opens the help image.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void DrawFretboard(CDC* pDC);

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnBnClickedOk();
    afx_msg void OnBnClickedCancel();
    afx_msg void OnEnChangeChordName();
    afx_msg void OnBnClickedAbout();
    afx_msg void OnBnClickedRandom();
    afx_msg void OnBnClickedHelp();
    afx_msg void OnBnClickedPlay();
    afx_msg void OnNMCustomdrawVolume(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnBnClickedMute();
    afx_msg void OnBnClickedPatch();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

    HICON m_hIcon;
    int m_nNote[STRING_COUNT];
    int m_nStringPosition[STRING_COUNT];
    int m_nLeftHandFinger[STRING_COUNT];
    int m_nPosition;
    int m_nRootString;
    CStatic m_staticPosition[FRET_COLUMNS];
    CStatic m_staticFinger[STRING_COUNT];
    CFont m_font;
    CEdit m_editChordName;
    CEdit m_editChordNames;
    CString m_strChordName;
    CString m_strChordNames;
    ChordTable m_chordTable;
    std::vector<std::string> m_currentNames;
    Applicature m_currentApplicature;
    std::vector<Applicature> m_currentVariants;
    int m_nVariantIndex;
    CSliderCtrl m_sliderVolume;
    int m_nPatch;
    MMRESULT m_midiOpenResult;
    float m_fStringY[STRING_COUNT];
    // The nut and the fret lines right of the columns.
    float m_fFretX[FRET_COLUMNS + 1];
    float m_fStringSpacing;
    float m_fFretWidth;
    RECT m_rcFretboard;
    bool m_bEditionMode;
    HCURSOR m_hHandCursor;
    HMIDIOUT m_hMidiOut;
    // Set by every ShowApplicature, cleared by the first paint of it, which
    // alone reports the codes it cannot draw: closing a box repaints the
    // window, and reporting at every paint would chain boxes without end.
    bool m_bReportUndrawableCodes;
    // The chord file was there at start but read only in part: it holds
    // chords the table lacks, so SAVE must not replace it.
    bool m_bChordFileIncomplete;

private:
    static CString PositionErrorText(int nString);
    void EnterEditionMode();
    void ShowStatisticsReport();
    void LeaveEditionMode();
    void LookUpChordName();
    void ShowNotFound();

    // The first family holding a name equal to name (case counts); nullptr for
    // none.
    ChordFamily* FindFamily(const CString& name);
    // The names line: the names in order with " | " between two.
    static CString JoinNames(const std::vector<std::string>& names);
    // Ends the program after its message when the first of
    // m_currentVariants does not hold APPLICATURE_SIZE values.
    void CheckCurrentVariantsSize();
    void ShowApplicatureOf(const Applicature& applicature);
    // The 13 values on the board now, in Applicature order.
    Applicature ShownApplicature() const;
    // The string (0 = string 1) whose marker point is on; -1 for none.
    int MarkerStringAt(CPoint point) const;
    // Centres of the open column (left of the nut) and of fret cell 1..4, in
    // the last paint's geometry: the paint draws the markers there and the
    // mouse finds them there.
    double OpenColumnX() const;
    double CellCentreX(int nCell) const;
    // The mouse's zones around those centres.
    class BoardZones;

    void ShowNextApplicature();
    void AddApplicature();
    void SaveAllChords();
};

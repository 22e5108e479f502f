// The program's main window: the fretboard picture of the shown fingering,
// its finger and fret labels, the chord-name box and the buttons.
#pragma once

#include "afxwin.h"
#include "mmsystem.h"
#include "resource.h"

#include "chord_table.h"

#include <string>
#include <vector>

class CTabulorDlg : public CDialog
{
public:
    explicit CTabulorDlg(CWnd* pParent = NULL);

    enum { IDD = IDD_TABULOR_DIALOG };

    // Shows one fingering: six string codes, six fingers, base fret. Bad
    // values are reported one box each and stored all the same.
    void ShowApplicature(int nPos1, int nPos2, int nPos3, int nPos4, int nPos5, int nPos6,
                         int nFinger1, int nFinger2, int nFinger3, int nFinger4, int nFinger5,
                         int nFinger6, int nPosition);

    // lfHeight of a font of nPoints points on the device of hDC; 0 without one.
    int PointsToFontHeight(int nPoints, HDC hDC);

    // Silences what sounds, then sounds the shown fingering's strings at
    // once; strings 5 and 6 only when they are not below the root string.
    void PlayChord();
    // Silences what sounds, then sounds string nString (0 = string 1) if it
    // is played.
    void PlayString(int nString);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void DrawFretboard(CDC* pDC);

    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnBnClickedOk();
    afx_msg void OnBnClickedCancel();
    afx_msg void OnEnChangeChordName();
    afx_msg void OnBnClickedPlay();
    afx_msg void OnNMCustomdrawVolume(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnBnClickedMute();
    DECLARE_MESSAGE_MAP()

    HICON m_hIcon;
    int m_nNote[6];
    int m_nStringPosition[6];
    int m_nLeftHandFinger[6];
    int m_nPosition;
    int m_nRootString;
    CStatic m_staticPosition[4];
    CStatic m_staticFinger[6];
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
    float m_fStringY[6];
    float m_fFretX[5];
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

private:
    static CString PositionErrorText(int nString);
    void EnterEditionMode();
    void ShowStatisticsReport();
    void LeaveEditionMode();
    void LookUpChordName();
    void ShowNotFound();
};

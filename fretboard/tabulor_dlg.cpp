// Construction, data exchange, set-up of the main window, Exit and the
// minimised drag icon.
#include "tabulor_dlg.h"

#include "chord_table_reader.h"
#include "commctrl.h"
#include "crt.h"
#include "help_image.h"
#include "midi_out.h"
#include "resource.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace
{
const char* const NAMES_LINE_HINT = "Am (here are all chord name variants)";
const char* const MISSING_HELP_TEXT =
    "TabulorHelp.gif file was not found! Help function is impossible! Tabulor.exe and "
    "TabulorHelp.gif must be placed at the same directory!";
const char* const CHORD_NAME_FONT_FACE = "Verdana";
const int CHORD_NAME_FONT_POINTS = 14;
const int NAMES_LINE_FONT_POINTS = 8;
const int POINTS_PER_INCH = 72;
}  // namespace

CTabulorDlg::CTabulorDlg(CWnd* pParent)
    : CDialog(CTabulorDlg::IDD, pParent),
      m_nPosition(0),
      m_strChordName("Am"),
      m_strChordNames(NAMES_LINE_HINT),
      m_nVariantIndex(0),
      m_nPatch(0),
      m_midiOpenResult(MMSYSERR_NOERROR),
      m_fStringY{},
      m_fFretX{},
      m_fStringSpacing(0),
      m_fFretWidth(0),
      m_rcFretboard{0, 0, 0, 0},
      m_bEditionMode(false),
      m_hHandCursor(nullptr),
      m_hMidiOut(nullptr),
      m_bReportUndrawableCodes(false),
      m_bChordFileIncomplete(false)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

void CTabulorDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CHORD_NAME, m_strChordName);
    DDX_Control(pDX, IDC_POSITION1, m_staticPosition[0]);
    DDX_Control(pDX, IDC_POSITION2, m_staticPosition[1]);
    DDX_Control(pDX, IDC_POSITION3, m_staticPosition[2]);
    DDX_Control(pDX, IDC_POSITION4, m_staticPosition[3]);
    DDX_Control(pDX, IDC_FINGER1, m_staticFinger[0]);
    DDX_Control(pDX, IDC_FINGER2, m_staticFinger[1]);
    DDX_Control(pDX, IDC_FINGER3, m_staticFinger[2]);
    DDX_Control(pDX, IDC_FINGER4, m_staticFinger[3]);
    DDX_Control(pDX, IDC_FINGER5, m_staticFinger[4]);
    DDX_Control(pDX, IDC_FINGER6, m_staticFinger[5]);
    DDX_Control(pDX, IDC_CHORD_NAME, m_editChordName);
    DDX_Text(pDX, IDC_CHORD_NAMES, m_strChordNames);
    DDX_Control(pDX, IDC_CHORD_NAMES, m_editChordNames);
    DDX_Control(pDX, IDC_VOLUME, m_sliderVolume);
}

BEGIN_MESSAGE_MAP(CTabulorDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDOK, &CTabulorDlg::OnBnClickedOk)
    ON_BN_CLICKED(IDCANCEL, &CTabulorDlg::OnBnClickedCancel)
    ON_BN_CLICKED(IDC_PLAY, &CTabulorDlg::OnBnClickedPlay)
    ON_EN_CHANGE(IDC_CHORD_NAME, &CTabulorDlg::OnEnChangeChordName)
    ON_BN_CLICKED(IDC_ABOUT, &CTabulorDlg::OnBnClickedAbout)
    ON_BN_CLICKED(IDC_RANDOM, &CTabulorDlg::OnBnClickedRandom)
    ON_BN_CLICKED(IDC_HELP_BUTTON, &CTabulorDlg::OnBnClickedHelp)
    ON_NOTIFY(NM_CUSTOMDRAW, IDC_VOLUME, &CTabulorDlg::OnNMCustomdrawVolume)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_MUTE, &CTabulorDlg::OnBnClickedMute)
    ON_BN_CLICKED(IDC_PATCH, &CTabulorDlg::OnBnClickedPatch)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

BOOL CTabulorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != nullptr)
    {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty())
        {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_hHandCursor = ::LoadCursor(nullptr, IDC_HAND);

    m_currentApplicature.reserve(APPLICATURE_SIZE);

    if (FILE* pHelpImage = crt::fopen(HELP_IMAGE_FILE, "rb"))
        fclose(pHelpImage);
    else
        MessageBox(MISSING_HELP_TEXT, "Error", MB_ICONEXCLAMATION);

    m_chordTable.clear();
    ChordTableReader reader(CHORD_TABLE_FILE, &m_chordTable);
    // A missing file loses nothing when SAVE creates it; a present one read
    // only in part (broken, or unreadable) would lose its other chords.
    std::error_code ignored;
    m_bChordFileIncomplete = !reader.IsReadWhole() && std::filesystem::exists(CHORD_TABLE_FILE, ignored);

    crt::srand(static_cast<unsigned int>(time(nullptr)));

    CClientDC dc(this);

    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = PointsToFontHeight(CHORD_NAME_FONT_POINTS, dc.m_hDC);
    lf.lfWeight = FW_NORMAL;
    strcpy(lf.lfFaceName, CHORD_NAME_FONT_FACE);
    m_font.CreateFontIndirect(&lf);
    m_editChordName.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Detach()), TRUE);

    lf.lfHeight = PointsToFontHeight(NAMES_LINE_FONT_POINTS, dc.m_hDC);
    m_font.CreateFontIndirect(&lf);
    m_editChordNames.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Detach()), TRUE);

    // The built-in A minor: the notes and root string are valid before the
    // chord file's "Am" replaces it.
    ShowApplicature(POS_OPEN, 1, 2, 2, POS_ROOT_OPEN, POS_OPEN, 0, 1, 3, 2, 0, 0, 0);
    const int aMinorNotes[STRING_COUNT] = {28, 24, 21, 16, 9, 4};
    memcpy(m_nNote, aMinorNotes, sizeof(m_nNote));
    m_nRootString = 4;

    OnEnChangeChordName();

    m_strChordNames = NAMES_LINE_HINT;
    UpdateData(FALSE);

    m_sliderVolume.SetRangeMin(0, TRUE);
    m_sliderVolume.SetRangeMax(MIDI_DATA_MAX, TRUE);
    m_sliderVolume.SetPos(START_VOLUME);
    midiOutShortMsg(m_hMidiOut, ChannelVolumeMessage(START_VOLUME));

    return TRUE;
}

int CTabulorDlg::PointsToFontHeight(int nPoints, HDC hDC)
{
    if (hDC == nullptr)
        return 0;
    return -MulDiv(nPoints, GetDeviceCaps(hDC, LOGPIXELSY), POINTS_PER_INCH);
}

void CTabulorDlg::OnBnClickedCancel()
{
    OnCancel();
}

HCURSOR CTabulorDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

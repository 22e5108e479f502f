// The chord-name box: the special words that switch edition mode and count
// the table, and the lookup of a typed chord name, with the family search and
// the names line that the random pick and ADD CHORD share.
#include "tabulor_dlg.h"

#include "crt.h"
#include "tabulor_version.h"

namespace
{
const char* const EDITION_MODE_WORD = "edition mode";
const char* const COUNT_ALL_WORD = "count all";
const char* const DEFAULT_MODE_WORD = "default mode";

const char* const DEFAULT_TITLE = TABULOR_TITLE;
const char* const EDITION_TITLE = "Tabulor - EDITION MODE";
const char* const NEXT_FINGERING_TEXT = "N&ext fingering";
const char* const ADD_CHORD_TEXT = "ADD CHORD";
const char* const RANDOM_TEXT = "&Random";
const char* const SAVE_TEXT = "SAVE";

const char* const MAKER_EMAIL = "tabulor@example.org";
const char* const NAMES_SEPARATOR = " | ";
}  // namespace

void CTabulorDlg::OnEnChangeChordName()
{
    m_nVariantIndex = 0;
    UpdateData(TRUE);

    CString typed(m_strChordName);
    typed.MakeLower();

    if (typed == EDITION_MODE_WORD)
        EnterEditionMode();
    else if (m_bEditionMode && typed == COUNT_ALL_WORD)
        ShowStatisticsReport();
    else if (typed == DEFAULT_MODE_WORD)
        LeaveEditionMode();

    if (!m_bEditionMode)
        LookUpChordName();
}

void CTabulorDlg::EnterEditionMode()
{
    m_bEditionMode = true;
    SetWindowText(EDITION_TITLE);
    GetDlgItem(IDOK)->SetWindowText(ADD_CHORD_TEXT);
    GetDlgItem(IDC_RANDOM)->SetWindowText(SAVE_TEXT);

    CString text("Attention! You are in edition mode. You can only add new chords! To edit existing "
                 "chord change Tabulor.xml manually. Please send modified Tabulor.xml to ");
    text += MAKER_EMAIL;
    text += " if you wish public your name and added chords on programm web page.";
    MessageBox(text, "Edition mode", MB_OK);
}

void CTabulorDlg::ShowStatisticsReport()
{
    size_t applicatureCount = 0;
    for (const ChordFamily& family : m_chordTable)
        applicatureCount += family.variants.size();

    CString text;
    text.Format("Chord name families count = %zu\nAll applicatures count = %zu", m_chordTable.size(), applicatureCount);
    MessageBox(text, "STATICSTIC REPORT", MB_OK);
}

void CTabulorDlg::LeaveEditionMode()
{
    m_bEditionMode = false;
    SetWindowText(DEFAULT_TITLE);
    GetDlgItem(IDOK)->SetWindowText(NEXT_FINGERING_TEXT);
    GetDlgItem(IDC_RANDOM)->SetWindowText(RANDOM_TEXT);
    MessageBox("Attention! You are in default mode.", nullptr, MB_OK);
}

void CTabulorDlg::LookUpChordName()
{
    m_strChordNames = "";

    const ChordFamily* pFound = FindFamily(m_strChordName);
    if (pFound == nullptr)
    {
        UpdateData(FALSE);
        m_currentVariants.clear();
        m_currentApplicature.clear();
        ShowNotFound();
        return;
    }

    m_currentVariants = pFound->variants;
    CheckCurrentVariantsSize();

    m_strChordNames = JoinNames(pFound->names);
    UpdateData(FALSE);

    // A family may come from the file without any fingering: it is named,
    // and the board shows no string played.
    if (m_currentVariants.empty())
    {
        m_currentApplicature.clear();
        ShowNotFound();
        return;
    }

    m_currentApplicature = m_currentVariants.front();
    ShowApplicatureOf(m_currentApplicature);
}

ChordFamily* CTabulorDlg::FindFamily(const CString& name)
{
    // Exact: letter case counts and nothing is trimmed.
    const std::string key(name.GetString(), name.GetLength());
    for (ChordFamily& family : m_chordTable)
    {
        for (const std::string& familyName : family.names)
        {
            if (familyName == key)
                return &family;
        }
    }
    return nullptr;
}

CString CTabulorDlg::JoinNames(const std::vector<std::string>& names)
{
    CString line;
    for (size_t n = 0; n < names.size(); ++n)
    {
        if (n > 0)
            line += NAMES_SEPARATOR;
        line += names[n].c_str();
    }
    return line;
}

void CTabulorDlg::CheckCurrentVariantsSize()
{
    // Only the first fingering is tested: the reader makes every one whole.
    if (!m_currentVariants.empty() && m_currentVariants.front().size() != APPLICATURE_SIZE)
    {
        MessageBox("Error of applicature data size in Tabulor.xml file!", nullptr, MB_OK);
        crt::exit(0);
    }
}

void CTabulorDlg::ShowApplicatureOf(const Applicature& a)
{
    ShowApplicature(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12]);
}

void CTabulorDlg::ShowNotFound()
{
    ShowApplicature(POS_NOT_PLAYED, POS_NOT_PLAYED, POS_NOT_PLAYED, POS_NOT_PLAYED, POS_NOT_PLAYED, POS_NOT_PLAYED, 0,
                    0, 0, 0, 0, 0, 0);
}

// The two buttons whose meaning follows edition mode: IDOK steps to the
// next fingering of the chord on show (ADD CHORD in edition mode), Random
// picks a chord, a fingering and a name at random (SAVE in edition mode).
#include "tabulor_dlg.h"

#include "crt.h"

void CTabulorDlg::OnBnClickedOk()
{
    if (m_bEditionMode)
        AddApplicature();
    else
        ShowNextApplicature();
}

void CTabulorDlg::ShowNextApplicature()
{
    if (m_currentVariants.empty())
        return;

    // Unsigned, so that an index outside the list starts it again.
    const size_t count = m_currentVariants.size();
    if (static_cast<unsigned int>(m_nVariantIndex) < count - 1)
        ++m_nVariantIndex;
    else
        m_nVariantIndex = 0;

    m_currentApplicature = m_currentVariants[m_nVariantIndex];
    ShowApplicatureOf(m_currentApplicature);
}

void CTabulorDlg::OnBnClickedRandom()
{
    if (m_bEditionMode)
    {
        SaveAllChords();
        return;
    }
    // Nothing to pick from.
    if (m_chordTable.empty())
        return;

    m_strChordNames = "";
    const ChordFamily& family = m_chordTable[crt::rand() % m_chordTable.size()];
    m_currentNames = family.names;
    m_currentVariants = family.variants;

    // A family without fingerings is shown as the lookup shows it: its
    // names, and no string played; no number is drawn for the fingering.
    const bool bHasApplicature = !m_currentVariants.empty();
    if (bHasApplicature)
    {
        m_nVariantIndex = static_cast<int>(crt::rand() % m_currentVariants.size());
        m_currentApplicature = m_currentVariants[m_nVariantIndex];
    }
    else
    {
        m_nVariantIndex = 0;
        m_currentApplicature.clear();
    }

    m_strChordName = m_currentNames[crt::rand() % m_currentNames.size()].c_str();
    m_strChordNames = JoinNames(m_currentNames);
    // The exchange drops the box's change notification: no lookup follows.
    UpdateData(FALSE);

    if (bHasApplicature)
        ShowApplicatureOf(m_currentApplicature);
    else
        ShowNotFound();
}

// Edition mode's two actions: ADD CHORD appends the fingering on the board to
// the family named in the chord-name box, SAVE writes the whole table back
// to the chord file.
#include "tabulor_dlg.h"

#include "chord_table_writer.h"

namespace
{
const char* const ATTENTION = "Attention";
const char* const NOT_FOUND_TEXT =
    "This chord applicature cannot be added in current version of program because it's name "
    "wasn't found in all chord names! Save it to Tabulor.xml manually :(";
const char* const DUPLICATE_TEXT = "This chord applicature is already exist!";
const char* const ADDED_TEXT =
    "This chord applicature was successfully added! You can test this applicature in default "
    "mode. To save all added new chords to Tabulor.xml file press SAVE button in edition mode.";
const char* const SAVED_TEXT = "All chords applicatures are saved to Tabulor.xml file";
const char* const NOT_SAVED_TEXT = "Chords applicatures were NOT saved! Tabulor.xml could not be written.";
const char* const INCOMPLETE_FILE_TEXT =
    "Tabulor.xml was not read completely at start, so saving would lose chords! Please repair "
    "Tabulor.xml first.";
}  // namespace

void CTabulorDlg::AddApplicature()
{
    m_strChordNames = "";

    // Only families from the chord file can grow; none is ever created here.
    ChordFamily* pFamily = FindFamily(m_strChordName);
    if (pFamily == nullptr)
    {
        MessageBox(NOT_FOUND_TEXT, ATTENTION, MB_OK);
        return;
    }

    m_currentVariants = pFamily->variants;
    CheckCurrentVariantsSize();

    m_strChordNames = JoinNames(pFamily->names);
    UpdateData(FALSE);

    // All 13 values count: a root mark, a finger or the base fret alone makes
    // another fingering.
    const Applicature shown = ShownApplicature();
    for (const Applicature& variant : m_currentVariants)
    {
        if (variant == shown)
        {
            MessageBox(DUPLICATE_TEXT, ATTENTION, MB_OK);
            return;
        }
    }

    m_currentApplicature = shown;
    pFamily->variants.push_back(m_currentApplicature);
    MessageBox(ADDED_TEXT, ATTENTION, MB_OK);
}

void CTabulorDlg::SaveAllChords()
{
    // The chords the table lacks would be lost with the file that holds them.
    if (m_bChordFileIncomplete)
    {
        MessageBox(INCOMPLETE_FILE_TEXT, ATTENTION, MB_OK);
        return;
    }

    const ChordTableWriter writer(CHORD_TABLE_FILE, &m_chordTable, 0, 0);
    MessageBox(writer.IsWritten() ? SAVED_TEXT : NOT_SAVED_TEXT, ATTENTION, MB_OK);
}

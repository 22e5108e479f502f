// A main dialog opened on the offscreen platform in a scratch working
// folder that holds the chord file (and the help image when asked), with
// every message box recorded.
#pragma once

#include "scratch_working_folder.h"
#include "tabulor_dlg.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

// The dialog with the state its handlers share opened up for the tests.
class TestDlg : public CTabulorDlg
{
public:
    using CTabulorDlg::DrawFretboard;
    using CTabulorDlg::m_bEditionMode;
    using CTabulorDlg::m_chordTable;
    using CTabulorDlg::m_currentApplicature;
    using CTabulorDlg::m_currentNames;
    using CTabulorDlg::m_currentVariants;
    using CTabulorDlg::m_fFretWidth;
    using CTabulorDlg::m_fFretX;
    using CTabulorDlg::m_fStringSpacing;
    using CTabulorDlg::m_fStringY;
    using CTabulorDlg::m_hHandCursor;
    using CTabulorDlg::m_hIcon;
    using CTabulorDlg::m_nLeftHandFinger;
    using CTabulorDlg::m_nNote;
    using CTabulorDlg::m_nPosition;
    using CTabulorDlg::m_nRootString;
    using CTabulorDlg::m_nStringPosition;
    using CTabulorDlg::m_nVariantIndex;
    using CTabulorDlg::m_rcFretboard;
    using CTabulorDlg::m_strChordName;
    using CTabulorDlg::m_strChordNames;
    using CTabulorDlg::OnEnChangeChordName;
    using CTabulorDlg::OnQueryDragIcon;

    void Show(const Applicature& a)
    {
        ShowApplicature(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12]);
    }

    std::array<int, 6> Notes() const { return ToArray(m_nNote); }
    std::array<int, 6> Codes() const { return ToArray(m_nStringPosition); }
    Applicature Shown() const
    {
        Applicature a(m_nStringPosition, m_nStringPosition + 6);
        a.insert(a.end(), m_nLeftHandFinger, m_nLeftHandFinger + 6);
        a.push_back(m_nPosition);
        return a;
    }

    CString Text(int nID) const
    {
        CString text;
        GetDlgItem(nID)->GetWindowText(text);
        return text;
    }
    std::vector<std::string> FingerLabels() const
    {
        return Texts({IDC_FINGER1, IDC_FINGER2, IDC_FINGER3, IDC_FINGER4, IDC_FINGER5, IDC_FINGER6});
    }
    std::vector<std::string> FretLabels() const
    {
        return Texts({IDC_POSITION1, IDC_POSITION2, IDC_POSITION3, IDC_POSITION4});
    }

private:
    static std::array<int, 6> ToArray(const int (&values)[6])
    {
        std::array<int, 6> result;
        std::copy(values, values + 6, result.begin());
        return result;
    }
    std::vector<std::string> Texts(std::initializer_list<int> ids) const
    {
        std::vector<std::string> texts;
        for (int id : ids)
            texts.push_back(Text(id).GetString());
        return texts;
    }
};

// Fingerings used across the tests (six codes, six fingers, base fret).
inline const Applicature A_MINOR = {0, 1, 2, 2, -10, 0, 0, 1, 3, 2, 0, 0, 0};
inline const Applicature NOT_PLAYED = {10, 10, 10, 10, 10, 10, 0, 0, 0, 0, 0, 0, 0};

// A dialog of type Dlg (TestDlg or one derived from it) opened for each
// test; DialogTest is the common one.
template <class Dlg>
class DialogFixture : public ::testing::Test
{
protected:
    // Opens the dialog as DoModal would, up to its modal loop.
    void Open(const ChordTable& table, bool withHelpImage = true)
    {
        m_folder.WriteChordFile(table);
        if (withHelpImage)
            m_folder.WriteHelpImage();
        OpenWithFolderAsItIs();
    }

    // Opens the dialog on whatever chord file the folder holds, or none.
    void OpenWithFolderAsItIs()
    {
        // As the application's start-up does: the dialog is the main window,
        // the owner of the framework's message boxes.
        AfxGetApp()->m_pMainWnd = &m_dlg;
        m_run = std::make_unique<afxtest::ModelessDialog>(m_dlg);
        ASSERT_TRUE(m_run->Created());
    }

    void TearDown() override
    {
        m_run.reset();
        AfxGetApp()->m_pMainWnd = nullptr;
    }

    CWnd* Item(int nID) { return m_dlg.GetDlgItem(nID); }

    // Replaces the chord-name box's text by real key presses, as the user
    // does: select all, cut, type.
    void TypeChordName(const char* text)
    {
        CWnd* pEdit = Item(IDC_CHORD_NAME);
        afxtest::KeyPress(pEdit, 'A', afxtest::KEY_CONTROL);
        afxtest::KeyPress(pEdit, 'X', afxtest::KEY_CONTROL);
        afxtest::TypeText(pEdit, text);
    }

    ScratchWorkingFolder m_folder;
    afxtest::MessageBoxRecorder m_boxes;
    Dlg m_dlg;
    std::unique_ptr<afxtest::ModelessDialog> m_run;
};

using DialogTest = DialogFixture<TestDlg>;

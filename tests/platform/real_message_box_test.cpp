// The layer's own message boxes (real QMessageBoxes, closed here by a timer
// as a user would): never a nested event loop inside a Qt paint event.
#include "test_dialog.h"
#include "testing.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
// Closes every message box that opens, as the user would, keeping its text
// and caption and noting it in the dialog's log.
struct BoxCloser
{
    std::vector<std::string> texts;
    std::vector<std::string> captions;
    QTimer timer;

    explicit BoxCloser(CTestDlg& dlg)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, &dlg] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            {
                texts.push_back(box->text().toStdString());
                captions.push_back(box->windowTitle().toStdString());
                dlg.m_log.push_back("box shown");
                box->accept();
            }
        });
        timer.start(5);
    }
};

TEST(RealMessageBox, ABoxAskedForInsideAPaintEventOpensAfterIt)
{
    CTestDlg dlg;
    BoxCloser closer(dlg);
    afxtest::ModelessDialog run(dlg);
    afxtest::ProcessEvents();
    dlg.m_log.clear();
    dlg.m_bBoxInCustomDraw = true;
    dlg.GetDlgItem(IDC_TEST_SLIDER)->Invalidate();
    ASSERT_TRUE(afxtest::WaitFor([&] { return !closer.texts.empty(); }));
    // The call answered at once, inside the slider's paint; the box came later.
    EXPECT_THAT(LogOf(dlg, "box"), ElementsAre("box answered 1", "box shown"));
    EXPECT_THAT(closer.texts, ElementsAre("drawing the slider"));
    EXPECT_THAT(closer.captions, ElementsAre(TEST_EXECUTABLE_TITLE));
}

TEST(RealMessageBox, ABoxInsideWmPaintIsModalThenThePaintGoesOn)
{
    CTestDlg dlg;
    BoxCloser closer(dlg);
    afxtest::ModelessDialog run(dlg);
    afxtest::PaintNow(&dlg);
    dlg.m_bBoxInPaint = true;
    dlg.Invalidate();
    ASSERT_TRUE(afxtest::WaitFor([&] { return !closer.texts.empty(); }));
    dlg.m_bBoxInPaint = false;
    EXPECT_THAT(closer.texts, ElementsAre("painting"));
    // Modal where it was asked for: the rest of the paint waited for it.
    std::vector<std::string> order;
    for (const std::string& entry : dlg.m_log)
        if (entry == "box shown" || entry == "paint end")
            order.push_back(entry);
    EXPECT_THAT(order, ElementsAre("box shown", "paint end"));
    EXPECT_EQ(afxtest::GrabPaint(&dlg).At(20, 20), RGB(255, 255, 255)) << "drawn after the box closed";
}
}  // namespace

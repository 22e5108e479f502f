// From a key to its effect, as the user meets it: Alt+P to the first MIDI
// call, and Enter, Alt+E and Alt+R to the new board on screen (the main
// window's paint event over the board). Each key is sent as the keyboard
// sends it, and the event loop runs until its effect is there.
#include "tabulor_dlg.h"
#include "scratch_dir.h"
#include "testing.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPaintEvent>
#include <QWidget>

#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
// A scratch working folder with the shipped chord file, current while it
// lives; the MIDI calls are logged into it.
class ShippedChordsFolder : public CurrentScratchDir
{
public:
    ShippedChordsFolder()
    {
        std::filesystem::copy_file(SHIPPED_CHORD_FILE, Folder() / "Tabulor.xml");
        std::fclose(std::fopen("TabulorHelp.gif", "wb"));
        qputenv("TABULOR_MIDI_LOG", MidiLog().c_str());
    }
    ~ShippedChordsFolder() { qunsetenv("TABULOR_MIDI_LOG"); }

    std::string MidiLog() const { return Path("midi.log"); }
};

off_t FileSize(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 ? info.st_size : 0;
}

class CKeysDlg : public CTabulorDlg
{
public:
    CRect Board() const { return CRect(m_rcFretboard); }
};

// Notes the main window's paint events that draw over the board.
class BoardPaintWatch : public QObject
{
public:
    BoardPaintWatch(QWidget* window, const CRect& board)
        : m_window(window),
          m_boardCentre(QPointF((board.left + board.right) / 2.0, (board.top + board.bottom) / 2.0) /
                        window->devicePixelRatioF())
    {
        m_window->installEventFilter(this);
    }
    ~BoardPaintWatch() override { m_window->removeEventFilter(this); }

    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint &&
            static_cast<QPaintEvent*>(event)->region().contains(m_boardCentre.toPoint()))
            painted = true;
        return false;
    }

private:
    QWidget* m_window;
    QPointF m_boardCentre;
};

QWidget* MainWindowWidget()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowTitle().startsWith("Tabulor"))
            return widget;
    return nullptr;
}

void KeyToBoardOnScreen(benchmark::State& state, UINT key, UINT modifiers)
{
    ShippedChordsFolder folder;
    afxtest::MessageBoxRecorder boxes;
    CKeysDlg dlg;
    afxtest::ModelessDialog run(dlg);
    afxtest::ProcessEvents();  // shown and active
    QWidget* window = MainWindowWidget();
    if (window == nullptr)
    {
        state.SkipWithError("the main window is not shown");
        return;
    }
    BoardPaintWatch watch(window, dlg.Board());
    for (auto _ : state)
    {
        afxtest::ProcessEvents();
        watch.painted = false;
        QElapsedTimer timer;
        timer.start();
        afxtest::KeyPress(&dlg, key, modifiers);
        while (!watch.painted && timer.elapsed() < 2000)
            QCoreApplication::processEvents();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
        if (!watch.painted)
            state.SkipWithError("the board was not painted again");
    }
}

void BM_EnterToBoardOnScreen(benchmark::State& state)
{
    KeyToBoardOnScreen(state, afxtest::VK_RETURN, 0);
}
BENCHMARK(BM_EnterToBoardOnScreen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_AltEToBoardOnScreen(benchmark::State& state)
{
    KeyToBoardOnScreen(state, 'E', afxtest::KEY_ALT);
}
BENCHMARK(BM_AltEToBoardOnScreen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_AltRToBoardOnScreen(benchmark::State& state)
{
    KeyToBoardOnScreen(state, 'R', afxtest::KEY_ALT);
}
BENCHMARK(BM_AltRToBoardOnScreen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_AltPToFirstMidiCall(benchmark::State& state)
{
    ShippedChordsFolder folder;
    afxtest::MessageBoxRecorder boxes;
    CKeysDlg dlg;
    afxtest::ModelessDialog run(dlg);
    afxtest::ProcessEvents();
    for (auto _ : state)
    {
        afxtest::ProcessEvents();
        const off_t logged = FileSize(folder.MidiLog());
        QElapsedTimer timer;
        timer.start();
        afxtest::KeyPress(&dlg, 'P', afxtest::KEY_ALT);
        while (FileSize(folder.MidiLog()) == logged && timer.elapsed() < 2000)
            QCoreApplication::processEvents();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
        if (FileSize(folder.MidiLog()) == logged)
            state.SkipWithError("no MIDI call followed the key");
    }
}
BENCHMARK(BM_AltPToFirstMidiCall)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

CWinApp benchApp;
}  // namespace

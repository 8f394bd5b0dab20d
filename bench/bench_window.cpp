// SPDX-License-Identifier: GPL-3.0-or-later
// The main window, shown, with a sheet of 300, 3,000 and 5,000 cells: the
// first open (every cell made), a reload (cells reused), a capo change and
// one scroll step, each up to the window painted.
#include "app/ReadingControls.h"
#include "app/basMain.h"
#include "app/frmChordScore.h"
#include "chords/Chord.h"
#include "platform/AppInfo.h"
#include "platform/CodePage932.h"
#include "platform/MessageBox.h"
#include "platform/WidgetHelpers.h"
#include "score/ChordScore.h"
#include "score/Fonts.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <iterator>
#include <memory>

namespace {

QTemporaryDir &Dir() {
    static QTemporaryDir dir;
    return dir;
}

// Four chords over a lyric a row: exactly `cells` cells.
QString SheetFile(int cells) {
    const QString path = Dir().filePath(QStringLiteral("sheet%1-kana.txt").arg(cells));
    if (!QFile::exists(path)) {
        QString sheet;
        // Every word of its own, as in a real song: nothing measured twice.
        // Told apart by three kana of their own, lyrics being kana and kanji.
        const QString kana = QStringLiteral("あいうえおかきくけこ");
        for (int n = 0; n + 4 <= cells; n += 4) {
            const int k = n / 4 % 1000;
            const QString tail = QString(kana[k / 100]) + kana[k / 10 % 10] + kana[k % 10];
            sheet += QStringLiteral("C       Am      F       G7\r\n"
                                    "ゆうやけ%1 こやけ%1 あかとん%1 おわれて%1\r\n")
                         .arg(tail);
        }
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(cp932::Encode(sheet));
        }
    }
    return path;
}

std::unique_ptr<frmChordScore> ShownWindow() {
    auto w = std::make_unique<frmChordScore>();
    basMain::SetMainWindow(w.get());
    w->chsChord()->SetMax(5000); // the window's own limit, also in builds that had less
    w->resize(1000, 700);
    w->show();
    (void)QTest::qWaitForWindowExposed(w.get());
    return w;
}

// Up to the window painted, as the event loop does after a command.
void Settle() {
    QCoreApplication::processEvents();
}

// A shown window with the sheet of `cells` cells open and painted.
std::unique_ptr<frmChordScore> WindowWithSheet(int cells) {
    auto w = ShownWindow();
    w->OpenChordFile(SheetFile(cells));
    Settle();
    return w;
}

void Check(benchmark::State &state, const frmChordScore &w, int cells) {
    if (w.chsChord()->ChordViewCount() != cells) {
        state.SkipWithError("the sheet did not open");
    }
    state.counters["per_1000_cells_ms"] = benchmark::Counter(
        cells / 1e6, // seconds per million cells: milliseconds per thousand
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_FirstOpen(benchmark::State &state) {
    const int cells = static_cast<int>(state.range(0));
    const QString path = SheetFile(cells);
    for (auto _ : state) {
        state.PauseTiming();
        auto w = ShownWindow();
        w->SetStripShown(state.range(1) != 0); // the chord strip above the score
        Settle();
        state.ResumeTiming();
        w->OpenChordFile(path);
        Settle();
        state.PauseTiming();
        Check(state, *w, cells);
        w.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

void BM_Reload(benchmark::State &state) {
    const int cells = static_cast<int>(state.range(0));
    const QString path = SheetFile(cells);
    auto w = ShownWindow();
    w->OpenChordFile(path);
    Settle();
    for (auto _ : state) {
        w->OpenChordFile(path);
        Settle();
    }
    Check(state, *w, cells);
}

void BM_Capo(benchmark::State &state) {
    const int cells = static_cast<int>(state.range(0));
    auto w = WindowWithSheet(cells);
    int k = 0;
    for (auto _ : state) {
        w->mnuVisible_CapoFlat[static_cast<size_t>(++k % 2 == 0 ? 0 : 2)]->trigger();
        Settle();
    }
    Check(state, *w, cells);
}

// A semitone up or down, as Ctrl+] and Ctrl+[ do, up to painted.
void BM_Transpose(benchmark::State &state) {
    const int cells = static_cast<int>(state.range(0));
    auto w = WindowWithSheet(cells);
    int k = 0;
    for (auto _ : state) {
        (++k % 2 == 0 ? w->mnuVisible_TransposeDown : w->mnuVisible_TransposeUp)->trigger();
        Settle();
    }
    Check(state, *w, cells);
}

// Opening a song the window remembers (capo, transposition, zoom, place)
// against opening one it does not: the two should cost the same.
void BM_OpenRemembered(benchmark::State &state) {
    const int cells = static_cast<int>(state.range(0));
    const bool remembered = state.range(1) != 0;
    const QString path = SheetFile(cells);
    for (auto _ : state) {
        state.PauseTiming();
        auto w = ShownWindow();
        if (remembered) {
            w->OpenChordFile(path);
            w->SetCapo(3);
            w->SetTranspose(2);
            w->vsbScore()->setValue(w->vsbScore()->maximum() / 2);
            w->OpenChordFile(SheetFile(8)); // the song is remembered as it leaves
        }
        Settle();
        state.ResumeTiming();
        w->OpenChordFile(path);
        Settle();
        state.PauseTiming();
        Check(state, *w, cells);
        w.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

void BM_ScrollStep(benchmark::State &state) {
    const int cells = static_cast<int>(state.range(0));
    auto w = WindowWithSheet(cells);
    QScrollBar *bar = w->vsbScore();
    int k = 0;
    for (auto _ : state) {
        bar->setValue(bar->value() + (++k % 2 == 0 ? -bar->singleStep() : bar->singleStep()));
        Settle();
    }
    Check(state, *w, cells);
}

// A zoom step up or down, with the view kept on its row, up to painted.
void BM_Zoom(benchmark::State &state) {
    const int cells = static_cast<int>(state.range(0));
    auto w = WindowWithSheet(cells);
    int k = 0;
    for (auto _ : state) {
        w->SetZoom(++k % 2 == 0 ? 100 : 150);
        Settle();
    }
    Check(state, *w, cells);
}

// The first step to a zoom level this process has not shown yet: fonts and
// widths measured at it for the first time. Ten of the fourteen steps, each
// once, from 100%.
void BM_ZoomFirstStep(benchmark::State &state) {
    const int cells = static_cast<int>(state.range(0));
    auto w = WindowWithSheet(cells);
    const int fresh[] = {110, 125, 90, 80, 75, 67, 175, 200, 250, 300};
    size_t k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w->SetZoom(100);
        Settle();
        state.ResumeTiming();
        w->SetZoom(fresh[k++ % std::size(fresh)]);
        Settle();
    }
    Check(state, *w, cells);
}

// One 60 Hz auto-scroll tick (a 16 ms step of the clock), up to painted.
void BM_AutoScrollTick(benchmark::State &state) {
    const int cells = static_cast<int>(state.range(0));
    auto w = WindowWithSheet(cells);
    int64_t now = 0;
    w->Reading()->SetClock([&now] { return now; });
    w->Reading()->AutoScroller().SetSpeed(9);
    for (auto _ : state) {
        if (!w->Reading()->AutoScroller().Running()) {
            state.PauseTiming();
            w->vsbScore()->setValue(0);
            w->Reading()->ToggleAutoScroll();
            w->Reading()->tmrAutoScroll()->stop();
            state.ResumeTiming();
        }
        now += 16;
        w->Reading()->AutoScrollTick();
        Settle();
    }
    Check(state, *w, cells);
}

// Rating the ten capos for the sheet on screen.
void BM_CapoAdvice(benchmark::State &state) {
    const int cells = static_cast<int>(state.range(0));
    auto w = WindowWithSheet(cells);
    for (auto _ : state) {
        w->UpdateCapoAdvice();
    }
    Check(state, *w, cells);
}

// Writing the sheet on screen as a PDF file.
void BM_Pdf(benchmark::State &state) {
    const int cells = static_cast<int>(state.range(0));
    auto w = WindowWithSheet(cells);
    const QString pdf = Dir().filePath(QStringLiteral("out.pdf"));
    for (auto _ : state) {
        if (!w->ExportPdf(pdf)) {
            state.SkipWithError("the PDF was not written");
        }
    }
    Check(state, *w, cells);
}

} // namespace

BENCHMARK(BM_Pdf)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Zoom)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomFirstStep)->Arg(5000)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoScrollTick)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CapoAdvice)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstOpen)
    ->Args({300, 0})
    ->Args({300, 1})
    ->Args({3000, 0})
    ->Args({5000, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reload)->Arg(300)->Arg(3000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Capo)->Arg(300)->Arg(3000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Transpose)->Arg(300)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenRemembered)->Args({5000, 0})->Args({5000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollStep)->Arg(300)->Arg(3000)->Arg(5000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    scorefonts::InstallFontSubstitutions();
    msgbox::SetSink([](const QString &m) { std::fprintf(stderr, "message: %s\n", qPrintable(m)); });
    appinfo::SetProgramDirectory(Dir().path());
    QFile::copy(QStringLiteral(TAMBLIN_BIN_DIR "/POSITION.INI"), Dir().filePath("POSITION.INI"));
    basMain::CreateGlobals();
    basMain::oChord()->LoadChordPosition(Dir().filePath("POSITION.INI"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // No close-time writes: a measurement, not a session.
    std::fflush(stdout);
    std::_Exit(0);
}

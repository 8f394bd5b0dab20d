// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as the program does it, up to the main window on screen, then
// exit: `startup_probe tamblin`, `startup_probe bare` (an empty Qt window for
// comparison; `bare-menu` with one menu) or `startup_probe open SHEET` (also opens a sheet, and
// prints how long OpenChordFile took), or `startup_probe library N` (waits
// until the library lists N songs; prints when, and the peak memory).
#include "app/LibraryPanel.h"
#include "app/basMain.h"
#include "app/frmChordScore.h"
#include "chords/Chord.h"
#include "platform/AppError.h"
#include "platform/MessageBox.h"
#include "score/ChordScore.h"
#include "score/Fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const char *mode = argc > 1 ? argv[1] : "tamblin";
    if (std::strcmp(mode, "bare") == 0 || std::strcmp(mode, "bare-menu") == 0) {
        QMainWindow w;
        // With one menu the bare window draws text too, as every real one does.
        if (mode[4] == '-') {
            w.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
        }
        w.resize(640, 400);
        w.show();
        return QTest::qWaitForWindowExposed(&w) ? 0 : 1;
    }
    QElapsedTimer stage;
    stage.start();
    const bool stages = qEnvironmentVariableIsSet("TAMBLIN_PROBE_STAGES");
    const auto mark = [&](const char *what) {
        if (stages) {
            std::fprintf(stderr, "%-10s %.2f ms\n", what, stage.nsecsElapsed() / 1e6);
            stage.restart();
        }
    };
    scorefonts::InstallFontSubstitutions();
    // Messages go to the terminal: nobody is there to press OK.
    msgbox::SetSink([](const QString &m) { std::printf("message: %s\n", qPrintable(m)); });
    std::unique_ptr<frmChordScore> owned;
    try {
        owned = basMain::LoadMainWindow();
    } catch (const AppError &e) {
        std::printf("error: %s\n", qPrintable(e.Description()));
        return 1;
    }
    frmChordScore *w = owned.release();
    mark("window");
    w->show();
    if (!QTest::qWaitForWindowExposed(w)) {
        return 1;
    }
    mark("shown");
    if (std::strcmp(mode, "open") == 0 && argc > 2) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromLocal8Bit(argv[2]))});
        QElapsedTimer t;
        t.start();
        // A drop goes straight to OpenChordFile, as the dialog's choice does.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w->picView(), &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w->picView(), &drop);
        QApplication::processEvents();
        std::printf("OpenChordFile %.2f ms, %d cells\n", t.nsecsElapsed() / 1e6,
                    w->chsChord()->ChordViewCount());
    }
    if (std::strcmp(mode, "library") == 0) {
        // The library the settings name, scanned in the background: how long
        // until its list is complete, and the memory at its peak.
        QElapsedTimer t;
        t.start();
        const int expected = argc > 2 ? std::atoi(argv[2]) : 1;
        while (t.elapsed() < 120000 &&
               !(w->Library() && !w->Library()->Scanning() &&
                 w->Library()->SongList()->model()->rowCount() >= expected)) {
            QTest::qWait(20);
        }
        std::printf("library listed after %.2f s: %d songs\n", t.elapsed() / 1000.0,
                    w->Library() ? w->Library()->SongList()->model()->rowCount() : 0);
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : status.readAll().split('\n')) {
                if (line.startsWith("VmHWM")) {
                    std::printf("peak memory with the library open: %s\n",
                                line.mid(6).trimmed().constData());
                }
            }
        }
    }
    // Leave without the close-time writes: this is a measurement, not a session.
    std::fflush(stdout);
    std::_Exit(0);
}

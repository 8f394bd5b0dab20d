// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/basMain.h"

#include "app/frmChordScore.h"
#include "chords/Chord.h"
#include "chords/DictionaryEdit.h"
#include "parsing/basPath.h"
#include "platform/AppError.h"
#include "platform/AppInfo.h"
#include "platform/AppPaths.h"
#include "platform/AtomicFile.h"
#include "platform/MessageBox.h"
#include "platform/QuitSignals.h"
#include "platform/SingleInstance.h"
#include "score/ChordScore.h"
#include "score/ChordView.h"
#include "score/Fonts.h"
#include "settings/PrivateProfile.h"

#include <QApplication>
#include <QDateTime>
#include <QIcon>
#include <QMenuBar>
#include <QSessionManager>
#include <QTimer>

#include <cstdio>

#include <deque>
#include <future>

namespace basMain {
namespace {
std::unique_ptr<PrivateProfile> g_profile;
const QDateTime g_started = QDateTime::currentDateTime();
std::shared_ptr<Chord> g_chord;
::frmChordScore *g_window = nullptr;
} // namespace

PrivateProfile &oProfile() {
    return *g_profile;
}
std::shared_ptr<Chord> &oChord() {
    return g_chord;
}
::frmChordScore *frmChordScore() {
    return g_window;
}

void CreateGlobals() {
    g_profile = std::make_unique<PrivateProfile>();
    g_chord = std::make_shared<Chord>();
}

void DestroyGlobals() {
    g_window = nullptr;
    g_chord.reset();
    g_profile.reset();
}

void SetMainWindow(::frmChordScore *window) {
    g_window = window;
}

std::unique_ptr<::frmChordScore> LoadMainWindow() {
    std::unique_ptr<::frmChordScore> window;
    CreateGlobals();
    const QString name = oProfile().GetPath("Chord", "Filename", "POSITION.INI");
    const QString path = apppaths::FindDataFile(basPath::GetFileName(name));
    // Left by a write that was killed before its rename: a close's settings,
    // a chord added to the dictionary in use or to the user's copy of it.
    // Only those older than this start, which no one can be writing now.
    for (const QString &written :
         {oProfile().IniFilename(), path,
          apppaths::UserDataFolder() + u'/' + basPath::GetFileName(name)}) {
        AtomicFile::RemoveStale(written, {}, g_started);
    }
    // The position file is read on a second thread while the window is
    // built, into a dictionary of its own; the window shows once it is in.
    std::future<Chord> loading = std::async(std::launch::async, [path] {
        Chord chord;
        chord.LoadChordPosition(path);
        return chord;
    });
    try {
        window = std::make_unique<::frmChordScore>();
    } catch (const AppError &) {
        // A faulty position file is the one reported, as it was read first.
        loading.get();
        throw;
    }
    // While the dictionary loads: the menu bar's measure, which loads the
    // first fonts (the font database, fallbacks for Japanese), as the first
    // show would do after the wait.
    window->menuBar()->sizeHint();
    *oChord() = loading.get();
    // The template takes the frame (strings, frets) of the loaded one.
    window->chsChord()->Properties()->SetChord(oChord());
    return window;
}

namespace {

// Opens a sheet; a capo or transposition given on the command line wins
// over the sheet's own and the remembered ones.
void OpenAt(::frmChordScore &window, const QString &sFile, StartAt start) {
    window.OpenChordFile(sFile);
    if (start.Capo >= 0) {
        window.SetCapo(static_cast<int16_t>(start.Capo));
    }
    if (start.Transposed) {
        window.SetTranspose(static_cast<int16_t>(start.Transpose));
    }
}

} // namespace

namespace {
bool g_exporting = false;

// A window never shown, asked for a PDF; never closed, since a close writes
// the settings. Messages go to stderr.
int Export(const std::function<bool(::frmChordScore &)> &write) {
    g_exporting = true;
    msgbox::SetSink([](const QString &m) { std::fprintf(stderr, "tamblin: %s\n", qPrintable(m)); });
    scorefonts::InstallFontSubstitutions();
    int code = 1;
    try {
        std::unique_ptr<::frmChordScore> window = LoadMainWindow();
        SetMainWindow(window.get());
        code = write(*window) ? 0 : 1;
        SetMainWindow(nullptr);
    } catch (const AppError &e) {
        SetMainWindow(nullptr);
        msgbox::ShowError(nullptr, e.Description());
    }
    DestroyGlobals();
    return code;
}
} // namespace

bool Exporting() {
    return g_exporting;
}

int ExportPdf(const QString &sFile, const QString &sPdf, StartAt start) {
    return Export([&](::frmChordScore &window) {
        return window.ExportSheetPdf(sFile, sPdf, start.Capo, start.Transposed, start.Transpose);
    });
}

int ExportSongbook(const QString &sSetlist, const QString &sPdf) {
    return Export(
        [&](::frmChordScore &window) { return window.ExportSetlistSongbook(sSetlist, sPdf); });
}

int Main(const QString &sFile, StartAt start) {
    SingleInstance instance;
    instanceprotocol::Request open;
    open.capo = start.Capo;
    open.transposed = start.Transposed;
    open.transpose = start.Transpose;
    if (instance.AskRunningInstance(sFile, open)) {
        // The running one comes to the front; nothing here is read or written.
        return 0;
    }
    instance.Listen();
    scorefonts::InstallFontSubstitutions();
    // Before the dictionary is looked up: a user's copy of a shipped file
    // that has since changed is rebuilt on the new one.
    const std::vector<apppaths::RebuiltCopy> rebuilt =
        apppaths::RebaseUserCopies(dictionaryedit::Rebase);
    std::unique_ptr<::frmChordScore> window;
    try {
        window = LoadMainWindow();
        SetMainWindow(window.get());
        window->ShowFirst();
        for (const apppaths::RebuiltCopy &r : rebuilt) {
            QTimer::singleShot(0, window.get(), [&window, r] {
                msgbox::ShowError(
                    window.get(),
                    QStringLiteral("押さえ方の辞書が新しくなったので、\"%1\" を新しい辞書に、"
                                   "あなたが加えたコードを後ろに付けて作り直しました。"
                                   "元のファイルは \"%2\" に残してあります。")
                        .arg(r.Copy, r.Backup));
            });
        }
    } catch (const AppError &e) {
        // A window that failed part-way through loading is discarded unseen
        // and writes nothing.
        SetMainWindow(nullptr);
        window.reset();
        msgbox::ShowError(nullptr, e.Description());
        DestroyGlobals();
        return 1;
    }
    // A logout, a stop or Ctrl+C writes the settings as a close does.
    QuitSignals quitSignals([&window](int) { window->SaveAndQuit(); });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, window.get(),
                     [&window](QSessionManager &) { window->SaveSettings(false); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, window.get(),
                     [&window] { window->SaveAtExit(); });
    QObject::connect(&instance, &SingleInstance::ActivateRequested, window.get(), [&window] {
        if (window->isMinimized()) {
            window->showNormal();
        }
        window->show();
        window->raise();
        window->activateWindow();
    });
    // A sheet handed over while a dialog is open waits for it to close: it
    // would load unseen behind it, under the dialog's settings.
    std::deque<instanceprotocol::Request> waiting;
    QTimer waitForDialogs;
    waitForDialogs.setInterval(200);
    const auto openWaiting = [&] {
        if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
            waitForDialogs.start();
            return;
        }
        waitForDialogs.stop();
        while (!waiting.empty()) {
            const instanceprotocol::Request r = waiting.front();
            waiting.pop_front();
            OpenAt(*window, r.path, {r.capo, r.transposed, r.transpose});
        }
    };
    QObject::connect(&waitForDialogs, &QTimer::timeout, window.get(), openWaiting);
    QObject::connect(&instance, &SingleInstance::OpenRequested, window.get(),
                     [&](const instanceprotocol::Request &r) {
                         waiting.push_back(r);
                         openWaiting();
                     });
    if (!sFile.isEmpty()) {
        QTimer::singleShot(0, window.get(),
                           [&window, sFile, start] { OpenAt(*window, sFile, start); });
    }
    QApplication::setQuitOnLastWindowClosed(true);
    const int code = QApplication::exec();
    SetMainWindow(nullptr);
    window.reset();
    DestroyGlobals();
    return code;
}

} // namespace basMain

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppIcon.h"
#include "app/basMain.h"

#include "parsing/CommandLine.h"

#include "platform/AppInfo.h"
#include "platform/AppPaths.h"
#include "settings/PrivateProfile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace {

const char *const kUsage = R"(使い方: tamblin [オプション] [--] [FILE]
Usage: tamblin [OPTION] [--] [FILE]

  FILE          開くコード譜 (Shift-JIS か UTF-8 のテキスト、ChordPro)。一つだけ。
                Tamblin が動いていれば、そのウィンドウで開きます。
                A chord sheet to open (one only; more is refused with
                exit status 2); a running Tamblin opens it in its window.
  --            これより後はすべてファイル名です ("-" で始まる名前に)
                everything after it is a file name (for names starting with "-")
  --capo N      カポ N (0～9) で開きます / open at capo N (0 to 9)
  --transpose M M 半音 (-11～11) 移調して開きます / open moved by M semitones
  --pdf OUT     FILE を画面どおりの PDF にして OUT に書き、終わります。ウィンドウは
                出さず、動いている Tamblin にも渡さず、設定も書きません。カポは
                --capo がなければ譜面のカポ。終了コード 0 成功、1 失敗。
                write FILE as a PDF (as on screen) to OUT and exit: no window,
                no running Tamblin asked, no settings written; at the sheet's
                own capo unless --capo is given. Exit status 0, or 1 on failure.
  --songbook OUT SETLIST
                セットリスト SETLIST の曲を目次つきの一冊の PDF にして OUT に書き、
                終わります。--pdf と同じく、ウィンドウも設定も使いません。
                write the songs of a setlist file as one PDF with a table of
                contents to OUT and exit, as --pdf does. Exit status 0, or 1.
  --help        この説明を表示して終わります / print this and exit
  --version     バージョンを表示して終わります / print the version and exit
                --help と --version はファイルより優先し、開かないことを知らせます。
                --help and --version win over a FILE, which is then not opened.

ファイルの場所 / Files:
  設定 / settings       $XDG_CONFIG_HOME/tamblin/tamblin.INI (~/.config/tamblin/)
                        ポータブル版 (プログラムの横に POSITION.INI があり書き込める
                        フォルダー) ではプログラムの横。
                        Beside the program in a portable copy whose folder is writable.
  押さえ方の辞書 / position files (POSITION.INI, UKULELE.INI, ...)
                        この順に探します / looked up in this order:
                        1. プログラムの横 / beside the program
                        2. $XDG_DATA_HOME/tamblin/ (~/.local/share/tamblin/)
                        3. インストール先の share/tamblin/ / the installed share/tamblin/
                        書き込めない辞書にコードを足すと、2. に写してから書きます。
                        その後はその写しを読みます。
                        A chord added to a read-only file goes into a copy in 2.,
                        which is read from then on.
  二重起動の窓口 / socket $XDG_RUNTIME_DIR/tamblin-* (/tmp/tamblin-UID/)
)";

// The places as they are for this program, after the general text.
void PrintPlaces() {
    std::printf("\nここでは / here:\n  %s\n", qPrintable(PrivateProfile::MakeIniFilename()));
    for (const QString &folder : apppaths::DataFolders()) {
        std::printf("  %s/\n", qPrintable(folder));
    }
}

} // namespace

int main(int argc, char **argv) {
    // Answered before anything starts: no window, no file touched.
    QList<QByteArray> args;
    for (int i = 1; i < argc; ++i) {
        args += QByteArray(argv[i]);
    }
    const commandline::Parsed parsed = commandline::Parse(args);
    if (!parsed.message.isEmpty() && parsed.action != commandline::Action::Refuse) {
        std::fprintf(stderr, "tamblin: %s\n", qPrintable(parsed.message));
    }
    switch (parsed.action) {
    case commandline::Action::Refuse:
        std::fprintf(stderr, "tamblin: %s\n\n%s", qPrintable(parsed.message), kUsage);
        return 2;
    case commandline::Action::Help: {
        std::fputs(kUsage, stdout);
        // The program's own folder is known only to a Qt application.
        QCoreApplication core(argc, argv);
        PrintPlaces();
        return 0;
    }
    case commandline::Action::Version:
        std::printf("tamblin %s (%s)\n", qPrintable(appinfo::Version()),
                    qPrintable(appinfo::ReleaseDate()));
        return 0;
    case commandline::Action::Run:
        break;
    }
    const QString file = parsed.file;
    const basMain::StartAt start{parsed.capo, parsed.transposed, parsed.transpose};
    // A PDF needs no display: drawn off screen, where none may be.
    const bool exporting = !parsed.pdf.isEmpty() || !parsed.songbook.isEmpty();
    if (exporting && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt sees the program's name only: a sheet named "-style" or "-name" is
    // a file here, never one of Qt's own options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamblin"));
    QApplication::setWindowIcon(appicon::Icon());
    // The user interface is Japanese, Qt's own dialogs included.
    QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                    QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtbase);
    }
    // Relative to the folder the program was started in.
    const QString full = file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath();
    if (!parsed.pdf.isEmpty()) {
        return basMain::ExportPdf(full, QFileInfo(parsed.pdf).absoluteFilePath(), start);
    }
    if (!parsed.songbook.isEmpty()) {
        return basMain::ExportSongbook(full, QFileInfo(parsed.songbook).absoluteFilePath());
    }
    return basMain::Main(full, start);
}

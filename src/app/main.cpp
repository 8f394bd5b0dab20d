#include "app/AppIcon.h"
#include "app/basMain.h"

#include "platform/AppInfo.h"
#include "platform/WidgetHelpers.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace {

const char *const kUsage = R"(使い方: tamblin [FILE]
Usage: tamblin [FILE]

  FILE          開くコード譜 (Shift-JIS のテキスト)。Tamblin が動いていれば、
                そのウィンドウで開きます。
                A chord sheet to open; a running Tamblin opens it in its window.
  --help        この説明を表示して終わります / print this and exit
  --version     バージョンを表示して終わります / print the version and exit
)";

} // namespace

int main(int argc, char **argv) {
    // Answered before anything starts: no window, no file touched.
    QString file;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("tamblin %s\n", qPrintable(appinfo::Version()));
            return 0;
        }
        if (a.startsWith('-') && a != "-") {
            std::fprintf(stderr, "tamblin: 知らないオプションです: %s\n\n%s", a.constData(),
                         kUsage);
            return 2;
        }
        if (file.isEmpty()) {
            file = QFile::decodeName(a);
        }
    }
    widgethelpers::PrepareRepaint();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamblin"));
    QApplication::setWindowIcon(appicon::Icon());
    // The user interface is Japanese, Qt's own dialogs included.
    QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                    QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtbase);
    }
    // Relative to the folder the program was started in.
    return basMain::Main(file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath());
}

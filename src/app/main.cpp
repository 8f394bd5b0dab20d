#include "app/AppIcon.h"
#include "app/basMain.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamblin"));
    QApplication::setWindowIcon(appicon::Icon());
    return basMain::Main();
}

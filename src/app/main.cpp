#include "app/basMain.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamblin"));
    return basMain::Main();
}

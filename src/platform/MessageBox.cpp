// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBox.h"

#include "platform/AppInfo.h"

#include <QMessageBox>

namespace msgbox {
namespace {
std::function<void(const QString &)> &Sink() {
    static std::function<void(const QString &)> sink;
    return sink;
}
} // namespace

void ShowError(QWidget *parent, const QString &sDescription) {
    if (Sink()) {
        Sink()(sDescription);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, appinfo::Title(), sDescription, QMessageBox::Ok, parent);
    box.exec();
}

void SetSink(std::function<void(const QString &)> sink) {
    Sink() = std::move(sink);
}

} // namespace msgbox

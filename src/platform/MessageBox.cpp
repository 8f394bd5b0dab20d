// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBox.h"

#include "platform/AppInfo.h"

#include <QMessageBox>
#include <QPushButton>

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

bool Ask(QWidget *parent, const QString &sQuestion) {
    if (Sink()) {
        Sink()(sQuestion);
        return false;
    }
    QMessageBox box(QMessageBox::Question, appinfo::Title(), sQuestion, QMessageBox::NoButton,
                    parent);
    QPushButton *yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void SetSink(std::function<void(const QString &)> sink) {
    Sink() = std::move(sink);
}

} // namespace msgbox

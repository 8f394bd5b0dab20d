// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small helpers the test suites share.
#include <QFile>
#include <QTimer>
#if __has_include(<QApplication>)
#include <QApplication>
#include <QMenu>
#include <QTest>
#define TAMBLIN_TEST_WIDGETS 1
#endif

#include <functional>
#include <memory>

namespace testsupport {

// A time bound for "at once" in milliseconds: sanitizers and debug builds run
// many times slower, so the bound widens there.
constexpr qint64 AtOnceMs() {
#ifdef TAMBLIN_SANITIZED
    return 15000;
#else
    return 1000;
#endif
}

inline QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    f.write(bytes);
}

#ifdef TAMBLIN_TEST_WIDGETS
// Runs f on the next modal dialog of type T once it is up; gives up after
// five seconds.
template <typename T> void WhenModal(std::function<void(T *)> f) {
    auto *timer = new QTimer;
    timer->setInterval(20);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, f, tries] {
        if (auto *d = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            f(d);
        } else if (++*tries > 250) {
            timer->stop();
            timer->deleteLater();
            qWarning("no modal dialog came up");
        }
    });
    timer->start();
}

// Picks item `index` (0-based, separators skipped) of the next pop-up menu.
inline void ChooseInNextPopup(int index, bool *pasteEnabled = nullptr) {
    QTimer::singleShot(0, [index, pasteEnabled] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        if (pasteEnabled) {
            for (QAction *a : menu->actions()) {
                if (a->text() == QStringLiteral("貼り付け")) {
                    *pasteEnabled = a->isEnabled();
                }
            }
        }
        if (index < 0) {
            menu->close();
            return;
        }
        for (int i = 0; i <= index; ++i) {
            QTest::keyClick(menu, Qt::Key_Down);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

// A press where the user would press on a cell: on the score at that point of
// the cell (its centre when none is given).
template <class Score, class Cell>
void PressCell(Score &score, const Cell *cell, Qt::MouseButton button, QPoint at = {},
               bool click = false) {
    const QPoint in = at.isNull() ? QRect(QPoint(), cell->size()).center() : at;
    if (click) {
        QTest::mouseClick(&score, button, {}, cell->pos() + in);
    } else {
        QTest::mousePress(&score, button, {}, cell->pos() + in);
    }
}
#endif

} // namespace testsupport

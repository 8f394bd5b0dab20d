#pragma once

// Small helpers the test suites share.
#include <QFile>
#include <QTimer>
#if __has_include(<QApplication>)
#include <QApplication>
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
#endif

} // namespace testsupport

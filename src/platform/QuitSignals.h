// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// SIGTERM, SIGHUP and SIGINT (a logout, `systemctl --user stop`, Ctrl+C in a
// terminal) as a call on the event loop, where the program can write its
// settings and leave as a close would. The handler only writes a byte to a
// pipe; everything else happens on the loop. One at a time per process.
class QuitSignals : public QObject {
public:
    explicit QuitSignals(std::function<void(int signal)> quit, QObject *parent = nullptr);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals &) = delete;
    QuitSignals &operator=(const QuitSignals &) = delete;

private:
    std::function<void(int)> m_quit;
    QSocketNotifier *m_notifier = nullptr;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QuitSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

void OnSignal(int signal) {
    const int saved = errno;
    const auto byte = static_cast<char>(signal);
    (void)!::write(g_pipe[0], &byte, 1);
    errno = saved;
}

} // namespace

QuitSignals::QuitSignals(std::function<void(int)> quit, QObject *parent)
    : QObject(parent), m_quit(std::move(quit)) {
    if (g_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) {
        return;
    }
    ::fcntl(g_pipe[0], F_SETFL, O_NONBLOCK);
    m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(g_pipe[1], &byte, 1) == 1) {
            m_quit(static_cast<unsigned char>(byte));
        }
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : kSignals) {
        ::sigaction(s, &action, nullptr);
    }
}

QuitSignals::~QuitSignals() {
    if (!m_notifier) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int s : kSignals) {
        ::sigaction(s, &action, nullptr);
    }
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

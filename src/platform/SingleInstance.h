// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InstanceProtocol.h"

#include <QObject>
#include <QString>

class QLocalServer;

// One running Tamblin per user and installation, over a local socket that
// only this user may reach.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another instance runs; it has then been asked to come to the
    // front, and to open sFile (a full path) when one is given, at the capo
    // and transposition of open (an Open request) when those are given.
    bool AskRunningInstance(const QString &sFile = QString(),
                            const instanceprotocol::Request &open = {});
    // Becomes the instance that later starts will find. False if the socket
    // cannot be made (the program then runs alone, unfindable).
    bool Listen();

    // Full path of the socket; empty when no folder of this user can hold it.
    static QString ServerName();

signals:
    // Another start asked this instance to show its window.
    void ActivateRequested();
    // Another start asked this instance to open a sheet (request.path), at
    // the request's capo and transposition when it gives them.
    void OpenRequested(const instanceprotocol::Request &request);

private:
    QLocalServer *m_server = nullptr;
};

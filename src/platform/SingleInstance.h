#pragma once

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
    // front, and to open sFile (a full path) when one is given.
    bool AskRunningInstance(const QString &sFile = QString());
    // Becomes the instance that later starts will find. False if the socket
    // cannot be made (the program then runs alone, unfindable).
    bool Listen();

    // Full path of the socket; empty when no folder of this user can hold it.
    static QString ServerName();

signals:
    // Another start asked this instance to show its window.
    void ActivateRequested();
    // Another start asked this instance to open a sheet.
    void OpenRequested(const QString &sFile);

private:
    QLocalServer *m_server = nullptr;
};

#pragma once

#include "app/StartupPorts.h"

#include <QLocalServer>
#include <QObject>
#include <QString>

// One copy of the program per user: the first copy listens on a local socket named after
// the frame's window class; a later copy connects, asks it to come forward, and exits.
class LocalInstanceGuard : public QObject, public InstanceGuard {
    Q_OBJECT
public:
    explicit LocalInstanceGuard(QString name = DefaultName());

    bool AnotherInstanceRunning() override;
    void ActivateOtherInstance() override;

    static QString DefaultName();

signals:
    // Another copy asked this one to bring its window forward.
    void activationRequested();

private:
    void OnNewConnection();

    QString m_name;
    QLocalServer m_server;
};

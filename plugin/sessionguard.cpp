#include "sessionguard.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>

SessionGuard::SessionGuard(QObject *parent)
    : QObject(parent)
{
    if (!QCoreApplication::instance())
        return;
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &SessionGuard::saveRequested);
    // A session may end without the program being asked to quit first.
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) { emit saveRequested(); });
}

SessionGuard *SessionGuard::instance()
{
    static SessionGuard *guard = new SessionGuard(QCoreApplication::instance());
    return guard;
}

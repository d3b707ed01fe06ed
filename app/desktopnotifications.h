#ifndef DESKTOPNOTIFICATIONS_H
#define DESKTOPNOTIFICATIONS_H

#include <QHash>
#include <QObject>
#include <QStringList>

class QDBusPendingCallWatcher;

// Notifications through the desktop's notification service on the session
// bus (org.freedesktop.Notifications). Each one carries a key chosen by the
// caller; a click on it or on its "Open" action reports that key.
class DesktopNotifications : public QObject
{
    Q_OBJECT

public:
    explicit DesktopNotifications(QObject *parent = nullptr);

    // True when the session bus has the service running or can start it.
    static bool serviceAvailable();

    // Sends the notification without waiting for the service's answer; a
    // later one with the same key replaces it.
    void notify(const QString &key, const QString &summary, const QString &body, int timeoutMs);
    void close(const QString &key);

signals:
    void activated(const QString &key);

private slots:
    void onActionInvoked(uint id, const QString &action);
    void onNotificationClosed(uint id, uint reason);

private:
    bool bodyMarkup();
    void onNotifyFinished(QDBusPendingCallWatcher *watcher, const QString &key);

    QHash<uint, QString> m_keys;
    QHash<QString, uint> m_ids;
    int m_markup = -1; // unknown until first asked
    bool m_connected = false;
};

#endif // DESKTOPNOTIFICATIONS_H

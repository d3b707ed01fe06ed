#include "desktopnotifications.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QVariantMap>

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString defaultAction = QStringLiteral("default");
const QString openAction = QStringLiteral("open");
// Answers of a local service come at once; a service that does not answer
// must not hold the GUI.
constexpr int callTimeoutMs = 2000;
} // namespace

DesktopNotifications::DesktopNotifications(QObject *parent)
    : QObject(parent)
{ }

bool DesktopNotifications::serviceAvailable()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    if (bus.interface()->isServiceRegistered(service))
        return true;
    const QDBusReply<QStringList> activatable = bus.interface()->activatableServiceNames();
    return activatable.isValid() && activatable.value().contains(service);
}

bool DesktopNotifications::bodyMarkup()
{
    if (m_markup < 0) {
        const QDBusMessage call
            = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("GetCapabilities"));
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, callTimeoutMs);
        m_markup = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
            && reply.arguments().constFirst().toStringList().contains(QStringLiteral("body-markup"));
    }
    return m_markup == 1;
}

void DesktopNotifications::notify(const QString &key, const QString &summary, const QString &body, int timeoutMs)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!m_connected) {
        bus.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                    SLOT(onActionInvoked(uint, QString)));
        bus.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                    SLOT(onNotificationClosed(uint, uint)));
        m_connected = true;
    }

    const QStringList actions { defaultAction, tr("Open"), openAction, tr("Open") };
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("zib-notes"));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(1)));
    // The program plays its own sound, the same on every route.
    hints.insert(QStringLiteral("suppress-sound"), true);

    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    call << QGuiApplication::applicationDisplayName() << m_ids.value(key, 0u) << QStringLiteral("zib-notes") << summary
         << (bodyMarkup() ? body.toHtmlEscaped() : body) << actions << hints << timeoutMs;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, key](QDBusPendingCallWatcher *w) { onNotifyFinished(w, key); });
}

void DesktopNotifications::onNotifyFinished(QDBusPendingCallWatcher *watcher, const QString &key)
{
    watcher->deleteLater();
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError())
        return;
    const uint id = reply.value();
    m_keys.insert(id, key);
    m_ids.insert(key, id);
}

void DesktopNotifications::close(const QString &key)
{
    const uint id = m_ids.take(key);
    if (!id)
        return;
    m_keys.remove(id);
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("CloseNotification"));
    call << id;
    QDBusConnection::sessionBus().asyncCall(call, callTimeoutMs);
}

void DesktopNotifications::onActionInvoked(uint id, const QString &action)
{
    if (action != defaultAction && action != openAction)
        return;
    const QString key = m_keys.take(id);
    if (key.isEmpty())
        return; // another program's notification, or already answered
    m_ids.remove(key);
    emit activated(key);
}

void DesktopNotifications::onNotificationClosed(uint id, uint)
{
    const QString key = m_keys.take(id);
    if (!key.isEmpty())
        m_ids.remove(key);
}

// A desktop notification service for tests: owns org.freedesktop.Notifications
// on the session bus, appends each call to the file named by its first
// argument ("notify <id> <summary> | <body> | <actions>", "close <id>"), and,
// with a second argument <ms>, answers every notification that many
// milliseconds later as if the user had clicked it (action "default"). With a
// third argument "sni" it also plays a status-notifier tray with a host, as
// Plasma's tray does ("item <service>" for each icon put into it).
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QTimer>
#include <QVariantMap>

#include <cstdio>

class NotificationService : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    NotificationService(QObject *parent, const QString &log, int clickMs)
        : QDBusAbstractAdaptor(parent)
        , m_log(log)
        , m_clickMs(clickMs)
    { }

public slots:
    QStringList GetCapabilities() { return { QStringLiteral("actions"), QStringLiteral("body") }; }

    QString GetServerInformation(QString &vendor, QString &version, QString &specVersion)
    {
        vendor = QStringLiteral("tests");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("recording-service");
    }

    uint Notify(const QString &, uint replacesId, const QString &, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &, int)
    {
        const uint id = replacesId ? replacesId : ++m_lastId;
        write(QStringLiteral("notify %1 %2 | %3 | %4")
                  .arg(id)
                  .arg(summary, QString(body).replace('\n', ' '), actions.join(',')));
        if (m_clickMs >= 0 && actions.contains(QStringLiteral("default"))) {
            QTimer::singleShot(m_clickMs, this, [this, id] {
                emit ActionInvoked(id, QStringLiteral("default"));
                emit NotificationClosed(id, 2);
            });
        }
        return id;
    }

    void CloseNotification(uint id)
    {
        write(QStringLiteral("close %1").arg(id));
        emit NotificationClosed(id, 3);
    }

signals:
    void ActionInvoked(uint id, const QString &actionKey);
    void NotificationClosed(uint id, uint reason);

private:
    void write(const QString &line)
    {
        QFile file(m_log);
        if (file.open(QIODevice::WriteOnly | QIODevice::Append))
            file.write(line.toUtf8() + '\n');
    }

    QString m_log;
    int m_clickMs;
    uint m_lastId = 0;
};

class StatusNotifierWatcher : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)

public:
    StatusNotifierWatcher(QObject *parent, const QString &log)
        : QDBusAbstractAdaptor(parent)
        , m_log(log)
    { }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return m_items; }

public slots:
    void RegisterStatusNotifierItem(const QString &service)
    {
        m_items << service;
        QFile file(m_log);
        if (file.open(QIODevice::WriteOnly | QIODevice::Append))
            file.write("item " + service.toUtf8() + '\n');
        emit StatusNotifierItemRegistered(service);
    }
    void RegisterStatusNotifierHost(const QString &) { }

signals:
    void StatusNotifierItemRegistered(const QString &service);

private:
    QString m_log;
    QStringList m_items;
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: notificationservice LOG [CLICK_MS]\n");
        return 2;
    }
    QObject root;
    new NotificationService(&root, args.at(1), args.size() > 2 ? args.at(2).toInt() : -1);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &root)
        || !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "notificationservice: cannot own the service\n");
        return 1;
    }
    QObject watcherRoot;
    if (args.size() > 3 && args.at(3) == QLatin1String("sni")) {
        new StatusNotifierWatcher(&watcherRoot, args.at(1));
        if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcherRoot)
            || !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
            std::fprintf(stderr, "notificationservice: cannot own the watcher\n");
            return 1;
        }
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

#include "notificationservice.moc"

// A desktop notification service for tests: owns org.freedesktop.Notifications
// on the session bus, appends each call to the file named by its first
// argument ("notify <id> <summary> | <body> | <actions>", "close <id>"), and,
// with a second argument <ms>, answers every notification that many
// milliseconds later as if the user had clicked it (action "default").
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
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

#include "notificationservice.moc"

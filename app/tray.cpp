#include "tray.h"

#include "desktopnotifications.h"
#include "soundplayer.h"
#include "zibsoundtheme.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSettings>
#include <QTimer>
#include <QUrl>

namespace {
const char *const soundName = "window-attention-active";
const char *const fallbackSound = "/usr/share/zib-wm/sounds/x-zib-wm-tooltip.wav";
const char *const ownSound = "/../share/zib-notes/sounds/reminder.wav";
constexpr int balloonMs = 12 * 60 * 60 * 1000;

// A tray icon without an image cannot be seen or clicked, so a theme lacking
// "audit-all" must not leave the reminder invisible.
QIcon trayIcon()
{
    QIcon icon = QIcon::fromTheme(QStringLiteral("audit-all"));
    if (icon.isNull())
        icon = QApplication::windowIcon();
    if (icon.isNull()) {
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(0xf5, 0xc2, 0x11));
        painter.setPen(QPen(QColor(0x80, 0x60, 0x00), 2));
        painter.drawRoundedRect(QRectF(3, 3, 26, 26), 4, 4);
        painter.drawLine(QPointF(9, 12), QPointF(23, 12));
        painter.drawLine(QPointF(9, 18), QPointF(19, 18));
        painter.end();
        icon = QIcon(pixmap);
    }
    return icon;
}

// Qt puts its icon into a status-notifier tray whenever that has a host;
// such trays show balloons as notifications that cannot be clicked.
bool statusNotifierHostRegistered()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(watcher))
        return false;
    QDBusMessage get
        = QDBusMessage::createMethodCall(watcher, QStringLiteral("/StatusNotifierWatcher"),
                                         QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 2000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
        && reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

QString fileNameOf(const QString &path)
{
    return path.split(QDir::separator()).constLast();
}
} // namespace

Tray::Route Tray::chooseRoute(const Desktop &desktop)
{
    if (desktop.trayAvailable && !desktop.statusNotifierTray)
        return BalloonRoute;
    if (desktop.notificationService)
        return NotificationRoute;
    return WindowRoute;
}

Tray::Desktop Tray::probeDesktop()
{
    Desktop desktop;
    desktop.trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    desktop.statusNotifierTray = desktop.trayAvailable && statusNotifierHostRegistered();
    desktop.notificationService = DesktopNotifications::serviceAvailable();
    return desktop;
}

Tray::Tray(QObject *parent)
    : QSystemTrayIcon(trayIcon(), parent)
    , soundPath(findSoundPath())
    , m_notifications(new DesktopNotifications(this))
    , m_probe(&Tray::probeDesktop)
{
    // Lives as long as the process; a tray icon does not take ownership.
    auto *menu = new QMenu;
    menu->addAction(tr("Open task"), this, &Tray::onOpenClicked, QKeySequence());
    menu->addAction(
        tr("Close"), this, [this] { processTask(); }, QKeySequence());
    setContextMenu(menu);

    connect(this, &QSystemTrayIcon::activated, this, &Tray::onTrayActivated);
    connect(this, &QSystemTrayIcon::messageClicked, this, [this] {
        // While a balloon shows, Qt reports any press on the icon as a click
        // on the balloon too: a right press asks for the menu, a middle one
        // means nothing.
        if (QGuiApplication::mouseButtons() & (Qt::RightButton | Qt::MiddleButton))
            return;
        processTask(true);
    });
    connect(m_notifications, &DesktopNotifications::activated, this, [this](const QString &path) {
        removePending(path);
        openTask(path);
        if (m_pending.isEmpty())
            hide();
        else
            setToolTip(taskText(m_pending.constFirst()));
    });
}

Tray::~Tray() = default;

QObject *Tray::lastPlayer() const
{
    return m_player;
}

QStringList Tray::pendingTaskPaths() const
{
    QStringList paths;
    for (const Task &task : m_pending)
        paths << task.path;
    return paths;
}

void Tray::setDesktopProbe(std::function<Desktop()> probe)
{
    m_probe = std::move(probe);
}

void Tray::setDiagnosticLog(const QString &path)
{
    m_diagnosticLog = path;
}

void Tray::setAutoClick(int delayMs)
{
    m_autoClickMs = delayMs;
}

void Tray::writeDiagnosticLog(const QString &line) const
{
    if (m_diagnosticLog.isEmpty())
        return;
    QFile log(m_diagnosticLog);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(line.toUtf8() + '\n');
}

QString Tray::findSoundPath()
{
    const QString name = QString::fromLatin1(soundName);
    QByteArray path = ZibSoundTheme::getSoundFilePathFromCurrentTheme(name, QString(), QString());
    if (path.isEmpty())
        path = ZibSoundTheme(QStringLiteral("freedesktop"), QString()).getSoundFilePath(name, QString(), QString());
    QString result = QString::fromUtf8(path);
    if (result.isEmpty()) {
        const QFileInfo own(QCoreApplication::applicationDirPath() + QLatin1String(ownSound));
        if (own.isFile())
            result = own.canonicalFilePath();
    }
    if (result.isEmpty())
        result = QString::fromLatin1(fallbackSound);
    return result;
}

void Tray::showMessageTask(const QString &path)
{
    const QString title = QSettings(path, QSettings::IniFormat).value(QStringLiteral("title"), QString()).toString();
    announce({ path, title, QDateTime() });
}

void Tray::showMissedTask(const QString &path, const QDateTime &dueDate)
{
    const QString title = QSettings(path, QSettings::IniFormat).value(QStringLiteral("title"), QString()).toString();
    announce({ path, title, dueDate.isValid() ? dueDate : QDateTime::currentDateTime() });
}

QString Tray::taskText(const Task &task) const
{
    if (!task.missedDue.isValid())
        return task.title;
    return tr("%1 (missed, due %2)").arg(task.title, QLocale().toString(task.missedDue, QLocale::ShortFormat));
}

void Tray::announce(const Task &task)
{
    taskPath = task.path;
    bool known = false;
    for (Task &pending : m_pending) {
        if (pending.path == task.path) {
            pending = task;
            known = true;
        }
    }
    if (!known)
        m_pending << task;

    const Desktop desktop = m_probe();
    m_lastRoute = chooseRoute(desktop);
    m_lastTitle = tr("Task notification");
    m_lastText = taskText(task);
    m_lastIcon = QSystemTrayIcon::Information;
    m_lastTimeout = balloonMs;
    writeDiagnosticLog(QStringLiteral("show ") + task.path + QLatin1Char(' ') + task.title);

    switch (m_lastRoute) {
    case BalloonRoute:
        show();
        showBalloon();
        writeDiagnosticLog(QStringLiteral("route balloon"));
        if (m_autoClickMs >= 0)
            QTimer::singleShot(m_autoClickMs, this, [this] { processTask(true); });
        break;
    case NotificationRoute:
        // A status-notifier tray still offers "Open task" for what is pending.
        if (desktop.trayAvailable) {
            show();
            setToolTip(tr("Task notification: ") + m_pending.constFirst().title);
        }
        m_notifications->notify(task.path, m_lastTitle, m_lastText, balloonMs);
        writeDiagnosticLog(QStringLiteral("route notification"));
        break;
    case WindowRoute:
        // Nothing on this desktop can announce it: show the note itself.
        removePending(task.path);
        writeDiagnosticLog(QStringLiteral("route window"));
        QTimer::singleShot(0, this, [this, path = task.path] { openTask(path); });
        break;
    }
    playSound();
}

void Tray::removePending(const QString &path)
{
    for (int i = m_pending.size() - 1; i >= 0; --i) {
        if (m_pending.at(i).path == path)
            m_pending.removeAt(i);
    }
}

void Tray::showBalloon()
{
    if (m_pending.isEmpty())
        return;
    QString tip = tr("Task notification: ") + m_pending.constFirst().title;
    QStringList lines;
    for (const Task &task : qAsConst(m_pending)) {
        lines << taskText(task);
        if (&task != &m_pending.constFirst())
            tip += QLatin1Char('\n') + task.title;
    }
    setToolTip(tip);
    m_lastText = lines.join(QLatin1Char('\n'));
    showMessage(m_lastTitle, m_lastText, m_lastIcon, m_lastTimeout);
}

void Tray::playSound()
{
    m_player = SoundPlayer::play(soundPath);
    if (m_player)
        writeDiagnosticLog(QStringLiteral("sound ") + soundPath);
    else
        qWarning("zib-notes: no sound: %s", qPrintable(SoundPlayer::errorString()));
}

void Tray::processTask(bool show)
{
    if (!show) {
        QCoreApplication::quit();
        return;
    }
    // Clicks arrive inside Qt's own handling of the icon, often twice for one
    // press (icon and balloon); the icon must not go away in there.
    if (m_openQueued)
        return;
    m_openQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_openQueued = false;
        openNextTask();
    });
}

void Tray::openNextTask()
{
    if (m_pending.isEmpty()) {
        if (!taskPath.isEmpty())
            openTask(taskPath);
        hide();
        return;
    }
    const Task task = m_pending.takeFirst();
    m_notifications->close(task.path);
    openTask(task.path);
    if (m_pending.isEmpty())
        hide();
    else if (m_lastRoute == BalloonRoute)
        showBalloon();
}

void Tray::openTask(const QString &path)
{
    const QString taskId = fileNameOf(path);
    writeDiagnosticLog(QStringLiteral("task ") + taskId);
    emit showTask(taskId);
}

void Tray::onTrayActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        processTask(true);
}

void Tray::onOpenClicked()
{
    processTask(true);
}

#include "tray.h"

#include "zibsoundtheme.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMediaPlayer>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSettings>
#include <QTimer>
#include <QUrl>

namespace {
const char *const soundName = "window-attention-active";
const char *const fallbackSound = "/usr/share/zib-wm/sounds/x-zib-wm-tooltip.wav";
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
} // namespace

Tray::Tray(QObject *parent)
    : QSystemTrayIcon(trayIcon(), parent)
    , soundPath(findSoundPath())
{
    // Lives as long as the process; a tray icon does not take ownership.
    auto *menu = new QMenu;
    menu->addAction(tr("Open task"), this, &Tray::onOpenClicked, QKeySequence());
    menu->addAction(
        tr("Close"), this, [this] { processTask(); }, QKeySequence());
    setContextMenu(menu);

    connect(this, &QSystemTrayIcon::activated, this, &Tray::onTrayActivated);
    connect(this, &QSystemTrayIcon::messageClicked, this, [this] { processTask(true); });
}

Tray::~Tray() = default;

QMediaPlayer *Tray::lastPlayer() const
{
    return m_player;
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
    if (result.isEmpty())
        result = QString::fromLatin1(fallbackSound);
    return result;
}

void Tray::showMessageTask(const QString &path)
{
    show();

    const QString title = QSettings(path, QSettings::IniFormat).value(QStringLiteral("title"), QString()).toString();
    taskPath = path;

    setToolTip(tr("Task notification: ") + title);
    m_lastTitle = tr("Task notification");
    m_lastText = title;
    m_lastIcon = QSystemTrayIcon::Information;
    m_lastTimeout = balloonMs;
    showMessage(m_lastTitle, m_lastText, m_lastIcon, m_lastTimeout);

    playSound();

    writeDiagnosticLog(QStringLiteral("show ") + path + QLatin1Char(' ') + title);
    if (m_autoClickMs >= 0)
        QTimer::singleShot(m_autoClickMs, this, [this] { processTask(true); });
}

void Tray::playSound()
{
    auto *player = new QMediaPlayer;
    // One player per notification; it goes once it has played or failed,
    // instead of piling up for the life of the process.
    connect(player, &QMediaPlayer::stateChanged, player, [player](QMediaPlayer::State state) {
        if (state == QMediaPlayer::StoppedState)
            player->deleteLater();
    });
    connect(player, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), player,
            [player](QMediaPlayer::Error) { player->deleteLater(); });
    player->setMedia(QUrl::fromLocalFile(soundPath));
    player->setVolume(100);
    player->play();
    m_player = player;
}

void Tray::processTask(bool show)
{
    if (show) {
        const QString taskId = taskPath.split(QDir::separator()).constLast();
        writeDiagnosticLog(QStringLiteral("task ") + taskId);
        emit showTask(taskId);
        hide();
    } else {
        QCoreApplication::quit();
    }
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

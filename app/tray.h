#ifndef TRAY_H
#define TRAY_H

#include <QDateTime>
#include <QPointer>
#include <QSystemTrayIcon>

#include <functional>

class DesktopNotifications;

// Announces due reminders with a sound, on the route the desktop offers: a
// balloon of the tray icon on an X11 tray; a desktop notification with an
// "Open" action where there is no tray or where the tray's balloon cannot be
// clicked (status-notifier trays); otherwise the note itself is opened.
// Every reminder stays pending until it is opened; a click on the icon, the
// balloon or "Open task" opens them one by one, oldest first. "Close" quits.
class Tray : public QSystemTrayIcon
{
    Q_OBJECT

public:
    enum Route { BalloonRoute, NotificationRoute, WindowRoute };
    Q_ENUM(Route)

    // What the desktop offers, asked anew for each reminder.
    struct Desktop
    {
        bool trayAvailable = false;
        bool statusNotifierTray = false; // Qt then sends balloons as notifications without actions
        bool notificationService = false;
    };
    static Route chooseRoute(const Desktop &desktop);
    static Desktop probeDesktop();

    explicit Tray(QObject *parent = nullptr);
    ~Tray() override;

    // Sound of the notification: the desktop's "window-attention-active",
    // from the current sound theme, else from "freedesktop", else the
    // program's own sound, else a fixed file.
    static QString findSoundPath();

    QString soundFilePath() const { return soundPath; }
    QString taskFilePath() const { return taskPath; }
    QStringList pendingTaskPaths() const;

    // What the last notification showed, on whichever route it went.
    QString lastMessageTitle() const { return m_lastTitle; }
    QString lastMessageText() const { return m_lastText; }
    QSystemTrayIcon::MessageIcon lastMessageIcon() const { return m_lastIcon; }
    int lastMessageTimeout() const { return m_lastTimeout; }
    Route lastRoute() const { return m_lastRoute; }
    // The player of the last sound (a QMediaPlayer), while it plays.
    QObject *lastPlayer() const;

    // Replaces probeDesktop(), for tests and diagnostics.
    void setDesktopProbe(std::function<Desktop()> probe);

    // Diagnostics for end-to-end tests: a log of notifications and opened
    // tasks, and an automatic click on the balloon delayMs after it shows.
    void setDiagnosticLog(const QString &path);
    void setAutoClick(int delayMs);

signals:
    void showTask(const QString &taskId);

public slots:
    void showMessageTask(const QString &taskPath);
    // A reminder that fell due while no session could show it.
    void showMissedTask(const QString &taskPath, const QDateTime &dueDate);

private slots:
    void processTask(bool show = false);
    void onTrayActivated(QSystemTrayIcon::ActivationReason reason);
    void onOpenClicked();

private:
    struct Task
    {
        QString path;
        QString title;
        QDateTime missedDue; // valid for a missed reminder
    };

    void announce(const Task &task);
    void showBalloon();
    void removePending(const QString &path);
    void openNextTask();
    void openTask(const QString &path);
    void playSound();
    void writeDiagnosticLog(const QString &line) const;
    QString taskText(const Task &task) const;

    QString soundPath;
    QString taskPath;

    QList<Task> m_pending;
    bool m_openQueued = false;
    DesktopNotifications *m_notifications;
    std::function<Desktop()> m_probe;

    QString m_lastTitle;
    QString m_lastText;
    QSystemTrayIcon::MessageIcon m_lastIcon = QSystemTrayIcon::NoIcon;
    int m_lastTimeout = 0;
    Route m_lastRoute = BalloonRoute;
    QPointer<QObject> m_player;
    QString m_diagnosticLog;
    int m_autoClickMs = -1;
};

#endif // TRAY_H

#ifndef TRAY_H
#define TRAY_H

#include <QPointer>
#include <QSystemTrayIcon>

class QMediaPlayer;

// Tray icon that announces a note's reminder: balloon with the note's title
// and a sound; a click on the icon, the balloon or "Open task" asks to open
// the note (showTask), "Close" quits the program.
class Tray : public QSystemTrayIcon
{
    Q_OBJECT

public:
    explicit Tray(QObject *parent = nullptr);
    ~Tray() override;

    // Sound of the notification: the desktop's "window-attention-active",
    // from the current sound theme, else from "freedesktop", else a fixed file.
    static QString findSoundPath();

    QString soundFilePath() const { return soundPath; }
    QString taskFilePath() const { return taskPath; }

    // What the last notification showed, also where no tray exists to show
    // it (headless sessions).
    QString lastMessageTitle() const { return m_lastTitle; }
    QString lastMessageText() const { return m_lastText; }
    QSystemTrayIcon::MessageIcon lastMessageIcon() const { return m_lastIcon; }
    int lastMessageTimeout() const { return m_lastTimeout; }
    QMediaPlayer *lastPlayer() const;

    // Diagnostics for end-to-end tests: a log of notifications and opened
    // tasks, and an automatic click on the balloon delayMs after it shows.
    void setDiagnosticLog(const QString &path);
    void setAutoClick(int delayMs);

signals:
    void showTask(const QString &taskId);

public slots:
    void showMessageTask(const QString &taskPath);

private slots:
    void processTask(bool show = false);
    void onTrayActivated(QSystemTrayIcon::ActivationReason reason);
    void onOpenClicked();

private:
    void playSound();
    void writeDiagnosticLog(const QString &line) const;

    QString soundPath;
    QString taskPath;

    QString m_lastTitle;
    QString m_lastText;
    QSystemTrayIcon::MessageIcon m_lastIcon = QSystemTrayIcon::NoIcon;
    int m_lastTimeout = 0;
    QPointer<QMediaPlayer> m_player;
    QString m_diagnosticLog;
    int m_autoClickMs = -1;
};

#endif // TRAY_H

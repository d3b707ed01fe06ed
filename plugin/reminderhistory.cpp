#include "reminderhistory.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const QString sinceKey = QStringLiteral("since");
const QString announcedGroup = QStringLiteral("announced/");
const QString expiredGroup = QStringLiteral("expired");
} // namespace

QString ReminderHistory::filePath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QLatin1String("/.local/state");
    return state + QLatin1String("/zib-notes/reminders.conf");
}

QDateTime ReminderHistory::since()
{
    QSettings history(filePath(), QSettings::IniFormat);
    QDateTime since = history.value(sinceKey).toDateTime();
    if (!since.isValid()) {
        since = QDateTime::currentDateTime();
        QDir().mkpath(QFileInfo(filePath()).absolutePath());
        history.setValue(sinceKey, since);
    }
    return since;
}

QDateTime ReminderHistory::lastAnnounced(const QString &file)
{
    return QSettings(filePath(), QSettings::IniFormat).value(announcedGroup + file).toDateTime();
}

void ReminderHistory::recordAnnounced(const QString &file, const QDateTime &occurrence)
{
    QDir().mkpath(QFileInfo(filePath()).absolutePath());
    QSettings history(filePath(), QSettings::IniFormat);
    if (history.value(announcedGroup + file).toDateTime() < occurrence)
        history.setValue(announcedGroup + file, occurrence);
    history.remove(expiredGroup + QLatin1Char('/') + file);
}

void ReminderHistory::recordExpired(const QString &file, const QDateTime &dueDate)
{
    if (lastAnnounced(file) >= dueDate)
        return;
    QDir().mkpath(QFileInfo(filePath()).absolutePath());
    QSettings(filePath(), QSettings::IniFormat).setValue(expiredGroup + QLatin1Char('/') + file, dueDate);
}

QList<ReminderHistory::Expired> ReminderHistory::takeExpired()
{
    QSettings history(filePath(), QSettings::IniFormat);
    QList<Expired> expired;
    history.beginGroup(expiredGroup);
    const QStringList files = history.childKeys();
    for (const QString &file : files)
        expired << Expired { file, history.value(file).toDateTime() };
    history.endGroup();
    // Nothing written when nothing was taken: each write of the history
    // waits for the disk.
    if (!expired.isEmpty())
        history.remove(expiredGroup);
    return expired;
}

#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// Which reminders the user has been told of, kept per user outside the notes
// directory ($XDG_STATE_HOME/zib-notes/reminders.conf), so that a reminder
// that fell due while nothing could announce it is announced at the next
// start, once.
class ReminderHistory
{
public:
    static QString filePath();

    // When the history began: nothing before it counts as missed.
    static QDateTime since();
    static QDateTime lastAnnounced(const QString &file);
    static void recordAnnounced(const QString &file, const QDateTime &occurrence);

    // A one-time reminder turned off on load because its moment had passed;
    // kept until it is announced, unless it was announced already.
    static void recordExpired(const QString &file, const QDateTime &dueDate);
    struct Expired
    {
        QString file;
        QDateTime dueDate;
    };
    static QList<Expired> takeExpired();
};

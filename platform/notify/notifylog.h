#ifndef NOTIFYLOG_H
#define NOTIFYLOG_H

#include <QString>

// What the notifier did, for a user who wonders why a reminder came or not.
// Each line goes to the system journal through `logger -t zib-notes-notify`
// where logger exists, and always to "notify.log" beside the session file
// (kept below 256 KiB, the previous part in "notify.log.1"), which is
// there even where no journal or syslog runs.
class NotifyLog
{
public:
    static QString filePath(const QString &home = QString());

    // Failures also go to standard error, which cron mails to the user.
    static void info(const QString &message);
    static void failure(const QString &message);

private:
    static void write(const QString &message, bool failed);
    static void appendToFile(const QString &line);
};

#endif // NOTIFYLOG_H

#include "crontab.h"

#include "abstractnote.h"
#include "cronprocess.h"
#include "crontablock.h"

#include <QProcessEnvironment>

#include <QRegularExpression>
#include <QStringList>
#include <atomic>

namespace {

// Bounds a whole edit: the wait for the lock, the read and the write.
const int processTimeoutMs = 5000;
const int lockWaitMs = 2000;

const QLatin1String notifyCommand(" export QT_QPA_PLATFORMTHEME=zib && export XDG_CURRENT_DESKTOP=zib"
                                  " && export DISPLAY=:0 && zib-notes-notify ");

// Edits run on the main thread and on the reconciler's.
std::atomic<int> failedEdits { 0 };
std::atomic<int> writtenTables { 0 };

QByteArray upToNul(QByteArray bytes)
{
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return bytes;
}

// The shell that starts crontab must run the command as written: no start-up
// file, no imported functions and no options from the caller's environment.
QProcessEnvironment plainShellEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QStringList keys = env.keys();
    for (const QString &key : keys) {
        if (key.startsWith(QLatin1String("BASH_FUNC_")))
            env.remove(key);
    }
    for (const char *key : { "BASH_ENV", "ENV", "BASHOPTS", "SHELLOPTS", "POSIXLY_CORRECT" })
        env.remove(QLatin1String(key));
    return env;
}

enum class ReadResult { Table, NoTable, Failed };

// The table exactly as crontab printed it; tells apart a user without a
// table and a read that failed.
ReadResult readTable(QByteArray *table, const QDeadlineTimer &deadline)
{
    CronProcess process;
    // The "no crontab" message is matched below; keep it untranslated.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.remove(QStringLiteral("LANGUAGE"));
    process.setProcessEnvironment(env);
    if (!process.run(QStringLiteral("crontab"), { QStringLiteral("-l") }, QByteArray(), deadline))
        return ReadResult::Failed;
    if (process.exitCode() != 0)
        return process.standardError().contains("no crontab for") ? ReadResult::NoTable : ReadResult::Failed;
    *table = process.standardOutput();
    return ReadResult::Table;
}

// Installs bytes through "crontab -" on its standard input: no argument
// length limit, nothing for a shell to expand.
bool writeTable(const QByteArray &bytes, const QDeadlineTimer &deadline, QString *error)
{
    CronProcess process;
    process.setProcessEnvironment(plainShellEnvironment());
    const bool ran = process.run(QStringLiteral("/bin/bash"),
                                 { QStringLiteral("-c"), QStringLiteral("exec crontab -") }, bytes, deadline);
    const QString output = QString::fromLocal8Bit(upToNul(process.standardError()));
    if (error)
        *error = ran || !output.isEmpty() ? output : QStringLiteral("crontab did not finish in time");
    return ran && process.succeeded();
}

// Lines without their ends. The final line end of the table is the last
// line's own; an empty table has no lines.
QList<QByteArray> splitTable(QByteArray table)
{
    if (table.isEmpty())
        return {};
    if (table.endsWith('\n'))
        table.chop(1);
    return table.split('\n');
}

QByteArray joinTable(const QList<QByteArray> &lines)
{
    QByteArray table;
    for (const QByteArray &line : lines)
        table += line + '\n';
    return table;
}

bool isOneLine(const QString &line)
{
    return !line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r'));
}

// Removes every line of ours for file; true when there was one.
bool removeLinesOf(QList<QByteArray> &lines, const QString &file)
{
    bool removed = false;
    for (int i = lines.size() - 1; i >= 0; --i) {
        if (reminderLineFile(lines.at(i)) == file) {
            lines.removeAt(i);
            removed = true;
        }
    }
    return removed;
}

bool beginsEdit(const QString &file, const QString &line)
{
    return !file.isEmpty() && !line.isEmpty() && isOneLine(line) && reminderLineFile(line.toLatin1()) == file;
}

} // namespace

QString reminderMarker(const QString &file)
{
    return QStringLiteral("zib-notes-notify ") + file;
}

QString cronLine(int notifyType, const QDateTime &notifyDate, const QString &file)
{
    // Without a valid moment there is no schedule to give cron.
    if (notifyType == AbstractNote::RepeatNever || !notifyDate.isValid())
        return QString();

    const QString minute = QString::number(notifyDate.time().minute());
    const QString hour = QString::number(notifyDate.time().hour());
    QString day = QString::number(notifyDate.date().day());
    QString month = QString::number(notifyDate.date().month());
    QString weekday = QStringLiteral("*");
    switch (notifyType) {
    case AbstractNote::RepeatEveryDay:
        day = month = QStringLiteral("*");
        break;
    case AbstractNote::RepeatEveryWeek:
        day = month = QStringLiteral("*");
        weekday = QString::number(notifyDate.date().dayOfWeek());
        break;
    case AbstractNote::RepeatEveryMonth:
        month = QStringLiteral("*");
        break;
    default:
        break;
    }
    return minute + QLatin1Char(' ') + hour + QLatin1Char(' ') + day + QLatin1Char(' ') + month + QLatin1Char(' ')
        + weekday + notifyCommand + file;
}

QString cronLine(const AbstractNote &note)
{
    return cronLine(note.notifyType(), note.notifyDate(), note.file());
}

QString cronLine(const NotePtr &note)
{
    return note ? cronLine(*note) : QString();
}

QString reminderLineFile(const QByteArray &line)
{
    static const QByteArray program("zib-notes-notify ");
    if (!line.contains(program))
        return QString();
    static const QRegularExpression ours(
        QStringLiteral("\\A(?:[0-9]|[1-5][0-9]) (?:[0-9]|1[0-9]|2[0-3]) (?:\\*|[1-9]|[12][0-9]|3[01])"
                       " (?:\\*|[1-9]|1[0-2]) (?:\\*|[1-7])")
        + QRegularExpression::escape(notifyCommand) + QStringLiteral("([A-Za-z0-9_][A-Za-z0-9._-]*\\.note)\\z"));
    // Latin-1 maps every byte to one character: nothing is lost or merged.
    const QRegularExpressionMatch match = ours.match(QString::fromLatin1(line));
    return match.hasMatch() ? match.captured(1) : QString();
}

bool readCrontab(QString *table)
{
    QByteArray bytes;
    switch (readTable(&bytes, QDeadlineTimer(processTimeoutMs))) {
    case ReadResult::NoTable:
        table->clear();
        return true;
    case ReadResult::Table:
        *table = QString::fromLocal8Bit(upToNul(bytes)).trimmed();
        return true;
    case ReadResult::Failed:
        break;
    }
    return false;
}

QString readCrontab()
{
    QString table;
    readCrontab(&table);
    return table;
}

QString writeCrontab(const QString &text)
{
    const QDeadlineTimer deadline(processTimeoutMs);
    const CrontabLock lock(QDeadlineTimer(qMin<qint64>(lockWaitMs, deadline.remainingTime())));
    if (!lock.isLocked())
        return QStringLiteral("the crontab is being edited by another process");
    if (!CronProcess::earlierGroupsGone())
        return QStringLiteral("an earlier crontab process is still running");
    QString error;
    if (writeTable(text.toLocal8Bit() + '\n', deadline, &error))
        ++writtenTables;
    return error;
}

bool editCrontab(const CrontabEdit &edit, QString *error)
{
    const auto fail = [error](const QString &why) {
        ++failedEdits;
        if (error)
            *error = why;
        return false;
    };
    const QDeadlineTimer deadline(processTimeoutMs);
    const CrontabLock lock(QDeadlineTimer(qMin<qint64>(lockWaitMs, deadline.remainingTime())));
    if (!lock.isLocked())
        return fail(QStringLiteral("the crontab is being edited by another process"));
    // A child killed at its deadline that is still around could install its
    // old table over whatever this edit writes.
    if (!CronProcess::earlierGroupsGone())
        return fail(QStringLiteral("an earlier crontab process is still running"));
    QByteArray table;
    // Writing after a failed read would replace the user's table.
    if (readTable(&table, deadline) == ReadResult::Failed)
        return fail(QStringLiteral("the crontab could not be read"));
    QList<QByteArray> lines = splitTable(table);
    if (!edit(lines))
        return true;
    QString output;
    if (!writeTable(joinTable(lines), deadline, &output))
        return fail(output.isEmpty() ? QStringLiteral("crontab failed") : output);
    ++writtenTables;
    if (error)
        *error = output;
    return true;
}

int failedCrontabEdits()
{
    return failedEdits;
}

int writtenCrontabs()
{
    return writtenTables;
}

QString addCronLine(const AbstractNote &note)
{
    const QString file = note.file();
    const QString line = cronLine(note);
    if (!beginsEdit(file, line))
        return QString();
    QString error;
    editCrontab(
        [&](QList<QByteArray> &lines) {
            const QByteArray bytes = line.toLatin1();
            int ours = 0;
            for (const QByteArray &existing : qAsConst(lines))
                ours += reminderLineFile(existing) == file ? 1 : 0;
            if (ours == 1 && lines.contains(bytes))
                return false;
            // On an empty table the note's line follows an empty one.
            if (lines.isEmpty())
                lines.append(QByteArray());
            removeLinesOf(lines, file);
            lines.append(bytes);
            return true;
        },
        &error);
    return error;
}

QString addCronLine(const NotePtr &note)
{
    return note ? addCronLine(*note) : QString();
}

QString replaceCronLine(const QString &file, const QString &line)
{
    if (!beginsEdit(file, line))
        return QString();
    QString error;
    editCrontab(
        [&](QList<QByteArray> &lines) {
            removeLinesOf(lines, file);
            lines.append(line.toLatin1());
            return true;
        },
        &error);
    return error;
}

QString removeCronLine(const QString &file)
{
    // An empty name would match no line of ours anyway; spare the read.
    if (file.isEmpty())
        return QString();
    QString error;
    editCrontab([&](QList<QByteArray> &lines) { return removeLinesOf(lines, file); }, &error);
    return error;
}

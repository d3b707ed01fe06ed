#include "crontab.h"

#include "abstractnote.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>

namespace {

const int processTimeoutMs = 5000;

const QLatin1String notifyCommand(" export QT_QPA_PLATFORMTHEME=zib && export XDG_CURRENT_DESKTOP=zib"
                                  " && export DISPLAY=:0 && zib-notes-notify ");

QByteArray upToNul(QByteArray bytes)
{
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return bytes;
}

// Runs the child to its end. False when it could not start, crashed or ran
// past the limit; a child still running is killed.
bool runToEnd(QProcess &process, const QString &program, const QStringList &arguments)
{
    QDeadlineTimer deadline(processTimeoutMs);
    process.start(program, arguments, QIODevice::ReadWrite);
    if (!process.waitForStarted(int(deadline.remainingTime())))
        return false;
    process.closeWriteChannel();
    if (!process.waitForFinished(int(deadline.remainingTime()))) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit;
}

// The shell that feeds crontab must run the command as written: no start-up
// file, no imported functions and no options from the caller's environment
// (xpg_echo would make echo interpret backslashes).
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

QStringList splitTable(const QString &table)
{
    return table.split(QLatin1Char('\n'), Qt::KeepEmptyParts, Qt::CaseSensitive);
}

bool isOneLine(const QString &line)
{
    return !line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r'));
}

} // namespace

QString reminderMarker(const QString &file)
{
    return QStringLiteral("zib-notes-notify ") + file;
}

QString cronLine(const AbstractNote &note)
{
    const int type = note.notifyType();
    const QDateTime date = note.notifyDate();
    // Without a valid moment there is no schedule to give cron.
    if (type == AbstractNote::RepeatNever || !date.isValid())
        return QString();

    const QString minute = QString::number(date.time().minute());
    const QString hour = QString::number(date.time().hour());
    QString day = QString::number(date.date().day());
    QString month = QString::number(date.date().month());
    QString weekday = QStringLiteral("*");
    switch (type) {
    case AbstractNote::RepeatEveryDay:
        day = month = QStringLiteral("*");
        break;
    case AbstractNote::RepeatEveryWeek:
        day = month = QStringLiteral("*");
        weekday = QString::number(date.date().dayOfWeek());
        break;
    case AbstractNote::RepeatEveryMonth:
        month = QStringLiteral("*");
        break;
    default:
        break;
    }
    return minute + QLatin1Char(' ') + hour + QLatin1Char(' ') + day + QLatin1Char(' ') + month + QLatin1Char(' ')
        + weekday + notifyCommand + note.file();
}

QString cronLine(const NotePtr &note)
{
    return note ? cronLine(*note) : QString();
}

namespace {

enum class ReadResult { Table, NoTable, Failed };

// Reads the table up to its first NUL byte; tells apart a user without a
// table and a read that failed. cutShort is set when a NUL was found.
ReadResult readTable(QString *table, bool *cutShort)
{
    QProcess process;
    // The "no crontab" message is matched below; keep it untranslated.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.remove(QStringLiteral("LANGUAGE"));
    process.setProcessEnvironment(env);
    if (!runToEnd(process, QStringLiteral("crontab"), { QStringLiteral("-l") }))
        return ReadResult::Failed;

    if (process.exitCode() != 0) {
        const QByteArray error = process.readAllStandardError();
        return error.contains("no crontab for") ? ReadResult::NoTable : ReadResult::Failed;
    }
    const QByteArray all = process.readAllStandardOutput();
    const QByteArray output = upToNul(all);
    *cutShort = output.size() != all.size();
    const QString text = QString::fromLocal8Bit(output);
    // A table that does not survive decoding would come back altered on the
    // next write.
    if (text.toLocal8Bit() != output)
        return ReadResult::Failed;
    *table = text.trimmed();
    return ReadResult::Table;
}

} // namespace

bool readCrontab(QString *table)
{
    QString text;
    bool cutShort = false;
    switch (readTable(&text, &cutShort)) {
    case ReadResult::NoTable:
        table->clear();
        return true;
    case ReadResult::Table:
        // Writing back a table cut at a NUL would lose the rest of it.
        if (cutShort)
            return false;
        *table = text;
        return true;
    case ReadResult::Failed:
        break;
    }
    return false;
}

QString readCrontab()
{
    QString text;
    bool cutShort = false;
    if (readTable(&text, &cutShort) != ReadResult::Table)
        return QString();
    return text;
}

QString writeCrontab(const QString &text)
{
    // echo would take a text like "-n" or "-e" as its options and install an
    // empty table; a NUL would cut the table short.
    static const QRegularExpression echoOptions(QStringLiteral("\\A-[neE]+\\z"));
    if (echoOptions.match(text).hasMatch() || text.contains(QChar(0)))
        return QStringLiteral("refused to install a table that would not reach crontab unchanged");

    // Inside single quotes bash expands nothing; a quote of the text closes
    // the word, adds an escaped quote and opens the word again.
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    const QString command = QStringLiteral("echo '") + quoted + QStringLiteral("' | crontab -");

    QProcess process;
    process.setProcessEnvironment(plainShellEnvironment());
    runToEnd(process, QStringLiteral("/bin/bash"), { QStringLiteral("-c"), command });
    return QString::fromLocal8Bit(upToNul(process.readAllStandardError()));
}

QString addCronLine(const AbstractNote &note)
{
    const QString line = cronLine(note);
    QString table;
    if (!isOneLine(line) || !readCrontab(&table))
        return QString();
    QStringList lines = splitTable(table);
    lines.append(line);
    return writeCrontab(lines.join(QLatin1Char('\n')));
}

QString addCronLine(const NotePtr &note)
{
    return note ? addCronLine(*note) : QString();
}

QString replaceCronLine(const QString &file, const QString &line)
{
    if (file.isEmpty() || line.isEmpty() || !isOneLine(line))
        return QString();
    QString table;
    if (!readCrontab(&table))
        return QString();
    QStringList lines;
    if (!table.isEmpty())
        lines = splitTable(table);
    const QString marker = reminderMarker(file);
    for (int i = lines.size() - 1; i >= 0; --i) {
        if (lines.at(i).contains(marker))
            lines.removeAt(i);
    }
    lines.append(line);
    return writeCrontab(lines.join(QLatin1Char('\n')));
}

QString removeCronLine(const QString &file)
{
    // An empty name would match the line of every note.
    if (file.isEmpty())
        return QString();
    QString table;
    if (!readCrontab(&table))
        return QString();
    QStringList lines = splitTable(table);
    const QString marker = reminderMarker(file);
    for (int i = lines.size() - 1; i >= 0; --i) {
        if (lines.at(i).contains(marker)) {
            lines.removeAt(i);
            return writeCrontab(lines.join(QLatin1Char('\n')));
        }
    }
    return QString();
}

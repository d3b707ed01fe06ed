#pragma once

#include <QDateTime>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the second-process helper to its end and returns what it printed;
// an empty list when it failed.
inline QStringList runHelper(const QStringList &arguments)
{
    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(QStringLiteral(COLLECTION_HELPER), arguments);
    if (!helper.waitForFinished(60000) || helper.exitStatus() != QProcess::NormalExit || helper.exitCode() != 0)
        return {};
    QStringList lines = QString::fromLocal8Bit(helper.readAllStandardOutput()).split(QLatin1Char('\n'));
    lines.removeAll(QString());
    return lines.isEmpty() ? QStringList { QStringLiteral("ok") } : lines;
}

// Records a change of file at date in "notes.conf" from another process.
inline bool helperRecords(const QString &command, const QString &file, const QDateTime &date)
{
    return !runHelper({ command, file, date.toString(Qt::ISODateWithMs) }).isEmpty();
}

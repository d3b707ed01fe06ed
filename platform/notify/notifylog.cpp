#include "notifylog.h"

#include "sessionenvironment.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>

namespace {
constexpr qint64 maxLogBytes = 256 * 1024;
}

QString NotifyLog::filePath(const QString &home)
{
    return SessionEnvironment::directory(home) + QLatin1String("/notify.log");
}

void NotifyLog::info(const QString &message)
{
    write(message, false);
}

void NotifyLog::failure(const QString &message)
{
    std::fprintf(stderr, "zib-notes-notify: %s\n", qPrintable(message));
    write(message, true);
}

void NotifyLog::write(const QString &message, bool failed)
{
    appendToFile(QDateTime::currentDateTime().toString(Qt::ISODate) + QLatin1Char(' ') + message);

    const QString logger = QStandardPaths::findExecutable(QStringLiteral("logger"));
    if (logger.isEmpty())
        return;
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(logger,
                  { QStringLiteral("-t"), QStringLiteral("zib-notes-notify"), QStringLiteral("-p"),
                    failed ? QStringLiteral("user.err") : QStringLiteral("user.notice"), QStringLiteral("--"),
                    message });
    if (!process.waitForFinished(3000))
        process.kill();
    process.waitForFinished();
}

void NotifyLog::appendToFile(const QString &line)
{
    const QString path = filePath();
    if (!SessionEnvironment::preparePrivateDirectory(QFileInfo(path).absolutePath()))
        return;
    if (QFileInfo(path).size() > maxLogBytes) {
        QFile::remove(path + QLatin1String(".1"));
        QFile::rename(path, path + QLatin1String(".1"));
    }
    QFile file(path);
    if (!file.open(QIODevice::Append | QIODevice::Text))
        return;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write((line + QLatin1Char('\n')).toUtf8());
}

#include "pagestesthelper.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QStandardPaths>

PagesTestHelper::PagesTestHelper(QObject *parent)
    : QObject(parent)
{ }

QString PagesTestHelper::notesDirectory() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        .replace(QStringLiteral("zib-launcher"), QStringLiteral("zib-notes"));
}

QString PagesTestHelper::crontabFile() const
{
    return QFile::decodeName(qgetenv("FAKE_CRONTAB_FILE"));
}

QString PagesTestHelper::readFile(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

bool PagesTestHelper::fileExists(const QString &path) const
{
    return QFile::exists(path);
}

bool PagesTestHelper::writeFile(const QString &path, const QString &text) const
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

void PagesTestHelper::removeFile(const QString &path) const
{
    if (!QFile::remove(path))
        QDir().rmdir(path);
}

bool PagesTestHelper::makeDirectory(const QString &path) const
{
    return QDir().mkpath(path);
}

bool PagesTestHelper::removeDirectory(const QString &path) const
{
    return QDir(path).removeRecursively();
}

QStringList PagesTestHelper::noteFiles() const
{
    return QDir(notesDirectory()).entryList(QDir::Files, QDir::Name);
}

QStringList PagesTestHelper::filesIn(const QString &directory) const
{
    return QDir(directory).entryList(QDir::Files, QDir::Name);
}

QVariant PagesTestHelper::iniValue(const QString &path, const QString &key) const
{
    QSettings settings(path, QSettings::IniFormat);
    return settings.value(key);
}

QColor PagesTestHelper::pixel(const QString &path, int x, int y) const
{
    const QImage image(path);
    if (image.isNull() || !image.valid(x, y))
        return QColor();
    return image.pixelColor(x, y);
}

QSize PagesTestHelper::imageSize(const QString &path) const
{
    return QImage(path).size();
}

QStringList PagesTestHelper::crontabLinesFor(const QString &file) const
{
    const QString marker = QStringLiteral("zib-notes-notify ") + file;
    QStringList lines;
    const QStringList all = readFile(crontabFile()).split(QLatin1Char('\n'));
    for (const QString &line : all) {
        if (line.contains(marker))
            lines << line;
    }
    return lines;
}

void PagesTestHelper::setIniValue(const QString &path, const QString &key, const QVariant &value) const
{
    QSettings(path, QSettings::IniFormat).setValue(key, value);
}

void PagesTestHelper::removeIniKey(const QString &path, const QString &key) const
{
    QSettings(path, QSettings::IniFormat).remove(key);
}

bool PagesTestHelper::holdNotesLock()
{
    m_lockHolder.start(QStringLiteral("hold-notes-lock"), { notesDirectory() });
    return m_lockHolder.waitForReadyRead(10000) && m_lockHolder.readAll().startsWith("held");
}

void PagesTestHelper::releaseNotesLock()
{
    m_lockHolder.kill();
    m_lockHolder.waitForFinished();
}

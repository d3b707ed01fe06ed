#pragma once

#include "abstractnote.h"
#include "crontab.h"
#include "notesdirectory.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// A notes directory and a fake crontab inside a temporary directory. The data
// directory may be given an awkward name (spaces, quotes, shell characters)
// so that every path the collection builds is exercised with it.
class CollectionSandbox
{
public:
    explicit CollectionSandbox(const QString &dataDirName = QStringLiteral("data"))
        : m_dataDir(m_dir.path() + QLatin1Char('/') + dataDirName)
    {
        QCoreApplication::setOrganizationName(QString());
        QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataDir));
        // Home on the data directory's file system: removed notes go to the
        // trash in there, not to one at the top of another file system.
        qputenv("HOME", QFile::encodeName(m_dir.path()));
        qputenv("PATH", QByteArray(ZIB_FAKES_DIR) + ':' + qgetenv("PATH"));
        qputenv("FAKE_CRONTAB_FILE", QFile::encodeName(crontabFile()));
        qputenv("FAKE_CRONTAB_LOG", QFile::encodeName(logFile()));
        qunsetenv("FAKE_CRONTAB_FAIL");
        QDir().mkpath(notesDir());
    }

    // True when the fake crontab is the one found and the notes live here.
    bool isSafe() const
    {
        return m_dir.isValid() && notesDirectory() == notesDir()
            && QStandardPaths::findExecutable(QStringLiteral("crontab"))
            == QDir(QStringLiteral(ZIB_FAKES_DIR)).filePath(QStringLiteral("crontab"));
    }

    // Empties the notes directory, the crontab and the call log.
    void reset() const
    {
        const QStringList entries = QDir(notesDir()).entryList(QDir::Files | QDir::Hidden);
        for (const QString &entry : entries)
            QFile::remove(notesDir() + QLatin1Char('/') + entry);
        QFile::remove(crontabFile());
        QFile::remove(logFile());
        qunsetenv("FAKE_CRONTAB_FAIL");
    }

    QString path() const { return m_dir.path(); }
    QString notesDir() const { return m_dataDir + QStringLiteral("/zib-notes"); }
    QString confPath() const { return notesDir() + QStringLiteral("/notes.conf"); }
    QString notePath(const QString &file) const { return notesDir() + QLatin1Char('/') + file; }
    QString crontabFile() const { return m_dir.path() + QStringLiteral("/crontab"); }
    QString logFile() const { return m_dir.path() + QStringLiteral("/crontab.log"); }

    // "l" for every crontab read, "w" for every write since the last clear.
    QString crontabCalls() const { return QString::fromLatin1(readBytes(logFile())).remove(QLatin1Char('\n')); }
    void clearLog() const { QFile::remove(logFile()); }
    QString crontab() const { return QString::fromLocal8Bit(readBytes(crontabFile())); }
    void setCrontab(const QByteArray &table) const { writeBytes(crontabFile(), table); }
    // Lines of our own form for the note; a user's copy does not count.
    int cronLinesOf(const QString &file) const
    {
        int count = 0;
        const QList<QByteArray> lines = readBytes(crontabFile()).split('\n');
        for (const QByteArray &line : lines)
            count += reminderLineFile(line) == file ? 1 : 0;
        return count;
    }

    // Writes a note of the given kind through the note classes and lists it
    // in "notes.conf" with the given date.
    template<typename Setup>
    void writeNote(const QString &file, AbstractNote::NoteType type, const QDateTime &date, Setup setup) const
    {
        QScopedPointer<AbstractNote> note(AbstractNote::createNote(type));
        note->setFile(file);
        setup(note.data());
        note->save();
        listNote(file, type, date);
    }

    void listNote(const QString &file, int type, const QDateTime &date) const
    {
        QSettings conf(confPath(), QSettings::IniFormat);
        conf.beginGroup(QStringLiteral("Notes"));
        conf.beginGroup(file);
        conf.setValue(QStringLiteral("modification-date"), date);
        conf.setValue(QStringLiteral("note-type"), type);
    }

    QVariant confValue(const QString &key) const { return QSettings(confPath(), QSettings::IniFormat).value(key); }

    void setConfValue(const QString &key, const QVariant &value) const
    {
        QSettings(confPath(), QSettings::IniFormat).setValue(key, value);
    }

    QStringList confNotes() const
    {
        QSettings conf(confPath(), QSettings::IniFormat);
        conf.beginGroup(QStringLiteral("Notes"));
        return conf.childGroups();
    }

    QStringList noteFiles() const
    {
        QStringList files = QDir(notesDir()).entryList(QDir::Files, QDir::Name);
        files.removeAll(QStringLiteral("notes.conf"));
        return files;
    }

    static QByteArray readBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void writeBytes(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
    QString m_dataDir;
};

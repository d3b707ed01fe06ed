#pragma once

#include <QColor>
#include <QObject>
#include <QProcess>
#include <QSize>
#include <QStringList>
#include <QVariant>

// File access for the page tests: note files, pictures and the fake crontab.
class PagesTestHelper : public QObject
{
    Q_OBJECT
public:
    explicit PagesTestHelper(QObject *parent = nullptr);

    Q_INVOKABLE QString notesDirectory() const;
    Q_INVOKABLE QString crontabFile() const;
    Q_INVOKABLE QString readFile(const QString &path) const;
    Q_INVOKABLE bool fileExists(const QString &path) const;
    Q_INVOKABLE bool writeFile(const QString &path, const QString &text) const;
    // Removes a file, or an empty directory.
    Q_INVOKABLE void removeFile(const QString &path) const;
    // A directory where a file is to be written makes that write fail.
    Q_INVOKABLE bool makeDirectory(const QString &path) const;
    Q_INVOKABLE bool removeDirectory(const QString &path) const;
    // File names in the notes directory, sorted.
    Q_INVOKABLE QStringList noteFiles() const;
    // File names in any directory, sorted.
    Q_INVOKABLE QStringList filesIn(const QString &directory) const;
    // A value of an INI file read through QSettings.
    Q_INVOKABLE QVariant iniValue(const QString &path, const QString &key) const;
    Q_INVOKABLE void setIniValue(const QString &path, const QString &key, const QVariant &value) const;
    Q_INVOKABLE void removeIniKey(const QString &path, const QString &key) const;
    // Colour of one pixel of a picture file, invalid when unreadable.
    Q_INVOKABLE QColor pixel(const QString &path, int x, int y) const;
    Q_INVOKABLE QSize imageSize(const QString &path) const;
    // Lines of the crontab that hold the note's reminder marker.
    Q_INVOKABLE QStringList crontabLinesFor(const QString &file) const;
    // Another program holding the lock of the notes directory, until let go.
    Q_INVOKABLE bool holdNotesLock();
    Q_INVOKABLE void releaseNotesLock();

private:
    QProcess m_lockHolder;
};

#include "notestesthelper.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSettings>

NotesTestHelper::NotesTestHelper(const QString &notesDirectory, QObject *parent)
    : QObject(parent)
    , directory(notesDirectory)
{ }

bool NotesTestHelper::isFileExist(const QString &path) const
{
    return QFileInfo(path).isFile();
}

void NotesTestHelper::changeNoteElsewhere(const QString &file, const QString &title) const
{
    {
        QSettings note(directory + QLatin1Char('/') + file, QSettings::IniFormat);
        note.setValue(QStringLiteral("title"), title);
    }
    const QDateTime now = QDateTime::currentDateTime();
    QSettings conf(directory + QStringLiteral("/notes.conf"), QSettings::IniFormat);
    conf.setValue(QStringLiteral("Notes/") + file + QStringLiteral("/modification-date"), now);
    conf.setValue(QStringLiteral("last-modified-file"), file);
    conf.setValue(QStringLiteral("last-modification-date"), now);
}

#include "notetrash.h"

#include "abstractnote.h"
#include "crontab.h"
#include "notesdirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString NotesGroup = QStringLiteral("Notes");
const QString ModificationDateKey = QStringLiteral("modification-date");
const QString NoteTypeKey = QStringLiteral("note-type");

// The marker must end the command: "1.note" is not the line of "1.note.note".
bool isLineOf(const QString &line, const QString &file)
{
    const QString marker = reminderMarker(file);
    const int at = line.indexOf(marker);
    if (at < 0)
        return false;
    const int end = at + marker.size();
    return end == line.size() || line.at(end).isSpace();
}

bool hasReminder(const QString &path)
{
    return QFileInfo::exists(path)
        && QSettings(path, QSettings::IniFormat).value(QStringLiteral("notify-type"), 0).toInt() != 0;
}

// A name in the private folder that no earlier removal has used.
QString freeNameIn(const QDir &folder, const QString &fileName)
{
    QString name = fileName;
    for (int counter = 1; folder.exists(name); ++counter)
        name = fileName + QStringLiteral("-%1").arg(counter, 4, 10, QLatin1Char('0'));
    return folder.absoluteFilePath(name);
}

// The trash in the user's data directory, made if it is missing. Without
// it QFile::moveToTrash() falls back to a folder in the working directory.
bool homeTrashExists()
{
    const QString trash
        = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash");
    if (!QFileInfo::exists(trash) && QDir().mkpath(trash))
        QFile::setPermissions(trash, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return QFileInfo(trash).isDir();
}

} // namespace

QString NoteTrash::privateFolder(const QString &directory)
{
    // Inside the notes directory: on the same file system, so that moving
    // there is a rename, and never listed as a note file.
    return directory + QStringLiteral("/.deleted");
}

void NoteTrash::remember(const QString &confPath, const QStringList &files)
{
    notes.clear();
    this->files.clear();
    const QString directory = notesDirectory();
    QSettings conf(confPath, QSettings::IniFormat);
    conf.beginGroup(NotesGroup);
    bool reminders = false;
    for (const QString &file : files) {
        RemovedNote note;
        note.file = file;
        note.directory = directory;
        conf.beginGroup(file);
        const QStringList keys = conf.allKeys();
        for (const QString &key : keys)
            note.group.insert(key, conf.value(key));
        conf.endGroup();
        reminders = reminders || hasReminder(directory + QLatin1Char('/') + file);
        notes.append(note);
    }

    QString table;
    if (!reminders || !readCrontab(&table))
        return;
    const QStringList lines = table.split(QLatin1Char('\n'));
    for (RemovedNote &note : notes) {
        for (const QString &line : lines) {
            if (isLineOf(line, note.file)) {
                note.cronLine = line;
                break;
            }
        }
    }
}

void NoteTrash::moveAway(const QString &path)
{
    KeptFile kept;
    kept.original = path;
    if (homeTrashExists() && QFile::moveToTrash(path, &kept.kept) && QFileInfo(kept.kept).isAbsolute()) {
        kept.inDesktopTrash = true;
        files.append(kept);
        return;
    }
    const QFileInfo info(path);
    const QString folder = privateFolder(info.absolutePath());
    if (QDir().mkpath(folder)) {
        kept.kept = freeNameIn(QDir(folder), info.fileName());
        if (QFile::rename(path, kept.kept)) {
            files.append(kept);
            return;
        }
    }
    QFile::remove(path);
}

// The note a kept file belongs to: the longest name it begins with.
QString NoteTrash::owner(const QString &fileName) const
{
    QString best;
    for (const RemovedNote &note : notes) {
        if (fileName.startsWith(note.file) && note.file.size() > best.size())
            best = note.file;
    }
    return best;
}

bool NoteTrash::restoreFiles(const RemovedNote &note, const QString &name)
{
    bool noteFileBack = false;
    const QString notePath = note.directory + QLatin1Char('/') + note.file;
    for (const KeptFile &file : qAsConst(files)) {
        const QFileInfo original(file.original);
        if (original.absolutePath() != QFileInfo(notePath).absolutePath() || owner(original.fileName()) != note.file)
            continue;
        // Side files are named after the note file: 1.note_0.png of 1.note.
        const QString target = note.directory + QLatin1Char('/') + name + original.fileName().mid(note.file.size());
        // Never over a file that has come into being meanwhile.
        if (QFileInfo::exists(target) || !QFile::rename(file.kept, target))
            continue;
        if (file.inDesktopTrash) {
            const QFileInfo kept(file.kept);
            QFile::remove(kept.absolutePath() + QStringLiteral("/../info/") + kept.fileName()
                          + QStringLiteral(".trashinfo"));
        }
        noteFileBack = noteFileBack || original.fileName() == note.file;
    }
    return noteFileBack;
}

QVector<NoteTrash::RestoredNote> NoteTrash::restore(QSettings &conf,
                                                    const std::function<bool(const QString &)> &isTaken,
                                                    const std::function<QString()> &freshName)
{
    QVector<RestoredNote> restored;
    conf.beginGroup(NotesGroup);
    const QStringList groups = conf.childGroups();
    conf.endGroup();
    for (const RemovedNote &note : qAsConst(notes)) {
        if (note.group.isEmpty())
            continue;
        QString name = note.file;
        if (groups.contains(name) || isTaken(name) || QFileInfo::exists(note.directory + QLatin1Char('/') + name))
            name = freshName();
        // A note whose file is gone for good (the trash was emptied) stays gone.
        if (!restoreFiles(note, name))
            continue;
        const QString group = NotesGroup + QLatin1Char('/') + name + QLatin1Char('/');
        for (auto it = note.group.cbegin(); it != note.group.cend(); ++it)
            conf.setValue(group + it.key(), it.value());
        RestoredNote back;
        back.file = name;
        back.modifyDate = note.group.value(ModificationDateKey).toDateTime();
        back.type = note.group.value(NoteTypeKey, 0).toInt();
        // A kind no note class reads was no row before either.
        if (back.type < AbstractNote::TextType || back.type > AbstractNote::CanvasType)
            continue;
        back.cronLine = note.cronLine;
        back.cronLine.replace(reminderMarker(note.file), reminderMarker(name));
        restored.append(back);
    }
    notes.clear();
    files.clear();
    return restored;
}

void NoteTrash::restoreReminders(const QVector<RestoredNote> &notes)
{
    for (const RestoredNote &note : notes) {
        if (!note.cronLine.isEmpty())
            replaceCronLine(note.file, note.cronLine);
    }
}

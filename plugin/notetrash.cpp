#include "notetrash.h"

#include "abstractnote.h"
#include "collectionrepair.h"
#include "crontab.h"
#include "notesconfkeys.h"
#include "notesdirectory.h"
#include "safeinifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QScopedPointer>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace {

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

// A file trashed under a hidden name gets its own name in the trash, so
// that the user can find it there; its .trashinfo follows. Returns the new
// path, or trashed itself when that cannot be done.
QString renameInTrash(const QString &trashed, const QString &originalPath)
{
    const QFileInfo info(trashed);
    const QDir files = info.dir();
    const QString wanted = freeNameIn(files, QFileInfo(originalPath).fileName());
    const QString infoDir = files.absolutePath() + QStringLiteral("/../info/");
    QFile oldInfo(infoDir + info.fileName() + QStringLiteral(".trashinfo"));
    if (!oldInfo.open(QIODevice::ReadOnly))
        return trashed;
    QByteArray content = oldInfo.readAll();
    oldInfo.close();
    const int path = content.indexOf("\nPath=");
    const int end = content.indexOf('\n', path + 1);
    if (path < 0)
        return trashed;
    content.replace(path + 6, (end < 0 ? content.size() : end) - path - 6, QUrl::toPercentEncoding(originalPath, "/"));
    QFile newInfo(infoDir + QFileInfo(wanted).fileName() + QStringLiteral(".trashinfo"));
    if (!newInfo.open(QIODevice::WriteOnly | QIODevice::NewOnly) || newInfo.write(content) != content.size()
        || !newInfo.flush() || !QFile::rename(trashed, wanted)) {
        newInfo.remove();
        return trashed;
    }
    oldInfo.remove();
    return wanted;
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
    conf.beginGroup(NotesConfKeys::NotesGroup);
    for (const QString &file : files) {
        RemovedNote note;
        note.file = file;
        note.directory = directory;
        conf.beginGroup(file);
        const QStringList keys = conf.allKeys();
        for (const QString &key : keys)
            note.group.insert(key, conf.value(key));
        conf.endGroup();
        notes.append(note);
    }
}

void NoteTrash::moveAway(const QString &path, const QString &originalPath)
{
    KeptFile kept;
    kept.original = originalPath.isEmpty() ? path : originalPath;
    if (homeTrashExists() && QFile::moveToTrash(path, &kept.kept) && QFileInfo(kept.kept).isAbsolute()) {
        kept.inDesktopTrash = true;
        if (kept.original != path)
            kept.kept = renameInTrash(kept.kept, kept.original);
        files.append(kept);
        return;
    }
    const QFileInfo info(path);
    const QString folder = privateFolder(info.absolutePath());
    if (QDir().mkpath(folder)) {
        kept.kept = freeNameIn(QDir(folder), QFileInfo(kept.original).fileName());
        if (QFile::rename(path, kept.kept)) {
            files.append(kept);
            return;
        }
    }
    QFile::remove(path);
}

// The note a kept file belongs to: the longest note name it begins with
// (1.note.note_0.png belongs to 1.note.note, not to 1.note).
QString NoteTrash::owner(const QString &fileName, const QSet<QString> &names)
{
    QString best;
    for (int at = fileName.indexOf(NotesConfKeys::NoteSuffix); at >= 0;
         at = fileName.indexOf(NotesConfKeys::NoteSuffix, at + 1)) {
        const QString prefix = fileName.left(at + NotesConfKeys::NoteSuffix.size());
        if (names.contains(prefix))
            best = prefix;
    }
    return best;
}

bool NoteTrash::restoreFiles(const RemovedNote &note, const QString &name, const QVector<KeptFile> &kept)
{
    bool noteFileBack = false;
    for (const KeptFile &file : kept) {
        const QString fileName = QFileInfo(file.original).fileName();
        // Side files are named after the note file: 1.note_0.png of 1.note.
        const QString target = note.directory + QLatin1Char('/') + name + fileName.mid(note.file.size());
        // Never over a file that has come into being meanwhile.
        if (QFileInfo::exists(target) || !QFile::rename(file.kept, target))
            continue;
        if (file.inDesktopTrash) {
            const QFileInfo trashed(file.kept);
            QFile::remove(trashed.absolutePath() + QStringLiteral("/../info/") + trashed.fileName()
                          + QStringLiteral(".trashinfo"));
        }
        noteFileBack = noteFileBack || fileName == note.file;
    }
    return noteFileBack;
}

void NoteTrash::moveAwayHidden(const QString &directory, const QStringList &files)
{
    QStringList patterns;
    for (const QString &name : files) {
        // Straight from its hidden name, so that a crash never leaves it
        // under its own name without a group; Undo knows where it belongs.
        // Only a plain file is worth keeping: a FIFO or the like just goes.
        const QString hidden = directory + QLatin1Char('/') + CollectionRepair::deletingName(name);
        if (SafeIniFile::isRegularFile(hidden))
            moveAway(hidden, directory + QLatin1Char('/') + name);
        else
            QFile::remove(hidden);
        patterns << name + QLatin1Char('*');
    }
    const QStringList listed = QDir(directory).entryList(patterns, QDir::Files, QDir::NoSort);
    for (int i = listed.size() - 1; i >= 0; --i)
        moveAway(directory + QLatin1Char('/') + listed.at(i));
}

QVector<NoteTrash::RestoredNote> NoteTrash::restore(QSettings &conf,
                                                    const std::function<bool(const QString &)> &isTaken,
                                                    const std::function<QString()> &freshName)
{
    conf.beginGroup(NotesConfKeys::NotesGroup);
    const QStringList groupList = conf.childGroups();
    conf.endGroup();
    const QSet<QString> groups(groupList.cbegin(), groupList.cend());
    QSet<QString> names;
    for (const RemovedNote &note : qAsConst(notes))
        names.insert(note.file);
    QHash<QString, QVector<KeptFile>> filesOf;
    for (const KeptFile &file : qAsConst(files))
        filesOf[owner(QFileInfo(file.original).fileName(), names)].append(file);

    QVector<RestoredNote> restored;
    for (const RemovedNote &note : qAsConst(notes)) {
        if (note.group.isEmpty())
            continue;
        QString name = note.file;
        if (groups.contains(name) || isTaken(name) || QFileInfo::exists(note.directory + QLatin1Char('/') + name))
            name = freshName();
        // A note whose file is gone for good (the trash was emptied) stays gone.
        if (!restoreFiles(note, name, filesOf.value(note.file)))
            continue;
        const QString group = NotesConfKeys::NotesGroup + QLatin1Char('/') + name + QLatin1Char('/');
        for (auto it = note.group.cbegin(); it != note.group.cend(); ++it)
            conf.setValue(group + it.key(), it.value());
        RestoredNote back;
        back.file = name;
        back.modifyDate = note.group.value(NotesConfKeys::ModificationDate).toDateTime();
        back.type = note.group.value(NotesConfKeys::NoteType, 0).toInt();
        // A kind no note class reads was no row before either.
        if (back.type >= AbstractNote::TextType && back.type <= AbstractNote::CanvasType)
            restored.append(back);
    }
    notes.clear();
    files.clear();
    return restored;
}

// The reminder line is made anew from the note file that came back, as a
// save makes it; a one-time reminder that has passed meanwhile gets none.
void NoteTrash::restoreReminders(const QVector<RestoredNote> &notes)
{
    const QString directory = notesDirectory();
    for (const RestoredNote &note : notes) {
        if (!hasReminder(directory + QLatin1Char('/') + note.file))
            continue;
        QScopedPointer<AbstractNote> loaded(AbstractNote::createNote(AbstractNote::NoteType(note.type)));
        loaded->load(note.file);
        const QString line = cronLine(*loaded);
        if (!line.isEmpty())
            replaceCronLine(note.file, line);
    }
}

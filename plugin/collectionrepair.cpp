#include "collectionrepair.h"

#include "abstractnote.h"
#include "notesconfkeys.h"
#include "notesconflock.h"
#include "notesmodel.h"
#include "safeinifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString DeletingSuffix = QStringLiteral(".deleting");
const QString AddingSuffix = QStringLiteral(".adding");

QString joined(const QString &directory, const QString &file)
{
    return directory + QLatin1Char('/') + file;
}

bool renameFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The note file name a marker stands for; empty for any other name.
QString markedNote(const QString &entry, const QString &suffix)
{
    if (!entry.startsWith(QLatin1Char('.')) || !entry.endsWith(suffix))
        return QString();
    const QString file = entry.mid(1, entry.size() - 1 - suffix.size());
    return NotesModel::isNoteFileName(file) ? file : QString();
}

// The marks in the directory; stale copies of writes are removed on the way.
// Only hidden names can be either: a plain walk over the names, since a
// collection of thousands of notes is listed at every start.
QStringList markers(const QString &directory)
{
    QStringList found;
    DIR *dir = ::opendir(QFile::encodeName(directory).constData());
    if (!dir)
        return found;
    while (const struct dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (!markedNote(name, DeletingSuffix).isEmpty() || !markedNote(name, AddingSuffix).isEmpty())
            found << name;
        else if (SafeIniFile::isStaleCopy(directory, name))
            QFile::remove(joined(directory, name));
    }
    ::closedir(dir);
    return found;
}

quint64 counterValue(const QString &counter)
{
    bool ok = false;
    const quint64 value = counter.toULongLong(&ok, 16);
    return ok ? value : 0;
}

} // namespace

QString CollectionRepair::deletingName(const QString &file)
{
    return QLatin1Char('.') + file + DeletingSuffix;
}

bool CollectionRepair::hide(const QString &directory, const QString &file, QString *error)
{
    const QString path = joined(directory, file);
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0
        || renameFile(path, joined(directory, deletingName(file))))
        return true;
    *error = systemError();
    return false;
}

void CollectionRepair::unhide(const QString &directory, const QString &file)
{
    renameFile(joined(directory, deletingName(file)), joined(directory, file));
}

bool CollectionRepair::hideAll(const QString &directory, const QStringList &files, QString *error)
{
    for (int i = 0; i < files.size(); ++i) {
        if (!hide(directory, files.at(i), error)) {
            for (int hidden = 0; hidden < i; ++hidden)
                unhide(directory, files.at(hidden));
            return false;
        }
    }
    return true;
}

bool CollectionRepair::beginAdd(const QString &directory, const QString &file, QString *error)
{
    const QString mark = joined(directory, QLatin1Char('.') + file + AddingSuffix);
    const int fd = ::open(QFile::encodeName(mark).constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        *error = systemError();
        return false;
    }
    ::close(fd);
    return true;
}

void CollectionRepair::endAdd(const QString &directory, const QString &file)
{
    QFile::remove(joined(directory, QLatin1Char('.') + file + AddingSuffix));
}

bool CollectionRepair::isCompleteNoteFile(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    const QSettings note(path, QSettings::IniFormat);
    for (const char *key :
         { "title", "background-color", "foreground-color", "creation-date", "notify-type", "notify-date" }) {
        if (!note.contains(QLatin1String(key)))
            return false;
    }
    return true;
}

bool CollectionRepair::repair(const QString &directory)
{
    if (markers(directory).isEmpty())
        return false;

    // Whoever adds or deletes holds the lock: a mark found under it was
    // left by a process that is gone.
    const NotesConfLock lock;
    if (!lock.isLocked())
        return false; // the next start looks again
    const QStringList entries = markers(directory);
    SafeIniFile confFile(directory + QStringLiteral("/notes.conf"));
    QSettings *conf = confFile.settings();
    if (entries.isEmpty() || !conf)
        return false;
    conf->beginGroup(NotesConfKeys::NotesGroup);
    const QStringList groupList = conf->childGroups();
    conf->endGroup();
    const QSet<QString> groups(groupList.cbegin(), groupList.cend());

    bool changed = false;
    QStringList deleted;
    QStringList added;
    for (const QString &entry : entries) {
        const QString hidden = markedNote(entry, DeletingSuffix);
        const QString adding = markedNote(entry, AddingSuffix);
        if (!hidden.isEmpty()) {
            // Killed before "notes.conf" lost the group: the note stays.
            if (groups.contains(hidden))
                unhide(directory, hidden);
            else
                deleted << hidden;
        } else if (!adding.isEmpty()) {
            // Killed after the note file was saved whole: the add goes through.
            if (!groups.contains(adding) && isCompleteNoteFile(joined(directory, adding))) {
                listNote(*conf, directory, adding);
                changed = true;
            }
            added << adding;
        }
    }
    if (changed && !confFile.commit())
        return false;

    for (const QString &file : qAsConst(added))
        endAdd(directory, file);
    // Killed after "notes.conf" lost the group: the delete is finished.
    for (const QString &file : qAsConst(deleted)) {
        QFile::remove(joined(directory, deletingName(file)));
        if (QFileInfo::exists(joined(directory, file)))
            continue;
        const QStringList side = QDir(directory).entryList({ file + QLatin1Char('*') }, QDir::Files, QDir::NoSort);
        for (const QString &name : side)
            QFile::remove(joined(directory, name));
    }
    return changed;
}

void CollectionRepair::listNote(QSettings &conf, const QString &directory, const QString &file)
{
    // "notes.conf" is the only record of the kind; the keys of the kinds tell it.
    const QString path = joined(directory, file);
    const QSettings note(path, QSettings::IniFormat);
    int type = AbstractNote::TextType;
    if (note.childGroups().contains(QStringLiteral("data")))
        type = AbstractNote::ListType;
    else if (note.contains(QStringLiteral("line-width")))
        type = AbstractNote::CanvasType;

    conf.beginGroup(NotesConfKeys::NotesGroup);
    conf.beginGroup(file);
    conf.setValue(NotesConfKeys::ModificationDate, QFileInfo(path).lastModified());
    conf.setValue(NotesConfKeys::NoteType, type);
    conf.endGroup();
    conf.endGroup();

    // The counter must never hand out the name again.
    const quint64 number = counterValue(file.left(file.size() - NotesConfKeys::NoteSuffix.size()));
    const QString &next = NotesConfKeys::NextFilename;
    if (number >= counterValue(conf.value(next).toString()))
        conf.setValue(next, QString::number(number + 1, 16));
}

CollectionIndex::Listing CollectionRepair::open(const QString &directory, const QString &confPath, QByteArray *stamp)
{
    // A process killed in the middle of a write, an add or a delete may have
    // left work behind.
    repair(directory);
    const bool confExisted = QFileInfo::exists(confPath);
    // Reading a FIFO in place of "notes.conf" would block for good.
    if (confExisted && !SafeIniFile::isRegularFile(confPath) && !QFileInfo(confPath).isDir()) {
        const NotesConfLock lock;
        if (lock.isLocked())
            SafeIniFile(confPath).commit();
    }
    // Still no file to read (another program held the lock): an empty
    // collection until a real "notes.conf" appears.
    const bool readable = SafeIniFile::isRegularFile(confPath) || !QFileInfo::exists(confPath);
    *stamp = CollectionIndex::stamp(confPath);
    CollectionIndex::Listing listing;
    if (readable)
        listing = CollectionIndex::readFile(confPath);
    const QString counter = listing.nextFilename.isNull() ? QStringLiteral("1") : listing.nextFilename;
    if (listing.entries.isEmpty() && (!confExisted || counter != QLatin1String("1"))) {
        const NotesConfLock lock;
        SafeIniFile fresh(confPath);
        const QString &key = NotesConfKeys::NextFilename;
        // Written back only while nobody has moved the counter meanwhile.
        if (lock.isLocked() && fresh.isOpen()
            && fresh.settings()->value(key, QStringLiteral("1")).toString() == counter) {
            fresh.settings()->setValue(key, counter);
            fresh.commit();
        }
    }
    return listing;
}

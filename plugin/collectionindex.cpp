#include "collectionindex.h"

#include "abstractnote.h"
#include "notesconfkeys.h"
#include "notesconfreader.h"
#include "notesdirectory.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <sys/stat.h>

namespace {

const qint64 SettledSeconds = 2;

QVector<CollectionIndex::Group> settingsGroups(QSettings &conf)
{
    QVector<CollectionIndex::Group> groups;
    conf.beginGroup(NotesConfKeys::NotesGroup);
    const QStringList names = conf.childGroups();
    groups.reserve(names.size());
    for (const QString &name : names) {
        if (!isNoteFileName(name))
            continue;
        conf.beginGroup(name);
        groups.append(
            { name, conf.value(NotesConfKeys::ModificationDate).toDateTime(), conf.value(NotesConfKeys::NoteType) });
        conf.endGroup();
    }
    conf.endGroup();
    return groups;
}

QVector<CollectionIndex::Entry> noteEntries(const QVector<CollectionIndex::Group> &groups)
{
    QVector<CollectionIndex::Entry> entries;
    entries.reserve(groups.size());
    for (const CollectionIndex::Group &group : groups) {
        if (!isNoteFileName(group.file))
            continue;
        bool typeOk = true;
        const int type = group.type.isValid() ? group.type.toInt(&typeOk) : int(AbstractNote::TextType);
        if (typeOk && type >= AbstractNote::TextType && type <= AbstractNote::CanvasType)
            entries.append({ group.file, group.modifyDate, type });
    }
    return entries;
}

// The groups and top keys of the file as QSettings reads them.
QVector<CollectionIndex::Group> readSettingsGroups(const QString &path, CollectionIndex::Listing *listing)
{
    *listing = CollectionIndex::Listing();
    QSettings conf(path, QSettings::IniFormat);
    const QVector<CollectionIndex::Group> groups = settingsGroups(conf);
    listing->lastModifiedFile = conf.value(NotesConfKeys::LastModifiedFile).toString();
    listing->lastModificationDate = conf.value(NotesConfKeys::LastModificationDate).toDateTime();
    listing->nextFilename = conf.value(NotesConfKeys::NextFilename).toString();
    listing->complete = conf.status() == QSettings::NoError;
    return groups;
}

// The groups and top keys of the file, by whichever reader can take it.
QVector<CollectionIndex::Group> readGroups(const QString &path, CollectionIndex::Listing *listing)
{
    QVector<CollectionIndex::Group> groups;
    if (NotesConfReader::read(path, listing, &groups) == NotesConfReader::Read)
        return groups;
    return readSettingsGroups(path, listing);
}

// now is taken before the file is read: a write during a slow read must not
// find the bytes taken for settled.
QByteArray stampOf(const struct stat &st, qint64 now, const QByteArray &hash)
{
    const QByteArray identity = QByteArray::number(quint64(st.st_ino)) + ':' + QByteArray::number(qint64(st.st_size))
        + ':' + QByteArray::number(qint64(st.st_mtim.tv_sec)) + '.' + QByteArray::number(qint64(st.st_mtim.tv_nsec))
        + ':' + QByteArray::number(qint64(st.st_ctim.tv_sec)) + '.' + QByteArray::number(qint64(st.st_ctim.tv_nsec));
    // A file whose last change is some seconds old when it is hashed gets
    // new times from any later write; until then a second write within the
    // same tick of the file system's clock could leave them alike, and only
    // the content tells.
    const bool settled
        = now - qint64(st.st_mtim.tv_sec) >= SettledSeconds && now - qint64(st.st_ctim.tv_sec) >= SettledSeconds;
    return identity + (settled ? "S#" : "U#") + hash;
}

// Only a plain file: reading a FIFO would block.
bool statRegular(const QString &path, struct stat *st)
{
    return ::stat(QFile::encodeName(path).constData(), st) == 0 && S_ISREG(st->st_mode);
}

} // namespace

QVector<CollectionIndex::Entry> CollectionIndex::read(QSettings &conf)
{
    return noteEntries(settingsGroups(conf));
}

CollectionIndex::Listing CollectionIndex::readFile(const QString &path)
{
    Listing listing;
    listing.entries = noteEntries(readGroups(path, &listing));
    return listing;
}

void CollectionIndex::forEachNoteGroup(const QString &path, const std::function<void(const QString &)> &visit)
{
    const auto visitNote = [&visit](const QString &name) {
        if (isNoteFileName(name))
            visit(name);
    };
    if (NotesConfReader::readNames(path, visitNote) == NotesConfReader::Read)
        return;
    QSettings conf(path, QSettings::IniFormat);
    conf.beginGroup(NotesConfKeys::NotesGroup);
    for (const QString &name : conf.childGroups())
        visitNote(name);
}

QByteArray CollectionIndex::stamp(const QString &path, const QByteArray &previous)
{
    struct stat st;
    if (!statRegular(path, &st))
        return QByteArray();
    const QByteArray unhashed = stampOf(st, QDateTime::currentSecsSinceEpoch(), QByteArray());
    if (unhashed.endsWith("S#") && previous.startsWith(unhashed))
        return previous;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    // In pieces: a large file need not be held whole for its hash.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!hash.addData(&file))
        return QByteArray();
    return unhashed + hash.result();
}

CollectionIndex::Look CollectionIndex::look(const QString &path)
{
    Look look;
    struct stat st;
    if (!statRegular(path, &st)) {
        // A file that is there but not a plain file is not read; that is no
        // collection emptied.
        look.listing.complete = !QFileInfo::exists(path);
        return look;
    }
    // The times before the bytes: a write in between gives the next look
    // other times, and so a read of its own.
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    QVector<Group> groups;
    if (NotesConfReader::read(path, &look.listing, &groups, &hash) == NotesConfReader::Read) {
        look.stamp = stampOf(st, now, hash.result());
    } else {
        look.stamp = stamp(path);
        groups = readSettingsGroups(path, &look.listing);
    }
    look.listing.entries = noteEntries(groups);
    return look;
}

bool CollectionIndex::sameContent(const QByteArray &stamp, const QByteArray &other)
{
    return stamp.mid(stamp.indexOf('#')) == other.mid(other.indexOf('#'));
}

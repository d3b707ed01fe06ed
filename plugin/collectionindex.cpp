#include "collectionindex.h"

#include "abstractnote.h"
#include "notesmodel.h"

#include <QFile>
#include <QSettings>

#include <sys/stat.h>

QVector<CollectionIndex::Entry> CollectionIndex::read(QSettings &conf)
{
    QVector<Entry> entries;
    conf.beginGroup(QStringLiteral("Notes"));
    const QStringList groups = conf.childGroups();
    entries.reserve(groups.size());
    for (const QString &name : groups) {
        if (!NotesModel::isNoteFileName(name))
            continue;
        conf.beginGroup(name);
        Entry entry;
        entry.file = name;
        entry.modifyDate = conf.value(QStringLiteral("modification-date")).toDateTime();
        const QVariant type = conf.value(QStringLiteral("note-type"));
        bool typeOk = true;
        entry.type = type.isValid() ? type.toInt(&typeOk) : int(AbstractNote::TextType);
        conf.endGroup();
        if (typeOk && entry.type >= AbstractNote::TextType && entry.type <= AbstractNote::CanvasType)
            entries.append(entry);
    }
    conf.endGroup();
    return entries;
}

QByteArray CollectionIndex::stamp(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QByteArray();
    QByteArray result;
    result.reserve(48);
    for (qint64 value : { qint64(info.st_dev), qint64(info.st_ino), qint64(info.st_size), qint64(info.st_mtim.tv_sec),
                          qint64(info.st_mtim.tv_nsec), qint64(info.st_ctim.tv_nsec) })
        result.append(reinterpret_cast<const char *>(&value), sizeof value);
    return result;
}

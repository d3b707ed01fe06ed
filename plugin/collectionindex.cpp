#include "collectionindex.h"

#include "abstractnote.h"
#include "notesmodel.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSettings>

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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
}

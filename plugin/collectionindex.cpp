#include "collectionindex.h"

#include "abstractnote.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {
// NotesModel::isNoteFileName without its regular expression, which costs as
// much as reading a group when a collection has 100,000 of them: a name
// such as 1a.note, of letters, digits, "_", "." and "-", not beginning with
// "." or "-".
bool isNoteFileName(const QString &name)
{
    static const QString suffix = QStringLiteral(".note");
    if (name.size() <= suffix.size() || !name.endsWith(suffix))
        return false;
    for (int i = 0; i < name.size(); ++i) {
        const ushort c = name.at(i).unicode();
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum && c != '_' && (i == 0 || (c != '.' && c != '-')))
            return false;
    }
    return true;
}
} // namespace

QVector<CollectionIndex::Entry> CollectionIndex::read(QSettings &conf)
{
    QVector<Entry> entries;
    conf.beginGroup(QStringLiteral("Notes"));
    const QStringList groups = conf.childGroups();
    entries.reserve(groups.size());
    for (const QString &name : groups) {
        if (!isNoteFileName(name))
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
    // Only a plain file: reading a FIFO would block.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
}

#include "noterowsmodel.h"

#include "abstractnote.h"

#include <QHash>
#include <QQmlEngine>
#include <QSet>
#include <QVector>

namespace {

// Made notes that are never let go of, however idle: more than any view
// shows at once.
constexpr int KeptNotes = 256;

// Rows a pass over the made notes looks at in one go. A whole pass over
// 100,000 rows took 1.3 ms, which came in the middle of a frame of a fast
// scroll every 35 frames or so.
constexpr int RowsAtOnce = 8192;

// Every note adopted by a model of this process.
QSet<const AbstractNote *> &adoptedNotes()
{
    static QSet<const AbstractNote *> notes;
    return notes;
}

void deleteNote(AbstractNote *note)
{
    adoptedNotes().remove(note);
    delete note;
}

} // namespace

NoteRowsModel::NoteRowsModel(QObject *parent)
    : QAbstractListModel(parent)
    , nextLetGo(2 * KeptNotes)
{ }

NoteRowsModel::~NoteRowsModel() = default;

NotePtr NoteRowsModel::adopt(AbstractNote *note)
{
    // QML must never collect a note that the model holds.
    QQmlEngine::setObjectOwnership(note, QQmlEngine::CppOwnership);
    adoptedNotes().insert(note);
    return NotePtr(note, deleteNote);
}

bool NoteRowsModel::isAdopted(const AbstractNote *note)
{
    return adoptedNotes().contains(note);
}

NoteRowsModel::Row NoteRowsModel::rowOf(const CollectionIndex::Entry &entry)
{
    Row row;
    row.file = entry.file;
    row.modifyDate = entry.modifyDate;
    row.type = entry.type;
    return row;
}

int NoteRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : notes.size();
}

QVariant NoteRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.parent().isValid() || index.column() != 0 || index.row() < 0
        || index.row() >= notes.size())
        return QVariant();
    switch (role) {
    case NoteRole:
        return QVariant::fromValue(noteAt(index.row()));
    case ModifyDateRole:
        return modifyDateAt(index.row());
    case FileNameRole:
        return fileAt(index.row());
    default:
        return QVariant();
    }
}

QHash<int, QByteArray> NoteRowsModel::roleNames() const
{
    return { { NoteRole, QByteArrayLiteral("note") },
             { ModifyDateRole, QByteArrayLiteral("modifyDate") },
             { FileNameRole, QByteArrayLiteral("fileName") } };
}

AbstractNote *NoteRowsModel::noteAt(int row) const
{
    Row &entry = notes[row];
    entry.askedAt = ++askClock;
    if (!entry.note) {
        AbstractNote *note = AbstractNote::createNote(AbstractNote::NoteType(entry.type));
        entry.note = adopt(note);
        const_cast<NoteRowsModel *>(this)->noteMade(entry.note);
        note->setFile(entry.file);
        note->setModifyDate(entry.modifyDate);
        // Scrolling through a large collection makes a note for every card;
        // kept, each would be marked by every run of QML's collector.
        // A note made in a row the pass under way has gone by counts too.
        if (letGoQueued && row < letGoRow)
            ++heldInPass;
        if (++notesHeld > nextLetGo && !letGoQueued) {
            letGoQueued = true;
            QMetaObject::invokeMethod(const_cast<NoteRowsModel *>(this), &NoteRowsModel::letGoOfIdleNotes,
                                      Qt::QueuedConnection);
        }
    }
    return entry.note.data();
}

void NoteRowsModel::letGoOfIdleNotes()
{
    // Rows added or taken out between two parts of a pass may be looked at
    // twice or not at all: the count is a guide for when to pass again.
    const int end = qMin(int(notes.size()), letGoRow + RowsAtOnce);
    for (int row = letGoRow; row < end; ++row) {
        Row &entry = notes[row];
        if (entry.note && (askClock - entry.askedAt < quint32(KeptNotes) || entry.note->inUse() || !letGo(entry)))
            ++heldInPass;
    }
    letGoRow = end;
    if (letGoRow < notes.size()) {
        // The next part in a later round of the event loop.
        QMetaObject::invokeMethod(this, &NoteRowsModel::letGoOfIdleNotes, Qt::QueuedConnection);
        return;
    }
    notesHeld = heldInPass;
    // Notes still in use (a large screen full of cards) do not make every
    // new note start another pass over all rows.
    nextLetGo = qMax(2 * KeptNotes, heldInPass + KeptNotes);
    letGoRow = 0;
    heldInPass = 0;
    letGoQueued = false;
}

bool NoteRowsModel::letGo(Row &entry)
{
    entry.file = entry.note->file();
    entry.modifyDate = entry.note->modifyDate();
    const NoteWeakPtr weak = entry.note;
    entry.note.reset();
    // Somebody else still holds it: the row keeps the same object, so that
    // one file never has two notes.
    if (const NotePtr held = weak.toStrongRef()) {
        entry.note = held;
        return false;
    }
    return true;
}

QString NoteRowsModel::fileAt(int row) const
{
    const Row &entry = notes.at(row);
    return entry.note ? entry.note->file() : entry.file;
}

QDateTime NoteRowsModel::modifyDateAt(int row) const
{
    const Row &entry = notes.at(row);
    return entry.note ? entry.note->modifyDate() : entry.modifyDate;
}

int NoteRowsModel::typeAt(int row) const
{
    const Row &entry = notes.at(row);
    return entry.note ? int(entry.note->type()) : entry.type;
}

int NoteRowsModel::indexOfFile(const QString &file) const
{
    if (lastFoundRow >= 0 && lastFoundRow < notes.size() && fileAt(lastFoundRow) == file)
        return lastFoundRow;
    for (int row = 0; row < notes.size(); ++row) {
        if (fileAt(row) == file) {
            lastFoundRow = row;
            return row;
        }
    }
    return -1;
}

void NoteRowsModel::appendRows(const QVector<Row> &rows)
{
    if (rows.isEmpty())
        return;
    beginInsertRows(QModelIndex(), notes.size(), notes.size() + rows.size() - 1);
    notes += rows;
    endInsertRows();
}

NoteRowsModel::ListingChanges NoteRowsModel::compareWith(const QVector<CollectionIndex::Entry> &listed) const
{
    // Rows and listing share their order up to the first note added or
    // removed since the rows were read; only the rest needs a lookup.
    int common = 0;
    while (common < notes.size() && common < listed.size() && fileAt(common) == listed.at(common).file)
        ++common;
    QHash<QString, int> listedAt;
    listedAt.reserve(listed.size() - common);
    for (int i = common; i < listed.size(); ++i)
        listedAt.insert(listed.at(i).file, i);

    ListingChanges changes;
    QVector<bool> inRows(listed.size() - common, false);
    for (int row = notes.size() - 1; row >= 0; --row) {
        int at = row;
        if (row >= common) {
            const auto found = listedAt.constFind(fileAt(row));
            if (found == listedAt.cend()) {
                changes.unlisted.append(row);
                continue;
            }
            at = *found;
            inRows[at - common] = true;
        }
        if (listed.at(at).modifyDate != modifyDateAt(row))
            changes.redated.append(listed.at(at));
    }
    for (int i = common; i < listed.size(); ++i) {
        if (!inRows.at(i - common))
            changes.added.append(rowOf(listed.at(i)));
    }
    return changes;
}

NotePtr NoteRowsModel::takeRow(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    const NotePtr note = notes.takeAt(row).note;
    endRemoveRows();
    return note;
}

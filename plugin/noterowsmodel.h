#pragma once

#include "collectionindex.h"
#include "noteptr.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QString>
#include <QVector>

class AbstractNote;

// The rows of the collection, one note each. The note object is made the
// first time somebody asks for it; until then the row answers from what
// "notes.conf" listed, so a large collection costs little to show.
class NoteRowsModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Roles { NoteRole = Qt::UserRole + 1, ModifyDateRole, FileNameRole };

    explicit NoteRowsModel(QObject *parent = nullptr);
    ~NoteRowsModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // What a row says without making its note, and no variant around it.
    QString fileAt(int row) const;
    QDateTime modifyDateAt(int row) const;
    int typeAt(int row) const;
    // The row's note if it is made; null otherwise, and none is made.
    AbstractNote *madeNoteAt(int row) const { return notes.at(row).note.data(); }
    int indexOfFile(const QString &file) const;

protected:
    struct Row
    {
        NotePtr note;
        QString file;
        QDateTime modifyDate;
        int type = 0;
        // When the note was last asked for, on the made-notes clock.
        quint32 askedAt = 0;
    };

    // The one handle of a note; a note wrapped in a second shared pointer
    // would be deleted twice, so it may be adopted only once.
    static NotePtr adopt(AbstractNote *note);
    static bool isAdopted(const AbstractNote *note);
    static Row rowOf(const CollectionIndex::Entry &entry);

    // Every note made for a row is told here, before anybody else sees it.
    virtual void noteMade(const NotePtr &note) = 0;

    AbstractNote *noteAt(int row) const;
    void appendRows(const QVector<Row> &rows);

    // How a listing of "notes.conf" differs from the rows: the rows no longer
    // listed (last first, so that they can be taken out in turn), the notes
    // whose listed date is not the row's, and rows for the notes listed anew.
    struct ListingChanges
    {
        QVector<int> unlisted;
        QVector<CollectionIndex::Entry> redated;
        QVector<Row> added;
    };
    ListingChanges compareWith(const QVector<CollectionIndex::Entry> &listed) const;
    // Takes the row out with the proper signals; returns its note, if made.
    NotePtr takeRow(int row);

    mutable QVector<Row> notes;

private:
    // Lets go of the made notes that nothing but the row holds and nobody has
    // asked for lately; their rows answer from the file again. A pass goes
    // over a part of the rows at a time.
    void letGoOfIdleNotes();
    static bool letGo(Row &entry);

    mutable int lastFoundRow = -1;
    mutable quint32 askClock = 0;
    mutable int notesHeld = 0;
    mutable int nextLetGo = 0;
    mutable bool letGoQueued = false;
    // Where the pass under way goes on, and the notes it kept so far.
    int letGoRow = 0;
    mutable int heldInPass = 0;
};

#pragma once

#include "notefilereadahead.h"

#include <QPointer>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QString>

class NoteRowsModel;

// Orders the notes newest first and narrows them to the notes whose files a
// grep over the notes directory names.
class NotesProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit NotesProxyModel(QObject *parent = nullptr);

    // The text bash runs for a search of filter in directory: both reach the
    // shell as quoted data only.
    static QString searchCommand(const QString &directory, const QString &filter);

    // A card asking for its note has the files of the cards around it read
    // ahead, so that the next ones a scroll brings in either way are ready.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

public slots:
    void setSourceModel(QAbstractItemModel *sourceModel) override;
    void setFilter(const QString &filter);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    void readAheadAround(int row) const;
    void setPattern(const QString &pattern);
    void setFileNames(const QStringList &names);

    // The names behind the pattern last set by setFilter, for a lookup
    // that stays fast when a search hits thousands of notes.
    QSet<QString> foundNames;
    QString foundPattern;
    // The source when it is the collection, whose names are read directly;
    // null once it is gone.
    QPointer<const NoteRowsModel> noteRows;
    // The rows whose files were last handed to the read-ahead.
    mutable int readAheadFrom = 0;
    mutable int readAheadTo = 0;
    mutable NoteFileReadAhead readAhead;
};

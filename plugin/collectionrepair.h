#pragma once

#include "collectionindex.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSettings;

// Finishes what a process killed in the middle of an add or a delete left
// behind, so that a crash at any moment leaves the collection old or new:
// - an add marks the name, writes the note file, lists it in "notes.conf"
//   and drops the mark: a marked note file without a group is listed (kind
//   guessed from its keys, date from the file), since its save was complete;
// - a delete first hides the note file under a marker name, then removes the
//   group, then the files: a hidden file whose group is still there comes
//   back, one whose group is gone is removed with the note's side files.
// Note files without a group and without a mark stay out of the collection.
class CollectionRepair
{
public:
    // The hidden name a note file carries while it is being deleted.
    static QString deletingName(const QString &file);
    // Hides the note file; false, with the reason in *error, when it is
    // there but could not be moved.
    static bool hide(const QString &directory, const QString &file, QString *error);
    // Puts a hidden note file back under its name.
    static void unhide(const QString &directory, const QString &file);
    // Hides every one of the files, or none of them.
    static bool hideAll(const QString &directory, const QStringList &files, QString *error);

    // Marks the name of a note being added; false, with the reason in
    // *error, when the mark cannot be made.
    static bool beginAdd(const QString &directory, const QString &file, QString *error);
    static void endAdd(const QString &directory, const QString &file);

    // Repairs what marks in the directory tell of, under the lock of
    // "notes.conf", and removes stale copies of writes. True when
    // "notes.conf" was changed.
    static bool repair(const QString &directory);

    // The collection as a start finds it, repaired first. A FIFO or device in
    // place of "notes.conf" gives way to an empty file, and an empty
    // collection has its counter written. *stamp is that of the file read.
    static CollectionIndex::Listing open(const QString &directory, const QString &confPath, QByteArray *stamp);

private:
    // A plain file holding the keys that every save writes.
    static bool isCompleteNoteFile(const QString &path);
    static bool repairLocked(const QString &directory);
    static void listNote(QSettings &conf, const QString &directory, const QString &file);
};

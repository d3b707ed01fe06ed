#pragma once

#include "noteptr.h"
#include "noterowsmodel.h"
#include "notesconflock.h"
#include "notetrash.h"
#include "removednotes.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class AbstractNote;
class CollectionReminders;
class QSettings;
class SaveListing;

// All notes of the collection listed in "notes.conf", one row per note.
class NotesModel : public NoteRowsModel
{
    Q_OBJECT
    // One line saying which add or delete failed last, and why.
    Q_PROPERTY(QString lastError READ lastError NOTIFY errorOccurred)

public:
    explicit NotesModel(QObject *parent = nullptr);
    ~NotesModel() override;

    Q_INVOKABLE QString getNotePath(const QString &note) const;
    Q_INVOKABLE QVariant getNoteData(const QString &note) const;
    // True when something other than a plain file (a FIFO, a device, a
    // directory) lies where the note's file would be: it must not be read.
    Q_INVOKABLE bool isSpecialFile(const QString &note) const;

    QString lastError() const { return m_lastError; }

    // Whether a reminder that fired for the note may be announced now; a line
    // that fired for nothing (note gone, reminder off or moved, a one-time
    // reminder of another year) is put right instead.
    Q_INVOKABLE bool reminderDue(const QString &fileName);
    // Reminders that fell due while nothing could announce them, each
    // reported once, with missedRemindersFound: a list of {"file",
    // "dueDate"}. Found on a worker thread that glances at the note files,
    // so that a large collection does not stall the window.
    Q_INVOKABLE void findMissedReminders();
    // The program has just announced the note's reminder.
    Q_INVOKABLE void reminderAnnounced(const QString &file);

    // A name that may be given to removeItems: a plain note file name that
    // matches no other file as a pattern and leaves the notes directory.
    static bool isNoteFileName(const QString &file);

    // Brings back the notes of the most recent removeItems() that nobody has
    // taken the names of since; returns how many came back.
    Q_INVOKABLE int restoreRemovedItems();
    // Makes a note that another program removed while it was open here a
    // note of the collection again, under a new name; returns that name, or
    // the empty text when the note is not one this model removed.
    Q_INVOKABLE QString keepRemovedNote(AbstractNote *note);

signals:
    // After removeItems(): the names it removed, which can be brought back.
    void itemsRemoved(const QStringList &files);
    void errorOccurred(const QString &message);
    void missedRemindersFound(const QVariantList &missed);

public slots:
    // Both return false, change nothing on the disk and emit errorOccurred
    // when "notes.conf" or the note file could not be written.
    bool addItem(AbstractNote *note);
    bool removeItems(const QStringList &files);

private:
    void setLastModified(QSettings &conf, const QString &file, const QDateTime &date);
    void noteMade(const NotePtr &note) override { connectNote(note); }
    void connectNote(const NotePtr &note);
    QString allocateFileName(QSettings &conf);
    void onNoteSaved(const QString &file);
    bool unlistNotes(const QStringList &names, QStringList *reminders, QString *error);
    static QString busyMessage();
    void onNoteChanged(const QString &file, const QDateTime &modifyDate);
    void followCollection();
    void dropRow(int row);
    void reloadNote(const QString &file, const QDateTime &modifyDate);
    void holdRemovedNote(const NotePtr &note);
    void reportError(const QString &message);

    RemovedNotes removedNotes;
    QString nextFilename;
    QByteArray confStamp;
    QString lastModifiedFile;
    QDateTime lastModificationDate;
    SaveListing *saveListing = nullptr;
    CollectionReminders *reminders = nullptr;
    NoteTrash trash;
    QString m_lastError;
};

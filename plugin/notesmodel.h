#pragma once

#include "collectionindex.h"
#include "missedreminders.h"
#include "noteptr.h"
#include "notetrash.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>

class AbstractNote;
class CronReconciler;
class QSettings;

// All notes of the collection listed in "notes.conf", one row per note.
class NotesModel : public QAbstractListModel
{
    Q_OBJECT
    // One line saying which add or delete failed last, and why.
    Q_PROPERTY(QString lastError READ lastError NOTIFY errorOccurred)

public:
    enum Roles { NoteRole = Qt::UserRole + 1, ModifyDateRole, FileNameRole };

    explicit NotesModel(QObject *parent = nullptr);
    ~NotesModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

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
    // reported once: a list of {"file", "dueDate"}.
    Q_INVOKABLE QVariantList takeMissedReminders();
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

public slots:
    // Both return false, change nothing on the disk and emit errorOccurred
    // when "notes.conf" or the note file could not be written.
    bool addItem(AbstractNote *note);
    bool removeItems(const QStringList &files);

private slots:
    void checkCronNote(NotePtr noteDataItem);
    void checkCronNotes();

private:
    // One note of the collection. The note object is made the first time
    // somebody asks for it; until then the row answers from what
    // "notes.conf" listed, so a large collection costs little to show.
    struct Row
    {
        NotePtr note;
        QString file;
        QDateTime modifyDate;
        int type = 0;
    };

    AbstractNote *noteAt(int row) const;
    QString fileAt(int row) const;
    QDateTime modifyDateAt(int row) const;
    int indexOfFile(const QString &file) const;
    void setLastModified(QSettings &conf, const QString &file, const QDateTime &date);
    void connectNote(const NotePtr &note);
    QString allocateFileName(QSettings &conf);
    void onNoteSaved(const QString &file);
    void listSavedNotes();
    bool unlistNotes(const QStringList &names, QStringList *reminders, QString *error);
    bool isHeld(const QString &file) const;
    static QString busyMessage();
    void onNoteChanged(const QString &file, const QDateTime &modifyDate);
    void followCollection();
    void dropRow(int row);
    void reloadNote(const QString &file, const QDateTime &modifyDate);
    void holdRemovedNote(const NotePtr &note);
    void releaseRemovedNotes();
    MissedReminders::Note reminderOf(int row) const;
    static Row rowOf(const CollectionIndex::Entry &entry);
    bool hasReminder(const QString &file, const AbstractNote *note) const;
    void reportError(const QString &message);

    mutable QVector<Row> notes;
    QList<NotePtr> removedNotes;
    QString nextFilename;
    QByteArray confStamp;
    QString lastModifiedFile;
    QDateTime lastModificationDate;
    QTimer cronCheckTimer;
    QList<NotePtr> pendingCronNotes;
    CronReconciler *cronReconciler = nullptr;
    QTimer *releaseTimer = nullptr;
    // Saved notes whose new date "notes.conf" does not list yet.
    QStringList pendingListings;
    QTimer *listingRetryTimer = nullptr;
    NoteTrash trash;
    mutable int lastFoundRow = -1;
    QString m_lastError;
};

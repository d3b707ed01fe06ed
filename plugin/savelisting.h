#pragma once

#include "notesconflock.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

class NoteRowsModel;
class QSettings;
class QTimer;
class SafeIniFile;

// Records the saves of the collection's notes in "notes.conf", which is
// what tells other processes. The note files are written already; while
// another process holds the lock, the listing waits and is tried again
// shortly.
class SaveListing : public QObject
{
    Q_OBJECT

public:
    explicit SaveListing(NoteRowsModel *rows);

    // Queues the save of the note and lists what is queued.
    void add(const QString &file);
    void listPending(int waitMsec = NotesConfLock::DefaultWait);
    // A save of the note that "notes.conf" does not show yet.
    bool isPending(const QString &file) const { return m_pending.contains(file); }

signals:
    // The latest save that "notes.conf" now names as the last change.
    void lastModifiedListed(const QString &file, const QDateTime &date);
    void failed(const QString &message);
    // Removed by another program while its save waited: that removal took
    // the new file with the note's others.
    void vanished(const QString &file);

private:
    bool listInPlace(QString *error);
    void listWithSettings(SafeIniFile &confFile, QStringList *vanished);
    static bool isListed(QSettings &conf, const QString &file);

    NoteRowsModel *m_rows;
    QStringList m_pending;
    QTimer *m_retryTimer = nullptr;
};

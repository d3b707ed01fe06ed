#pragma once

#include "collectionindex.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QString>

class QTimer;

// Tells this process that some process recorded a note change in
// "notes.conf". One instance per process, shared by every notes model and
// handed to QML as a singleton.
class NoteWatcher : public QFileSystemWatcher
{
    Q_OBJECT
    Q_PROPERTY(bool watching READ watching WRITE setWatching)

public:
    explicit NoteWatcher(QObject *parent = nullptr);

    // The process-wide watcher, created without parent on first use.
    static NoteWatcher *instance();

    // "notes.conf" in the notes directory, the file every process records its changes in.
    static QString confPath();

    bool watching() const { return m_watching; }
    // The look at "notes.conf" that the noteChanged and collectionChanged
    // being emitted tell of, so that every model follows it without reading
    // the file again; null outside of those two signals.
    const CollectionIndex::Look *currentLook() const { return m_look; }
    void setWatching(bool watching);

signals:
    void noteChanged(const QString &file, const QDateTime &modifyDate);
    // "notes.conf" changed: notes may have been added, saved or removed by
    // any process, more than the one named by noteChanged.
    void collectionChanged();

public slots:
    void start();
    void stopWatchingAndResumeAfter(int msec = 1000);

private:
    void onFileChanged();
    void onDirectoryChanged();
    bool watchConf();

    bool m_watching = true;
    QTimer *resumeTimer = nullptr;
    bool m_started = false;
    // A change that came while paused is reported when the pause ends: it
    // may be another process's, and a dropped one would never be followed.
    bool m_changedWhilePaused = false;
    const CollectionIndex::Look *m_look = nullptr;
};

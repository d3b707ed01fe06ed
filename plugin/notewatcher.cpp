#include "notewatcher.h"

#include "collectionindex.h"
#include "notesdirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

NoteWatcher::NoteWatcher(QObject *parent)
    : QFileSystemWatcher(parent)
{ }

NoteWatcher *NoteWatcher::instance()
{
    // A guarded pointer: should anybody delete the instance after all, the
    // next call makes a new one instead of handing out a dangling pointer.
    static QPointer<NoteWatcher> watcher;
    if (!watcher)
        watcher = new NoteWatcher;
    return watcher;
}

QString NoteWatcher::confPath()
{
    return notesDirectory() + QStringLiteral("/notes.conf");
}

void NoteWatcher::setWatching(bool watching)
{
    m_watching = watching;
}

void NoteWatcher::start()
{
    watchConf();
    // Components that call start() may be created more than once; one
    // connection keeps every change reported once.
    if (m_started)
        return;
    m_started = true;
    connect(this, &QFileSystemWatcher::fileChanged, this, &NoteWatcher::onFileChanged);
    connect(this, &QFileSystemWatcher::directoryChanged, this, &NoteWatcher::onDirectoryChanged);
}

void NoteWatcher::stopWatchingAndResumeAfter(int msec)
{
    m_watching = false;
    if (!resumeTimer) {
        resumeTimer = new QTimer(this);
        resumeTimer->setSingleShot(true);
        connect(resumeTimer, &QTimer::timeout, this, [this] {
            m_watching = true;
            if (m_changedWhilePaused) {
                m_changedWhilePaused = false;
                onFileChanged();
            }
        });
    }
    resumeTimer->start(msec);
}

// Watches "notes.conf" when it exists. Until it does, the notes directory is
// watched instead, so that a collection created after start() is followed.
bool NoteWatcher::watchConf()
{
    const QString conf = confPath();
    if (files().contains(conf))
        return true;
    const QString dir = QFileInfo(conf).absolutePath();
    if (QFileInfo::exists(conf) && addPath(conf)) {
        if (directories().contains(dir))
            removePath(dir);
        return true;
    }
    if (!directories().contains(dir)) {
        QDir().mkpath(dir);
        addPath(dir);
    }
    return false;
}

void NoteWatcher::onFileChanged()
{
    // Saving replaces the file; the watch on the old one is gone then.
    if (files().isEmpty())
        watchConf();
    if (!m_watching) {
        m_changedWhilePaused = true;
        return;
    }

    const CollectionIndex::Look look = CollectionIndex::look(confPath());
    m_look = &look;
    emit noteChanged(look.listing.lastModifiedFile, look.listing.lastModificationDate);
    emit collectionChanged();
    // A slot that spun the event loop may have let a newer look be followed
    // meanwhile; the models not reached yet then read the file themselves
    // rather than go back to this one.
    m_look = nullptr;
}

void NoteWatcher::onDirectoryChanged()
{
    if (watchConf())
        onFileChanged();
}

#include "savelisting.h"

#include "noterowsmodel.h"
#include "notesconfedit.h"
#include "notesconfkeys.h"
#include "notesdirectory.h"
#include "notewatcher.h"
#include "safeinifile.h"

#include <QFileInfo>
#include <QSettings>
#include <QTimer>

namespace {

const int RetryDelay = 250;

} // namespace

SaveListing::SaveListing(NoteRowsModel *rows)
    : QObject(rows)
    , m_rows(rows)
{ }

void SaveListing::add(const QString &file)
{
    m_pending.removeAll(file);
    m_pending.append(file);
    listPending();
}

void SaveListing::listPending(int waitMsec)
{
    if (m_pending.isEmpty())
        return;
    NoteWatcher::instance()->stopWatchingAndResumeAfter();
    const NotesConfLock lock(waitMsec);
    if (!lock.isLocked()) {
        if (!m_retryTimer) {
            m_retryTimer = new QTimer(this);
            m_retryTimer->setSingleShot(true);
            m_retryTimer->setInterval(RetryDelay);
            connect(m_retryTimer, &QTimer::timeout, this, [this] { listPending(); });
        }
        m_retryTimer->start();
        return;
    }
    QStringList vanished;
    QString error;
    if (!listInPlace(&error)) {
        SafeIniFile confFile(NoteWatcher::confPath());
        listWithSettings(confFile, &vanished);
        error = confFile.errorString();
    }
    m_pending.clear();
    // The note itself is saved; only its place in the list is not.
    if (!error.isEmpty())
        emit failed(tr("The list of notes could not be updated: %1").arg(error));
    for (const QString &file : qAsConst(vanished))
        emit this->vanished(file);
}

// The usual save, of notes that "notes.conf" lists already: only their
// lines change. False when the file needs more than that.
bool SaveListing::listInPlace(QString *error)
{
    NotesConfEdit conf(NoteWatcher::confPath());
    const QString top = NotesConfKeys::NotesGroup + QLatin1Char('/');
    QString lastFile;
    QDateTime lastDate;
    for (const QString &file : qAsConst(m_pending)) {
        const int row = m_rows->indexOfFile(file);
        if (row < 0)
            continue;
        lastFile = file;
        lastDate = m_rows->modifyDateAt(row);
        const QString group = top + file + QLatin1Char('/');
        if (!conf.contains(group + NotesConfKeys::NoteType)
            || !conf.setValue(group + NotesConfKeys::ModificationDate, lastDate)
            || !conf.setValue(NotesConfKeys::LastModifiedFile, lastFile)
            || !conf.setValue(NotesConfKeys::LastModificationDate, lastDate))
            return false;
    }
    conf.commit();
    *error = conf.errorString();
    if (!lastFile.isNull())
        emit lastModifiedListed(lastFile, lastDate);
    return true;
}

void SaveListing::listWithSettings(SafeIniFile &confFile, QStringList *vanished)
{
    QSettings *conf = confFile.settings();
    if (!conf)
        return;
    QString lastFile;
    QDateTime lastDate;
    for (const QString &file : qAsConst(m_pending)) {
        const int row = m_rows->indexOfFile(file);
        // Removed meanwhile, here or elsewhere: its group stays away.
        if (row < 0)
            continue;
        // Listing it again would leave a group without a file; the page
        // offers to keep the note instead.
        if (!QFileInfo::exists(notesDirectory() + QLatin1Char('/') + file) && !isListed(*conf, file)) {
            *vanished << file;
            continue;
        }
        lastFile = file;
        lastDate = m_rows->modifyDateAt(row);
        conf->setValue(NotesConfKeys::LastModifiedFile, lastFile);
        conf->setValue(NotesConfKeys::LastModificationDate, lastDate);
        conf->beginGroup(NotesConfKeys::NotesGroup);
        conf->beginGroup(file);
        conf->setValue(NotesConfKeys::ModificationDate, lastDate);
        // A group that another process removed meanwhile comes back whole,
        // not as a note of the default kind.
        if (!conf->contains(NotesConfKeys::NoteType))
            conf->setValue(NotesConfKeys::NoteType, m_rows->typeAt(row));
        conf->endGroup();
        conf->endGroup();
    }
    confFile.commit();
    if (!lastFile.isNull())
        emit lastModifiedListed(lastFile, lastDate);
}

bool SaveListing::isListed(QSettings &conf, const QString &file)
{
    conf.beginGroup(NotesConfKeys::NotesGroup);
    const bool listed = conf.childGroups().contains(file);
    conf.endGroup();
    return listed;
}

#include "notesmodel.h"

#include "abstractnote.h"
#include "collectionindex.h"
#include "collectionrepair.h"
#include "cronreconciler.h"
#include "crontab.h"
#include "notenames.h"
#include "notesconfedit.h"
#include "notesconflock.h"
#include "notesdirectory.h"
#include "notewatcher.h"
#include "reminderhistory.h"
#include "safeinifile.h"
#include "windowactivity.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QQmlEngine>
#include <QSet>
#include <QSettings>
#include <QThread>

namespace {

const int WatcherPause = 1000;
const int CronCheckDelay = 2000;
const int ListingRetryDelay = 250;
const int ClosingListingWait = 3000;

const QString NotesGroup = QStringLiteral("Notes");
const QString NextFilenameKey = QStringLiteral("next-filename");
const QString LastModifiedFileKey = QStringLiteral("last-modified-file");
const QString LastModificationDateKey = QStringLiteral("last-modification-date");
const QString ModificationDateKey = QStringLiteral("modification-date");
const QString NoteTypeKey = QStringLiteral("note-type");
const QString NoteSuffix = QStringLiteral(".note");

} // namespace

NotesModel::NotesModel(QObject *parent)
    : NoteRowsModel(parent)
{
    NoteWatcher *watcher = NoteWatcher::instance();
    watcher->stopWatchingAndResumeAfter(WatcherPause);

    const QString confPath = NoteWatcher::confPath();
    // A process killed in the middle of a write, an add or a delete may have
    // left work behind.
    CollectionRepair::repair(notesDirectory());
    const bool confExisted = QFileInfo::exists(confPath);
    // Reading a FIFO in place of "notes.conf" would block for good: it gives
    // way to an empty collection file.
    if (confExisted && !SafeIniFile::isRegularFile(confPath) && !QFileInfo(confPath).isDir()) {
        const NotesConfLock lock;
        if (lock.isLocked())
            SafeIniFile(confPath).commit();
    }
    // Still no file to read (another program held the lock): an empty
    // collection until a real "notes.conf" appears.
    const bool readable = SafeIniFile::isRegularFile(confPath) || !QFileInfo::exists(confPath);
    confStamp = CollectionIndex::stamp(confPath);
    nextFilename = QStringLiteral("1");
    if (readable) {
        const CollectionIndex::Listing listing = CollectionIndex::readFile(confPath);
        notes.reserve(listing.entries.size());
        for (const CollectionIndex::Entry &entry : listing.entries)
            notes.append(rowOf(entry));
        lastModifiedFile = listing.lastModifiedFile;
        lastModificationDate = listing.lastModificationDate;
        if (!listing.nextFilename.isNull())
            nextFilename = listing.nextFilename;
    }

    if (notes.isEmpty() && (!confExisted || nextFilename != QLatin1String("1"))) {
        const NotesConfLock lock;
        SafeIniFile fresh(confPath);
        // Written back only while nobody has moved the counter meanwhile.
        if (lock.isLocked() && fresh.isOpen()
            && fresh.settings()->value(NextFilenameKey, QStringLiteral("1")).toString() == nextFilename) {
            fresh.settings()->setValue(NextFilenameKey, nextFilename);
            fresh.commit();
        }
    }

    connect(watcher, &NoteWatcher::noteChanged, this, &NotesModel::onNoteChanged);
    connect(watcher, &NoteWatcher::collectionChanged, this, &NotesModel::followCollection);

    cronCheckTimer.setInterval(CronCheckDelay);
    cronCheckTimer.setSingleShot(true);
    connect(&cronCheckTimer, &QTimer::timeout, this, &NotesModel::checkCronNotes);

    // Lines left behind by edits that failed, here or in another process,
    // are put right once the collection has settled, out of the first frame;
    // and again after removals, which another process may have crossed.
    cronReconciler = new CronReconciler([this] { return loadedReminders(); }, this);
    connect(cronReconciler, &CronReconciler::reconciled, this, [this](bool ok) {
        if (ok)
            pendingCronNotes.clear();
    });
    cronCheckTimer.start();
    connect(this, &QAbstractItemModel::rowsRemoved, &cronCheckTimer, qOverload<>(&QTimer::start));
}

NotesModel::~NotesModel()
{
    // A save not listed yet would stay unknown to the other programs, which
    // would write their older copy over it.
    listSavedNotes(ClosingListingWait);
    // The glance reads the files on its own; it must be over before the
    // model and the application go.
    if (missedGlance) {
        missedGlance->requestInterruption();
        missedGlance->wait();
    }
}

QString NotesModel::getNotePath(const QString &note) const
{
    QString name = note;
    if (!name.endsWith(NoteSuffix))
        name += NoteSuffix;
    return notesDirectory() + QDir::separator() + name;
}

bool NotesModel::isSpecialFile(const QString &note) const
{
    const QString path = getNotePath(note);
    return QFileInfo::exists(path) && !SafeIniFile::isRegularFile(path);
}

QVariant NotesModel::getNoteData(const QString &note) const
{
    const int row = indexOfFile(note);
    if (row < 0)
        return QVariant();
    return QVariant::fromValue(noteAt(row));
}

// The loaded notes speak for themselves: their state is what this process shows.
QHash<QString, CronReconciler::Reminder> NotesModel::loadedReminders() const
{
    QHash<QString, CronReconciler::Reminder> loaded;
    for (const Row &row : qAsConst(notes)) {
        if (row.note && row.note->loaded())
            loaded.insert(row.note->file(), { int(row.note->notifyType()), row.note->notifyDate() });
    }
    return loaded;
}

MissedReminders::Note NotesModel::reminderOf(int row) const
{
    const Row &entry = notes.at(row);
    if (entry.note && entry.note->loaded())
        return { entry.file, entry.note->notifyType(), entry.note->notifyDate(), entry.modifyDate };
    // Most notes have no reminder; their files are only glanced at.
    const CronReconciler::Reminder reminder = CronReconciler::readReminder(entry.file);
    return { entry.file, reminder.type, reminder.date, entry.modifyDate };
}

void NotesModel::findMissedReminders()
{
    if (missedGlance && missedGlance->isRunning())
        return;
    // Only the names go to the worker, which reads the files of the notes
    // not loaded here and hands back the few with a reminder.
    QStringList files;
    files.reserve(notes.size());
    for (int row = 0; row < notes.size(); ++row)
        files << fileAt(row);
    missedGlance = QThread::create([this, files = std::move(files), loaded = loadedReminders()] {
        CronReconciler::yieldToWindow();
        QVector<MissedReminders::Note> found;
        QVector<int> rows;
        for (int row = 0; row < files.size(); ++row) {
            if (QThread::currentThread()->isInterruptionRequested())
                return;
            if (row % WindowActivity::FilesBetweenPauses == 0)
                WindowActivity::pauseWhileDrawing();
            const CronReconciler::Reminder reminder = CronReconciler::reminderOf(files.at(row), loaded);
            if (reminder.type == AbstractNote::RepeatNever)
                continue;
            found << MissedReminders::Note { files.at(row), reminder.type, reminder.date, QDateTime() };
            rows << row;
        }
        // The start of the history is put on record here, off the window's
        // thread, the first time: a write of it waits for the disk.
        ReminderHistory::since();
        // The rows and the history of announcements are the main thread's.
        // Dropped unread when the model goes first.
        QMetaObject::invokeMethod(
            this,
            [this, found, rows]() mutable {
                QVector<MissedReminders::Note> listed;
                for (int i = 0; i < found.size(); ++i) {
                    const int hint = rows.at(i);
                    const int row = hint < notes.size() && fileAt(hint) == found.at(i).file
                        ? hint
                        : indexOfFile(found.at(i).file);
                    if (row < 0)
                        continue;
                    found[i].modifyDate = modifyDateAt(row);
                    listed << found.at(i);
                }
                emit missedRemindersFound(takeMissed(listed));
            },
            Qt::QueuedConnection);
    });
    connect(missedGlance, &QThread::finished, missedGlance, &QObject::deleteLater);
    WindowActivity::follow();
    missedGlance->start();
}

QVariantList NotesModel::takeMissed(const QVector<MissedReminders::Note> &candidates)
{
    QVariantList result;
    const QList<MissedReminders::Missed> missed = MissedReminders::take(
        candidates, [this](const QString &file) { return indexOfFile(file) >= 0; }, QDateTime::currentDateTime());
    for (const MissedReminders::Missed &entry : missed)
        result << QVariantMap { { QStringLiteral("file"), entry.file }, { QStringLiteral("dueDate"), entry.dueDate } };
    return result;
}

void NotesModel::reminderAnnounced(const QString &file)
{
    const int row = indexOfFile(file);
    if (row >= 0)
        MissedReminders::announced(reminderOf(row), QDateTime::currentDateTime());
}

bool NotesModel::isNoteFileName(const QString &file)
{
    return file.size() > NoteSuffix.size() && file.endsWith(NoteSuffix) && isPlainNoteFileName(file);
}

bool NotesModel::addItem(AbstractNote *note)
{
    // A note already adopted by a model belongs to that model's handles; one
    // with a parent belongs to that parent.
    if (!note || isAdopted(note) || note->parent())
        return false;

    NoteWatcher::instance()->stopWatchingAndResumeAfter(WatcherPause);
    QString file;
    {
        // From choosing the name until "notes.conf" lists the note, no other
        // process may choose or list names. A marker tells the next start
        // that a note file without a group was being added (CollectionRepair).
        const NotesConfLock lock;
        SafeIniFile confFile(NoteWatcher::confPath());
        QSettings *conf = confFile.settings();
        QString error = lock.isLocked() ? confFile.errorString() : busyMessage();
        bool ok = lock.isLocked() && conf != nullptr;
        const QString counter = nextFilename;
        if (ok) {
            file = allocateFileName(*conf);
            ok = CollectionRepair::beginAdd(notesDirectory(), file, &error);
        }
        if (ok) {
            note->setFile(file);
            note->setCreationDate(QDateTime::currentDateTime());
            note->setLoaded(true);
            // Written before it is connected: this first save needs no save
            // reaction, and its reminder's line waits until the lock is free.
            ok = note->writeFile();
            error = note->saveError();
        }
        if (ok) {
            conf->beginGroup(NotesGroup);
            conf->beginGroup(file);
            conf->setValue(ModificationDateKey, note->modifyDate());
            conf->setValue(NoteTypeKey, int(note->type()));
            conf->endGroup();
            conf->endGroup();
            conf->setValue(NextFilenameKey, nextFilename);
            setLastModified(*conf, file, note->modifyDate());
            ok = confFile.commit();
            if (!ok) {
                error = confFile.errorString();
                QFile::remove(note->fullPath());
            }
        }
        if (!file.isEmpty())
            CollectionRepair::endAdd(notesDirectory(), file);
        if (!ok) {
            // The note stays new, so that the page can try again.
            nextFilename = counter;
            note->setFile(QString());
            note->setLoaded(false);
            note->setSaveError(error);
            reportError(tr("The note could not be added: %1").arg(error));
            return false;
        }
    }

    // Told like any save, before the model listens: this one is listed.
    emit note->saved(file, note->modifyDate());
    const NotePtr handle = adopt(note);
    connectNote(handle);
    appendRows({ Row { handle, file, note->modifyDate(), int(note->type()) } });

    // Exactly one line, none written when it is there already (a user's
    // copy of it does not count).
    if (note->notifyType() != AbstractNote::RepeatNever)
        addCronLine(handle);
    return true;
}

QString NotesModel::allocateFileName(QSettings &conf)
{
    return NoteNames::allocate(conf, &nextFilename, [this](const QString &file) {
        return indexOfFile(file) >= 0 || removedNotes.holds(file);
    });
}

bool NotesModel::removeItems(const QStringList &files)
{
    QStringList names;
    for (const QString &file : files) {
        // The name becomes a file pattern: anything but a plain note file name
        // could delete other notes.
        if (isNoteFileName(file))
            names << file;
    }
    if (names.isEmpty())
        return true;

    NoteWatcher::instance()->stopWatchingAndResumeAfter(WatcherPause);
    QStringList reminders;
    QString error;
    if (!unlistNotes(names, &reminders, &error)) {
        reportError(names.size() == 1 ? tr("The note could not be deleted: %1").arg(error)
                                      : tr("The notes could not be deleted: %1").arg(error));
        return false;
    }
    for (const QString &name : qAsConst(names)) {
        const int row = indexOfFile(name);
        if (row < 0)
            continue;
        if (const NotePtr note = takeRow(row))
            holdRemovedNote(note);
    }
    // Out of the lock: crontab is a child process that may take seconds.
    for (const QString &name : qAsConst(reminders))
        removeCronLine(name);

    // The counter is not restarted when the collection becomes empty: a
    // removed note may still be held (by this model for a moment, by a page
    // or another process), and a new note under its name would be written
    // over by it.
    emit itemsRemoved(names);
    return true;
}

bool NotesModel::unlistNotes(const QStringList &names, QStringList *reminders, QString *error)
{
    const NotesConfLock lock;
    if (!lock.isLocked()) {
        *error = busyMessage();
        return false;
    }
    // A removal that does not happen must not cost the Undo of the last one.
    NoteTrash removal;
    removal.remember(NoteWatcher::confPath(), names);
    const QString directory = notesDirectory();
    // Read before the files are hidden: the file of a note never loaded is
    // the only record of its reminder.
    for (const QString &name : names) {
        const int row = indexOfFile(name);
        if (hasReminder(name, row >= 0 ? notes.at(row).note.data() : nullptr))
            *reminders << name;
    }

    // First the note files are hidden, then "notes.conf" loses the groups,
    // then the files go: a crash at any point leaves the whole note or none
    // of it (CollectionRepair finishes the work at the next start).
    SafeIniFile confFile(NoteWatcher::confPath());
    QSettings *conf = confFile.settings();
    *error = confFile.errorString();
    if (!conf || !CollectionRepair::hideAll(directory, names, error))
        return false;
    conf->beginGroup(NotesGroup);
    for (const QString &name : names)
        conf->remove(name);
    conf->endGroup();
    setLastModified(*conf, names.last(), QDateTime::currentDateTime());
    if (!confFile.commit()) {
        *error = confFile.errorString();
        for (const QString &name : names)
            CollectionRepair::unhide(directory, name);
        return false;
    }
    trash = removal;
    trash.moveAwayHidden(directory, names);
    return true;
}

int NotesModel::restoreRemovedItems()
{
    NoteWatcher::instance()->stopWatchingAndResumeAfter(WatcherPause);
    QVector<NoteTrash::RestoredNote> restored;
    {
        const NotesConfLock lock;
        SafeIniFile confFile(NoteWatcher::confPath());
        if (!lock.isLocked() || !confFile.isOpen()) {
            const QString error = lock.isLocked() ? confFile.errorString() : busyMessage();
            reportError(tr("The notes could not be brought back: %1").arg(error));
            return 0;
        }
        QSettings &conf = *confFile.settings();
        // A name given to another note meanwhile is not taken back.
        restored = trash.restore(
            conf, [this](const QString &file) { return indexOfFile(file) >= 0; },
            [&] {
                const QString file = allocateFileName(conf);
                conf.setValue(NextFilenameKey, nextFilename);
                return file;
            });
        // Other processes see the notes come back as an addition.
        if (!restored.isEmpty())
            setLastModified(conf, restored.last().file, restored.last().modifyDate);
        if (!confFile.commit()) {
            reportError(tr("The notes could not be brought back: %1").arg(confFile.errorString()));
            return 0;
        }
    }
    // Out of the lock: whatever the new rows set off must not hold it.
    QVector<Row> rows;
    for (const NoteTrash::RestoredNote &note : qAsConst(restored))
        rows.append(Row { NotePtr(), note.file, note.modifyDate, note.type });
    appendRows(rows);
    NoteTrash::restoreReminders(restored);
    return restored.size();
}

// A note that was never loaded here does not know its reminder; its file
// does. Without this the line of a deleted note would stay in the crontab.
bool NotesModel::hasReminder(const QString &file, const AbstractNote *note) const
{
    if (note && note->notifyType() != AbstractNote::RepeatNever)
        return true;
    const QString path = notesDirectory() + QLatin1Char('/') + file;
    return SafeIniFile::isRegularFile(path)
        && QSettings(path, QSettings::IniFormat).value(QStringLiteral("notify-type"), 0).toInt() != 0;
}

QString NotesModel::busyMessage()
{
    return tr("Another program is changing the notes. Please try again.");
}

void NotesModel::reportError(const QString &message)
{
    m_lastError = message;
    emit errorOccurred(message);
}

void NotesModel::holdRemovedNote(const NotePtr &note)
{
    // A note that is gone must not get its line back from a pending check,
    // nor report saves or loads to this model any more.
    pendingCronNotes.removeAll(note);
    disconnect(note.data(), nullptr, this, nullptr);
    removedNotes.hold(note);
}

void NotesModel::checkCronNote(NotePtr noteDataItem)
{
    if (!noteDataItem)
        return;
    if (!pendingCronNotes.contains(noteDataItem))
        pendingCronNotes.append(noteDataItem);
    cronCheckTimer.start();
}

void NotesModel::checkCronNotes()
{
    // One run gives every note of the collection its true line, the queued
    // ones among them; after a failed run they wait for the next check.
    cronReconciler->reconcileInBackground();
}

bool NotesModel::reminderDue(const QString &fileName)
{
    QString file = fileName;
    if (!file.endsWith(NoteSuffix))
        file += NoteSuffix;
    return CronReconciler::reminderDue(file, QDateTime::currentDateTime());
}

void NotesModel::setLastModified(QSettings &conf, const QString &file, const QDateTime &date)
{
    lastModifiedFile = file;
    lastModificationDate = date;
    conf.setValue(LastModifiedFileKey, file);
    conf.setValue(LastModificationDateKey, date);
}

void NotesModel::connectNote(const NotePtr &note)
{
    connect(note.data(), &AbstractNote::saved, this, &NotesModel::onNoteSaved);
    // A weak reference: the connection must not keep a removed note alive.
    const NoteWeakPtr weak = note;
    connect(note.data(), &AbstractNote::loadedChanged, this, [this, weak] {
        const NotePtr strong = weak.toStrongRef();
        if (strong && strong->loaded() && strong->notifyType() != AbstractNote::RepeatNever)
            checkCronNote(strong);
    });
}

void NotesModel::onNoteSaved(const QString &file)
{
    // Only a note file name may become a group of "notes.conf".
    if (!isNoteFileName(file))
        return;
    pendingListings.removeAll(file);
    pendingListings.append(file);
    listSavedNotes();
    const int row = indexOfFile(file);
    if (row >= 0)
        emit dataChanged(index(row), index(row));
}

// Records the saves in "notes.conf", which is what tells other processes.
// The note files are written already; while another process holds the
// lock, the listing waits and is tried again shortly.
void NotesModel::listSavedNotes(int waitMsec)
{
    if (pendingListings.isEmpty())
        return;
    NoteWatcher::instance()->stopWatchingAndResumeAfter(WatcherPause);
    const NotesConfLock lock(waitMsec);
    if (!lock.isLocked()) {
        if (!listingRetryTimer) {
            listingRetryTimer = new QTimer(this);
            listingRetryTimer->setSingleShot(true);
            listingRetryTimer->setInterval(ListingRetryDelay);
            connect(listingRetryTimer, &QTimer::timeout, this, [this] { listSavedNotes(); });
        }
        listingRetryTimer->start();
        return;
    }
    QStringList vanished;
    QString error;
    if (!listSavedInPlace(&error)) {
        SafeIniFile confFile(NoteWatcher::confPath());
        listSavedWithSettings(confFile, &vanished);
        error = confFile.errorString();
    }
    pendingListings.clear();
    // The note itself is saved; only its place in the list is not.
    if (!error.isEmpty())
        reportError(tr("The list of notes could not be updated: %1").arg(error));
    for (const QString &file : qAsConst(vanished)) {
        const int row = indexOfFile(file);
        if (row >= 0)
            dropRow(row);
    }
}

// The usual save, of notes that "notes.conf" lists already: only their
// lines change. False when the file needs more than that.
bool NotesModel::listSavedInPlace(QString *error)
{
    NotesConfEdit conf(NoteWatcher::confPath());
    const QString top = NotesGroup + QLatin1Char('/');
    QString lastFile;
    QDateTime lastDate;
    for (const QString &file : qAsConst(pendingListings)) {
        const int row = indexOfFile(file);
        if (row < 0)
            continue;
        lastFile = file;
        lastDate = modifyDateAt(row);
        const QString group = top + file + QLatin1Char('/');
        if (!conf.contains(group + NoteTypeKey) || !conf.setValue(group + ModificationDateKey, lastDate)
            || !conf.setValue(LastModifiedFileKey, lastFile) || !conf.setValue(LastModificationDateKey, lastDate))
            return false;
    }
    if (!lastFile.isNull()) {
        lastModifiedFile = lastFile;
        lastModificationDate = lastDate;
    }
    conf.commit();
    *error = conf.errorString();
    return true;
}

void NotesModel::listSavedWithSettings(SafeIniFile &confFile, QStringList *vanished)
{
    if (QSettings *conf = confFile.settings()) {
        for (const QString &file : qAsConst(pendingListings)) {
            const int row = indexOfFile(file);
            // Removed meanwhile, here or elsewhere: its group stays away.
            if (row < 0)
                continue;
            // Removed by another program while this save waited: that
            // removal took the new file with the note's others. Listing it
            // again would leave a group without a file; the page offers to
            // keep the note instead.
            if (!QFileInfo::exists(notesDirectory() + QLatin1Char('/') + file) && !isListed(*conf, file)) {
                *vanished << file;
                continue;
            }
            const QDateTime modifyDate = modifyDateAt(row);
            setLastModified(*conf, file, modifyDate);
            conf->beginGroup(NotesGroup);
            conf->beginGroup(file);
            conf->setValue(ModificationDateKey, modifyDate);
            // A group that another process removed meanwhile comes back whole,
            // not as a note of the default kind.
            if (!conf->contains(NoteTypeKey))
                conf->setValue(NoteTypeKey, notes.at(row).note ? int(notes.at(row).note->type()) : notes.at(row).type);
            conf->endGroup();
            conf->endGroup();
        }
        confFile.commit();
    }
}

bool NotesModel::isListed(QSettings &conf, const QString &file)
{
    conf.beginGroup(NotesGroup);
    const bool listed = conf.childGroups().contains(file);
    conf.endGroup();
    return listed;
}

// Whatever any process did to the collection since the last look: rows for
// notes listed anew, no rows for notes no longer listed, and a reload of
// every note whose date moved. A report names only the latest change, and
// a "notes.conf" replaced by a file-sync tool names none; only the listing
// itself tells everything.
void NotesModel::followCollection()
{
    const QString confPath = NoteWatcher::confPath();
    const QByteArray stamp = CollectionIndex::stamp(confPath, confStamp);
    const bool unchanged = CollectionIndex::sameContent(stamp, confStamp);
    confStamp = stamp;
    if (unchanged)
        return;
    const CollectionIndex::Listing listing = CollectionIndex::readFile(confPath);
    // An empty listing beside a file that is still there is a file being
    // written by another program, not a collection emptied.
    if (listing.entries.isEmpty() && !notes.isEmpty() && !listing.complete)
        return;
    if (NoteNames::counterValue(listing.nextFilename) > NoteNames::counterValue(nextFilename))
        nextFilename = listing.nextFilename;

    const ListingChanges changes = compareWith(listing.entries);
    for (const int row : changes.unlisted)
        dropRow(row);
    for (const CollectionIndex::Entry &entry : changes.redated) {
        // A save of ours not listed yet is newer than what the listing says.
        if (!pendingListings.contains(entry.file))
            reloadNote(entry.file, entry.modifyDate);
    }
    appendRows(changes.added);
}

void NotesModel::dropRow(int row)
{
    if (const NotePtr note = takeRow(row)) {
        note->setRemovedElsewhere(true);
        holdRemovedNote(note);
    }
}

QString NotesModel::keepRemovedNote(AbstractNote *note)
{
    if (!note || !note->removedElsewhere())
        return QString();
    const NotePtr handle = removedNotes.take(note);
    if (!handle)
        return QString();
    NoteWatcher::instance()->stopWatchingAndResumeAfter(WatcherPause);
    QString file;
    {
        const NotesConfLock lock;
        SafeIniFile conf(NoteWatcher::confPath());
        if (!lock.isLocked() || !conf.isOpen()) {
            reportError(tr("The note could not be kept: %1").arg(lock.isLocked() ? conf.errorString() : busyMessage()));
            removedNotes.hold(handle);
            return QString();
        }
        file = allocateFileName(*conf.settings());
        conf.settings()->setValue(NextFilenameKey, nextFilename);
        if (!conf.commit()) {
            reportError(tr("The note could not be kept: %1").arg(conf.errorString()));
            removedNotes.hold(handle);
            return QString();
        }
    }
    note->setFile(file);
    note->setRemovedElsewhere(false);
    connectNote(handle);
    appendRows({ Row { handle, file, note->modifyDate(), int(note->type()) } });
    // The save reaction lists it in "notes.conf" under its new name.
    note->save();
    return file;
}

void NotesModel::reloadNote(const QString &file, const QDateTime &modifyDate)
{
    const int row = indexOfFile(file);
    if (row < 0)
        return;
    // A note not made yet reads its file when it is first loaded.
    const NotePtr note = notes.at(row).note;
    if (note && note->editing()) {
        // Loading now would throw away what the user is typing; the page
        // offers the other version instead.
        note->setModifyDate(modifyDate);
        note->setChangedElsewhere(true);
    } else if (note) {
        note->load();
        note->setModifyDate(modifyDate);
    } else {
        notes[row].modifyDate = modifyDate;
    }
    // Whatever ran on the note's signals may have moved the rows meanwhile.
    const int current = indexOfFile(file);
    if (current >= 0)
        emit dataChanged(index(current), index(current));
}

void NotesModel::onNoteChanged(const QString &file, const QDateTime &modifyDate)
{
    if (file == lastModifiedFile && modifyDate == lastModificationDate)
        return;
    lastModifiedFile = file;
    lastModificationDate = modifyDate;
    const int row = indexOfFile(file);
    // Known already, from this process's own save or an earlier look.
    if (row < 0 || modifyDateAt(row) == modifyDate)
        return;
    reloadNote(file, modifyDate);
}

#include "notesmodel.h"

#include "abstractnote.h"
#include "collectionindex.h"
#include "collectionreminders.h"
#include "collectionrepair.h"
#include "cronreconciler.h"
#include "crontab.h"
#include "notenames.h"
#include "notesconfkeys.h"
#include "notesconflock.h"
#include "notesdirectory.h"
#include "notewatcher.h"
#include "safeinifile.h"
#include "savelisting.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const int WatcherPause = 1000;
const int ClosingListingWait = 3000;

// The file of a note given with or without its suffix.
QString noteFile(const QString &note)
{
    return note.endsWith(NotesConfKeys::NoteSuffix) ? note : note + NotesConfKeys::NoteSuffix;
}

} // namespace

NotesModel::NotesModel(QObject *parent)
    : NoteRowsModel(parent)
{
    NoteWatcher *watcher = NoteWatcher::instance();
    watcher->stopWatchingAndResumeAfter(WatcherPause);

    const CollectionIndex::Listing listing
        = CollectionRepair::open(notesDirectory(), NoteWatcher::confPath(), &confStamp);
    notes.reserve(listing.entries.size());
    for (const CollectionIndex::Entry &entry : listing.entries)
        notes.append(rowOf(entry));
    lastModifiedFile = listing.lastModifiedFile;
    lastModificationDate = listing.lastModificationDate;
    nextFilename = listing.nextFilename.isNull() ? QStringLiteral("1") : listing.nextFilename;

    saveListing = new SaveListing(this);
    connect(saveListing, &SaveListing::lastModifiedListed, this, [this](const QString &file, const QDateTime &date) {
        lastModifiedFile = file;
        lastModificationDate = date;
    });
    connect(saveListing, &SaveListing::failed, this, &NotesModel::reportError);
    connect(saveListing, &SaveListing::vanished, this, [this](const QString &file) {
        const int row = indexOfFile(file);
        if (row >= 0)
            dropRow(row);
    });
    reminders = new CollectionReminders(this);
    connect(reminders, &CollectionReminders::missedFound, this, &NotesModel::missedRemindersFound);

    connect(watcher, &NoteWatcher::noteChanged, this, &NotesModel::onNoteChanged);
    connect(watcher, &NoteWatcher::collectionChanged, this, &NotesModel::followCollection);
}

NotesModel::~NotesModel()
{
    // A save not listed yet would stay unknown to the other programs, which
    // would write their older copy over it.
    saveListing->listPending(ClosingListingWait);
}

QString NotesModel::getNotePath(const QString &note) const
{
    return notesDirectory() + QDir::separator() + noteFile(note);
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

void NotesModel::findMissedReminders()
{
    reminders->findMissed();
}

void NotesModel::reminderAnnounced(const QString &file)
{
    reminders->announced(file);
}

bool NotesModel::isNoteFileName(const QString &file)
{
    return ::isNoteFileName(file);
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
            conf->beginGroup(NotesConfKeys::NotesGroup);
            conf->beginGroup(file);
            conf->setValue(NotesConfKeys::ModificationDate, note->modifyDate());
            conf->setValue(NotesConfKeys::NoteType, int(note->type()));
            conf->endGroup();
            conf->endGroup();
            conf->setValue(NotesConfKeys::NextFilename, nextFilename);
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
        if (CollectionReminders::hasReminder(name, row >= 0 ? madeNoteAt(row) : nullptr))
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
    conf->beginGroup(NotesConfKeys::NotesGroup);
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
                conf.setValue(NotesConfKeys::NextFilename, nextFilename);
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
    reminders->forget(note);
    disconnect(note.data(), nullptr, this, nullptr);
    removedNotes.hold(note);
}

bool NotesModel::reminderDue(const QString &fileName)
{
    return CollectionReminders::isDue(noteFile(fileName));
}

void NotesModel::setLastModified(QSettings &conf, const QString &file, const QDateTime &date)
{
    lastModifiedFile = file;
    lastModificationDate = date;
    conf.setValue(NotesConfKeys::LastModifiedFile, file);
    conf.setValue(NotesConfKeys::LastModificationDate, date);
}

void NotesModel::connectNote(const NotePtr &note)
{
    connect(note.data(), &AbstractNote::saved, this, &NotesModel::onNoteSaved);
    // A weak reference: the connection must not keep a removed note alive.
    const NoteWeakPtr weak = note;
    connect(note.data(), &AbstractNote::loadedChanged, this, [this, weak] {
        const NotePtr strong = weak.toStrongRef();
        if (strong && strong->loaded() && strong->notifyType() != AbstractNote::RepeatNever)
            reminders->check(strong);
    });
}

void NotesModel::onNoteSaved(const QString &file)
{
    // Only a note file name may become a group of "notes.conf".
    if (!isNoteFileName(file))
        return;
    saveListing->add(file);
    const int row = indexOfFile(file);
    if (row >= 0)
        emit dataChanged(index(row), index(row));
}

// Whatever any process did to the collection since the last look: rows for
// notes listed anew, no rows for notes no longer listed, and a reload of
// every note whose date moved. A report names only the latest change, and
// a "notes.conf" replaced by a file-sync tool names none; only the listing
// itself tells everything.
void NotesModel::followCollection()
{
    const CollectionIndex::Look *look = NoteWatcher::instance()->currentLook();
    CollectionIndex::Look own;
    if (!look) {
        own.stamp = CollectionIndex::stamp(NoteWatcher::confPath(), confStamp);
        if (!CollectionIndex::sameContent(own.stamp, confStamp))
            own.listing = CollectionIndex::readFile(NoteWatcher::confPath());
        look = &own;
    }
    const bool unchanged = CollectionIndex::sameContent(look->stamp, confStamp);
    confStamp = look->stamp;
    if (unchanged)
        return;
    const CollectionIndex::Listing &listing = look->listing;
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
        if (!saveListing->isPending(entry.file))
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
        conf.settings()->setValue(NotesConfKeys::NextFilename, nextFilename);
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

#include "cronreconciler.h"

#include "abstractnote.h"
#include "collectionindex.h"
#include "crontab.h"
#include "notesdirectory.h"
#include "notesmodel.h"
#include "notewatcher.h"
#include "reminderschedule.h"
#include "windowactivity.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>

namespace {

const int RetryInterval = 30000;
// How far the notifier's start may lag behind cron, or run ahead of the clock.
const int DueLateMinutes = 10;
const int DueEarlyMinutes = 1;

const QByteArray TypeKey("notify-type=");
const int WorkerNice = 10;

bool inCollection(const QString &file)
{
    bool listed = false;
    CollectionIndex::forEachNoteGroup(NoteWatcher::confPath(), [&](const QString &name) { listed |= name == file; });
    return listed;
}

// A one-time reminder whose moment has passed has had its turn.
bool wantsLine(const CronReconciler::Reminder &reminder, const QDateTime &now)
{
    if (reminder.type == AbstractNote::RepeatNever || !reminder.date.isValid())
        return false;
    return !(reminder.type == AbstractNote::RepeatOnce && reminder.date < now);
}

// Whether the line fired within the last few minutes (a one-time reminder's
// year included).
bool isDue(const CronReconciler::Reminder &reminder, const QDateTime &now)
{
    const QDateTime last
        = ReminderSchedule::latestOccurrence(reminder.type, reminder.date, now.addSecs(DueEarlyMinutes * 60));
    return last.isValid() && last >= now.addSecs(-DueLateMinutes * 60);
}

// Leaves exactly the wanted lines of ours: wanted maps a note file name to
// its line. Other lines of ours for names in scope go (all names when scope
// is empty); the user's lines stay as they are.
bool applyWanted(QList<QByteArray> &lines, const QHash<QString, QByteArray> &wanted, const QStringList &order,
                 const QSet<QString> &scope = QSet<QString>())
{
    bool changed = false;
    QSet<QString> present;
    for (int i = 0; i < lines.size();) {
        const QString file = reminderLineFile(lines.at(i));
        const bool keep = file.isEmpty() || (!scope.isEmpty() && !scope.contains(file))
            || (wanted.value(file) == lines.at(i) && !present.contains(file));
        if (keep) {
            if (!file.isEmpty())
                present.insert(file);
            ++i;
            continue;
        }
        lines.removeAt(i);
        changed = true;
    }
    for (const QString &file : order) {
        if (wanted.contains(file) && !present.contains(file)) {
            lines.append(wanted.value(file));
            changed = true;
        }
    }
    return changed;
}

} // namespace

CronReconciler::CronReconciler(LoadedReminders loaded, QObject *parent)
    : QObject(parent)
    , m_loaded(std::move(loaded))
{
    // Only an int is compared on each tick; a run happens only after failures.
    m_retryTimer.setInterval(RetryInterval);
    connect(&m_retryTimer, &QTimer::timeout, this, &CronReconciler::retryIfNeeded);
    m_retryTimer.start();
}

void CronReconciler::yieldToWindow()
{
    // A thread's low priority is not lower than the window's thread, on
    // Linux. Not the idle class: QSettings' reads take a lock that the
    // window's thread takes too.
    ::setpriority(PRIO_PROCESS, ::gettid(), WorkerNice);
}

CronReconciler::Reminder CronReconciler::readReminder(const QString &file)
{
    Reminder reminder;
    const QString path = notesDirectory() + QLatin1Char('/') + file;
    QFile note(path);
    // Only regular files: opening a FIFO would block.
    if (!QFileInfo(path).isFile() || !note.open(QIODevice::ReadOnly))
        return reminder;
    // Most notes have no reminder: a look at the raw text spares parsing them.
    const QByteArray text = note.readAll();
    int key = 0;
    if (!text.startsWith(TypeKey)) {
        key = text.indexOf('\n' + TypeKey) + 1;
        if (key == 0)
            return reminder;
    }
    const int end = text.indexOf('\n', key);
    const QByteArray value = text.mid(key + TypeKey.size(), end < 0 ? -1 : end - key - TypeKey.size()).trimmed();
    if (value.isEmpty() || value == "0")
        return reminder;
    const QSettings settings(path, QSettings::IniFormat);
    reminder.type = settings.value(QStringLiteral("notify-type"), 0).toInt();
    reminder.date = settings.value(QStringLiteral("notify-date")).toDateTime();
    return reminder;
}

CronReconciler::Reminder CronReconciler::reminderOf(const QString &file, const QHash<QString, Reminder> &loaded)
{
    const auto found = loaded.constFind(file);
    return found != loaded.constEnd() ? found.value() : readReminder(file);
}

bool CronReconciler::reconcile()
{
    const int failuresBefore = failedCrontabEdits();
    bool wrote = false;
    const int writtenBefore = writtenCrontabs();
    const bool ok = run(m_loaded ? m_loaded() : QHash<QString, Reminder>(), writtenBefore, &wrote);
    noteResult(ok, failuresBefore);
    return ok;
}

void CronReconciler::reconcileInBackground()
{
    if (m_worker) {
        m_again = true;
        return;
    }
    // The loaded notes are asked here, on their own thread. Edits failing
    // while the run goes on may have come after its reads: they are left for
    // the next. A table written meanwhile by this process (a note saved
    // after the loaded notes were asked) may have been written over with
    // their older state: one more run puts it right.
    const int failuresBefore = failedCrontabEdits();
    const int writtenBefore = writtenCrontabs();
    m_worker = QThread::create(
        [this, failuresBefore, writtenBefore, loaded = m_loaded ? m_loaded() : QHash<QString, Reminder>()] {
            // With two cores, the check at the window's priority made its
            // frames late. The lock is held only briefly at the end.
            yieldToWindow();
            bool wrote = false;
            const bool ok = run(loaded, writtenBefore, &wrote);
            const bool writtenMeanwhile = writtenCrontabs() - writtenBefore > (wrote ? 1 : 0);
            QMetaObject::invokeMethod(
                this,
                [this, ok, failuresBefore, writtenMeanwhile] {
                    m_again |= writtenMeanwhile;
                    workerDone(ok, failuresBefore);
                },
                Qt::QueuedConnection);
        });
    WindowActivity::follow();
    m_worker->start();
}

CronReconciler::~CronReconciler()
{
    if (m_worker) {
        m_worker->requestInterruption();
        m_worker->wait();
        delete m_worker;
    }
}

void CronReconciler::workerDone(bool ok, int failuresBefore)
{
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    noteResult(ok, failuresBefore);
    emit reconciled(ok);
    if (std::exchange(m_again, false))
        reconcileInBackground();
}

void CronReconciler::noteResult(bool ok, int failuresBefore)
{
    m_lastFailed = !ok;
    if (ok)
        m_seenFailures = failuresBefore;
}

bool CronReconciler::run(const QHash<QString, Reminder> &loaded, int writtenBefore, bool *wrote)
{
    // Every note is read before the lock is taken: with many notes that
    // takes seconds, and edits of the table (a save on the window's thread)
    // would wait for it. Only the notes with a line are kept.
    const QDateTime now = QDateTime::currentDateTime();
    const auto lineOf = [&](const QString &file) {
        const Reminder reminder = reminderOf(file, loaded);
        if (!wantsLine(reminder, now) || !QFileInfo(notesDirectory() + QLatin1Char('/') + file).isFile())
            return QByteArray();
        return cronLine(reminder.type, reminder.date, file).toLatin1();
    };
    bool interrupted = false;
    QHash<QString, QByteArray> wanted;
    int read = 0;
    CollectionIndex::forEachNoteGroup(NoteWatcher::confPath(), [&](const QString &file) {
        if (interrupted || (interrupted = QThread::currentThread()->isInterruptionRequested()))
            return;
        if (read++ % WindowActivity::FilesBetweenPauses == 0)
            WindowActivity::pauseWhileDrawing();
        const QByteArray line = lineOf(file);
        if (!line.isEmpty())
            wanted.insert(file, line);
    });
    if (interrupted)
        return false;

    const bool ok = editCrontab([&](QList<QByteArray> &lines) {
        // Another process changes a note's file before it edits the note's
        // line under this lock. A note whose line differs from the look above
        // may have been changed since: it is read again while the lock is
        // held, its listing too. A note changed by an edit that waits for
        // this lock gets its line from that edit.
        QHash<QString, QByteArrayList> present;
        for (const QByteArray &line : qAsConst(lines)) {
            const QString file = reminderLineFile(line);
            if (!file.isEmpty())
                present[file] << line;
        }
        QSet<QString> differing;
        for (auto it = present.cbegin(); it != present.cend(); ++it) {
            if (it.value() != QByteArrayList { wanted.value(it.key()) })
                differing.insert(it.key());
        }
        for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
            if (!present.contains(it.key()))
                differing.insert(it.key());
        }
        // A table written by this process since the loaded notes were asked
        // may hold a newer state of theirs (a save): their lines stay as
        // they are, and the run after this one settles them.
        const bool savedMeanwhile = writtenCrontabs() != writtenBefore;
        if (!differing.isEmpty()) {
            QSet<QString> listed;
            CollectionIndex::forEachNoteGroup(NoteWatcher::confPath(), [&](const QString &file) {
                if (differing.contains(file))
                    listed.insert(file);
            });
            for (const QString &file : qAsConst(differing)) {
                if (savedMeanwhile && loaded.contains(file)) {
                    if (present.contains(file))
                        wanted.insert(file, present.value(file).first());
                    else
                        wanted.remove(file);
                    continue;
                }
                const QByteArray line = listed.contains(file) ? lineOf(file) : QByteArray();
                if (line.isEmpty())
                    wanted.remove(file);
                else
                    wanted.insert(file, line);
            }
        }
        // In the order of the listing, as QSettings gives it.
        QStringList order = wanted.keys();
        std::sort(order.begin(), order.end());
        *wrote = applyWanted(lines, wanted, order);
        return *wrote;
    });
    return ok;
}

void CronReconciler::retryIfNeeded()
{
    if (m_lastFailed || (m_seenFailures >= 0 && m_seenFailures != failedCrontabEdits()))
        reconcileInBackground();
}

bool CronReconciler::reminderDue(const QString &file, const QDateTime &now)
{
    if (!NotesModel::isNoteFileName(file))
        return false;
    // A note that is gone, or not listed, has no reminder.
    const auto current = [&file] {
        return inCollection(file) ? readReminder(file) : Reminder();
    };
    const Reminder reminder = current();
    if (reminder.type != AbstractNote::RepeatNever && isDue(reminder, now))
        return true;

    // The line that fired is stale: the note's lines become what it wants,
    // as its file says once the lock is held.
    editCrontab([&](QList<QByteArray> &lines) {
        QHash<QString, QByteArray> wanted;
        const Reminder latest = current();
        if (wantsLine(latest, now))
            wanted.insert(file, cronLine(latest.type, latest.date, file).toLatin1());
        return applyWanted(lines, wanted, { file }, { file });
    });
    return false;
}

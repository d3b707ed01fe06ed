#include "collectionreminders.h"

#include "abstractnote.h"
#include "missedreminderglance.h"
#include "noterowsmodel.h"
#include "notesdirectory.h"
#include "safeinifile.h"

#include <QSettings>

namespace {
const int CheckDelay = 2000;
}

CollectionReminders::CollectionReminders(NoteRowsModel *rows)
    : QObject(rows)
    , m_rows(rows)
    , m_reconciler(new CronReconciler([this] { return loadedReminders(); }, this))
    , m_glance(new MissedReminderGlance(rows))
{
    // One run gives every note of the collection its true line, the queued
    // ones among them; after a failed run they wait for the next check.
    m_checkTimer.setInterval(CheckDelay);
    m_checkTimer.setSingleShot(true);
    connect(&m_checkTimer, &QTimer::timeout, m_reconciler, &CronReconciler::reconcileInBackground);
    connect(m_reconciler, &CronReconciler::reconciled, this, [this](bool ok) {
        if (ok)
            m_pending.clear();
    });
    connect(m_glance, &MissedReminderGlance::found, this, &CollectionReminders::missedFound);
    // Lines left behind by edits that failed, here or in another process,
    // are put right once the collection has settled, out of the first frame;
    // and again after removals, which another process may have crossed.
    m_checkTimer.start();
    connect(rows, &QAbstractItemModel::rowsRemoved, &m_checkTimer, qOverload<>(&QTimer::start));
}

void CollectionReminders::check(const NotePtr &note)
{
    if (!note)
        return;
    if (!m_pending.contains(note))
        m_pending.append(note);
    m_checkTimer.start();
}

void CollectionReminders::forget(const NotePtr &note)
{
    m_pending.removeAll(note);
}

// Without this the line of a deleted note would stay in the crontab.
bool CollectionReminders::hasReminder(const QString &file, const AbstractNote *note)
{
    if (note && note->notifyType() != AbstractNote::RepeatNever)
        return true;
    const QString path = notesDirectory() + QLatin1Char('/') + file;
    return SafeIniFile::isRegularFile(path)
        && QSettings(path, QSettings::IniFormat).value(QStringLiteral("notify-type"), 0).toInt() != 0;
}

bool CollectionReminders::isDue(const QString &file)
{
    return CronReconciler::reminderDue(file, QDateTime::currentDateTime());
}

void CollectionReminders::findMissed()
{
    m_glance->start(loadedReminders());
}

void CollectionReminders::announced(const QString &file)
{
    const int row = m_rows->indexOfFile(file);
    if (row >= 0)
        MissedReminders::announced(reminderOf(row), QDateTime::currentDateTime());
}

QHash<QString, CronReconciler::Reminder> CollectionReminders::loadedReminders() const
{
    QHash<QString, CronReconciler::Reminder> loaded;
    for (int row = 0, count = m_rows->rowCount(); row < count; ++row) {
        const AbstractNote *note = m_rows->madeNoteAt(row);
        if (note && note->loaded())
            loaded.insert(note->file(), { int(note->notifyType()), note->notifyDate() });
    }
    return loaded;
}

MissedReminders::Note CollectionReminders::reminderOf(int row) const
{
    const QString file = m_rows->fileAt(row);
    const QDateTime modifyDate = m_rows->modifyDateAt(row);
    const AbstractNote *note = m_rows->madeNoteAt(row);
    if (note && note->loaded())
        return { file, note->notifyType(), note->notifyDate(), modifyDate };
    // Most notes have no reminder; their files are only glanced at.
    const CronReconciler::Reminder reminder = CronReconciler::readReminder(file);
    return { file, reminder.type, reminder.date, modifyDate };
}

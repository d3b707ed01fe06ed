#include "missedreminderglance.h"

#include "abstractnote.h"
#include "missedreminders.h"
#include "noterowsmodel.h"
#include "reminderhistory.h"
#include "windowactivity.h"

#include <QStringList>
#include <QThread>
#include <QVector>

MissedReminderGlance::MissedReminderGlance(NoteRowsModel *rows)
    : QObject(rows)
    , m_rows(rows)
{ }

MissedReminderGlance::~MissedReminderGlance()
{
    if (m_worker) {
        m_worker->requestInterruption();
        m_worker->wait();
    }
}

void MissedReminderGlance::start(const QHash<QString, CronReconciler::Reminder> &loaded)
{
    if (m_worker && m_worker->isRunning())
        return;
    // Only the names go to the worker, which hands back the few notes with
    // a reminder.
    QStringList files;
    const int count = m_rows->rowCount();
    files.reserve(count);
    for (int row = 0; row < count; ++row)
        files << m_rows->fileAt(row);
    m_worker = QThread::create([this, files = std::move(files), loaded] {
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
        // Dropped unread when the glance goes first.
        QMetaObject::invokeMethod(
            this,
            [this, found, rows]() mutable {
                QVector<MissedReminders::Note> listed;
                for (int i = 0; i < found.size(); ++i) {
                    const int hint = rows.at(i);
                    const int row = hint < m_rows->rowCount() && m_rows->fileAt(hint) == found.at(i).file
                        ? hint
                        : m_rows->indexOfFile(found.at(i).file);
                    if (row < 0)
                        continue;
                    found[i].modifyDate = m_rows->modifyDateAt(row);
                    listed << found.at(i);
                }
                QVariantList result;
                const QList<MissedReminders::Missed> missed = MissedReminders::take(
                    listed, [this](const QString &file) { return m_rows->indexOfFile(file) >= 0; },
                    QDateTime::currentDateTime());
                for (const MissedReminders::Missed &entry : missed)
                    result << QVariantMap { { QStringLiteral("file"), entry.file },
                                            { QStringLiteral("dueDate"), entry.dueDate } };
                emit this->found(result);
            },
            Qt::QueuedConnection);
    });
    connect(m_worker, &QThread::finished, m_worker, &QObject::deleteLater);
    WindowActivity::follow();
    m_worker->start();
}

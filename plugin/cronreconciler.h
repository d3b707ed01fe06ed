#pragma once

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

class QThread;

#include <functional>

// Keeps the crontab in step with the notes: one line of ours for every note
// of the collection that has a reminder, none for any other name. Edits that
// failed (a crontab that could not be read, a busy lock, a write past its
// time-out) leave lines behind; the next run puts them right.
//
// The collection is what "notes.conf" lists and what the note files say.
// They are read before the crontab lock is taken; a note whose line differs
// is read again inside it, so that other processes' edits of the same notes
// are seen as they are. Notes loaded in this process may speak for
// themselves through the provider (their state is what this process shows).
// A note that another process changes after the look, and whose line that
// process then fails to write, is put right by that process's next run.
class CronReconciler : public QObject
{
    Q_OBJECT

public:
    struct Reminder
    {
        int type = 0;
        QDateTime date;
    };
    using LoadedReminders = std::function<QHash<QString, Reminder>()>;

    explicit CronReconciler(LoadedReminders loaded, QObject *parent = nullptr);
    // Waits for a run on its thread, cut short.
    ~CronReconciler() override;

    // One run now; false when the crontab could not be edited.
    bool reconcile();
    // The same on a thread of its own: with many notes, reading every file
    // would hold up the window for seconds. A request during a run makes one
    // more run after it.
    void reconcileInBackground();

    // Whether a reminder that fired for file may be announced at now: the
    // note is in the collection, has a reminder, and now matches its schedule
    // (a one-time reminder's year included). When it is not due, the note's
    // lines are put right: removed, or replaced by its true line.
    static bool reminderDue(const QString &file, const QDateTime &now);

    // Puts the calling worker thread below the window's thread, for readers
    // of every note file.
    static void yieldToWindow();

    // A note's reminder as its file holds it; cheap for notes without one.
    static Reminder readReminder(const QString &file);
    // The loaded note's reminder where it is loaded, else its file's.
    static Reminder reminderOf(const QString &file, const QHash<QString, Reminder> &loaded);

signals:
    void reconciled(bool ok);

private:
    static bool run(const QHash<QString, Reminder> &loaded, int writtenBefore, bool *wrote);
    void workerDone(bool ok, int failuresBefore);
    void noteResult(bool ok, int failuresBefore);
    void retryIfNeeded();

    LoadedReminders m_loaded;
    QThread *m_worker = nullptr;
    bool m_again = false;
    QTimer m_retryTimer;
    int m_seenFailures = -1;
    bool m_lastFailed = false;
};

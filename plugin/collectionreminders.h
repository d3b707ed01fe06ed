#pragma once

#include "cronreconciler.h"
#include "missedreminders.h"
#include "noteptr.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantList>

class AbstractNote;
class MissedReminderGlance;
class NoteRowsModel;

// Keeps the crontab lines of the collection's reminders true and tells
// which reminders are due or were missed.
class CollectionReminders : public QObject
{
    Q_OBJECT

public:
    explicit CollectionReminders(NoteRowsModel *rows);

    // The note was loaded or its reminder changed: its line is checked soon.
    void check(const NotePtr &note);
    // A note that is gone must not get its line back from a pending check.
    void forget(const NotePtr &note);
    // A note that was never loaded does not know its reminder; its file does.
    static bool hasReminder(const QString &file, const AbstractNote *note);
    static bool isDue(const QString &file);
    // Reported with missedFound.
    void findMissed();
    void announced(const QString &file);

signals:
    void missedFound(const QVariantList &missed);

private:
    // The loaded notes speak for themselves: their state is what this
    // process shows.
    QHash<QString, CronReconciler::Reminder> loadedReminders() const;
    MissedReminders::Note reminderOf(int row) const;

    NoteRowsModel *m_rows;
    QTimer m_checkTimer;
    // Held until a run of the reconciler has given them their lines.
    QList<NotePtr> m_pending;
    CronReconciler *m_reconciler;
    MissedReminderGlance *m_glance;
};

#include "missedreminders.h"

#include "reminderhistory.h"
#include "reminderschedule.h"

#include <QSet>

QList<MissedReminders::Missed> MissedReminders::take(const QVector<Note> &notes, const QDateTime &now)
{
    QSet<QString> files;
    for (const Note &note : notes)
        files.insert(note.file);
    return take(
        notes, [&files](const QString &file) { return files.contains(file); }, now);
}

QList<MissedReminders::Missed> MissedReminders::take(const QVector<Note> &notes,
                                                     const std::function<bool(const QString &)> &inCollection,
                                                     const QDateTime &now)
{
    const QDateTime since = ReminderHistory::since();
    QList<Missed> missed;
    QSet<QString> found;
    auto consider = [&](const QString &file, const QDateTime &due, const QDateTime &saved) {
        if (!due.isValid() || due <= since || (saved.isValid() && due <= saved) || found.contains(file))
            return;
        if (due <= ReminderHistory::lastAnnounced(file))
            return;
        ReminderHistory::recordAnnounced(file, due);
        missed << Missed { file, due };
        found.insert(file);
    };

    // One-time reminders turned off when their note was loaded after the
    // moment, before they could be announced.
    const QList<ReminderHistory::Expired> expired = ReminderHistory::takeExpired();
    for (const ReminderHistory::Expired &entry : expired) {
        if (entry.dueDate <= now && inCollection(entry.file))
            consider(entry.file, entry.dueDate, QDateTime());
    }

    for (const Note &note : notes)
        consider(note.file, ReminderSchedule::latestOccurrence(note.notifyType, note.notifyDate, now), note.modifyDate);
    return missed;
}

void MissedReminders::announced(const Note &note, const QDateTime &now)
{
    const QDateTime occurrence = ReminderSchedule::latestOccurrence(note.notifyType, note.notifyDate, now);
    ReminderHistory::recordAnnounced(note.file, occurrence.isValid() ? occurrence : now);
}

#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVector>

#include <functional>

// Finds the reminders that fell due while nothing announced them (the
// program was not running, no session existed, the machine was off): for
// each note the latest moment its reminder fired, if that came after the
// note was last saved and after the note was last announced. Each one is
// found once: finding it records it as announced.
class MissedReminders
{
public:
    struct Note
    {
        QString file;
        int notifyType = 0;
        QDateTime notifyDate;
        QDateTime modifyDate;
    };
    struct Missed
    {
        QString file;
        QDateTime dueDate;
    };

    static QList<Missed> take(const QVector<Note> &notes, const QDateTime &now);
    // The same where notes need hold only those with a reminder: inCollection
    // tells whether a note is one of the collection.
    static QList<Missed> take(const QVector<Note> &notes, const std::function<bool(const QString &)> &inCollection,
                              const QDateTime &now);

    // The program announced the note's reminder at now.
    static void announced(const Note &note, const QDateTime &now);
};

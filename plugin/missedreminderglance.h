#pragma once

#include "cronreconciler.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>

class NoteRowsModel;
class QThread;

// Looks through the collection for reminders that fell due while nothing
// could announce them. A worker thread glances at the files of the notes
// not loaded here, so that a large collection does not stall the window.
class MissedReminderGlance : public QObject
{
    Q_OBJECT

public:
    explicit MissedReminderGlance(NoteRowsModel *rows);
    // The worker reads the files on its own; it must be over before the
    // rows and the application go.
    ~MissedReminderGlance() override;

    // Does nothing while a glance is under way. The loaded notes' own
    // reminders speak for them.
    void start(const QHash<QString, CronReconciler::Reminder> &loaded);

signals:
    // Each missed reminder once, as {"file", "dueDate"}.
    void found(const QVariantList &missed);

private:
    QPointer<QThread> m_worker;
    NoteRowsModel *m_rows;
};

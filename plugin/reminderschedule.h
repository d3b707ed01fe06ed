#pragma once

#include <QDateTime>

// When a reminder line fires: the moments cron starts the notifier for a
// note's notify-type and notify-date.
namespace ReminderSchedule {

// The last moment at or before now at which the reminder fired; invalid when
// it never has (no reminder, or a one-time reminder still ahead). Months
// without the day, like 31 April, are skipped as cron skips them.
QDateTime latestOccurrence(int notifyType, const QDateTime &notifyDate, const QDateTime &now);

} // namespace ReminderSchedule

#include "reminderschedule.h"

#include "abstractnote.h"

namespace ReminderSchedule {

QDateTime latestOccurrence(int notifyType, const QDateTime &notifyDate, const QDateTime &now)
{
    if (!notifyDate.isValid())
        return QDateTime();
    // Cron fires at the start of the minute.
    const QTime time(notifyDate.time().hour(), notifyDate.time().minute());
    const QDate today = now.date();
    auto at = [&](const QDate &date) {
        return QDateTime(date, time);
    };
    auto passed = [&](const QDate &date) {
        return date.isValid() && at(date) <= now;
    };

    switch (notifyType) {
    case AbstractNote::RepeatOnce: {
        const QDateTime once = at(notifyDate.date());
        return once <= now ? once : QDateTime();
    }
    case AbstractNote::RepeatEveryDay:
        return at(passed(today) ? today : today.addDays(-1));
    case AbstractNote::RepeatEveryWeek: {
        QDate day = today.addDays(-((today.dayOfWeek() - notifyDate.date().dayOfWeek() + 7) % 7));
        return at(passed(day) ? day : day.addDays(-7));
    }
    case AbstractNote::RepeatEveryMonth:
        for (int back = 0; back <= 12; ++back) {
            const QDate month = today.addMonths(-back);
            const QDate day(month.year(), month.month(), notifyDate.date().day());
            if (passed(day))
                return at(day);
        }
        return QDateTime();
    case AbstractNote::RepeatEveryYear:
        // Eight years reach back past any 29 February.
        for (int year = today.year(); year >= today.year() - 8; --year) {
            const QDate day(year, notifyDate.date().month(), notifyDate.date().day());
            if (passed(day))
                return at(day);
        }
        return QDateTime();
    default:
        return QDateTime();
    }
}

} // namespace ReminderSchedule

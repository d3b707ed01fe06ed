#pragma once

#include <QDeadlineTimer>

// Serialises edits of the user's crontab between processes: each edit reads
// the whole table and writes it back, so two at once lose one another's
// lines. A kernel lock on a file in the notes directory, held for one edit.
//
// The descriptor is inherited by the crontab children started meanwhile, on
// purpose: a child that outlives its edit (stuck past its time-out) keeps the
// lock, so that no newer table is written until it is gone and cannot land
// over it later.
class CrontabLock
{
public:
    explicit CrontabLock(const QDeadlineTimer &deadline);
    ~CrontabLock();

    CrontabLock(const CrontabLock &) = delete;
    CrontabLock &operator=(const CrontabLock &) = delete;

    // False when the lock was not free before the deadline; the edit must
    // not go on then.
    bool isLocked() const { return m_locked; }

private:
    int m_fd = -1;
    bool m_locked = false;
};

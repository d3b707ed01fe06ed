#pragma once

#include <QDeadlineTimer>

// Serialises edits of the user's crontab between processes: each edit reads
// the whole table and writes it back, so two at once lose one another's
// lines. A kernel lock on a file in the notes directory, held for one edit.
//
// The descriptor is inherited by the crontab children started meanwhile, on
// purpose: a child that outlives its edit (stuck past its time-out) keeps the
// lock, so that no newer table is written until it is gone and cannot land
// over it later. Other children (a search's grep, started by another thread
// while the lock is held) do not get it: it is closed on exec but for them.
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
    // The held lock's descriptor, or -1; read between fork and exec.
    static int heldDescriptor();

private:
    int m_fd = -1;
    bool m_locked = false;
};

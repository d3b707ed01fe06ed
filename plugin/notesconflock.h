#pragma once

#include <QString>

// Serialises the read-modify-write of "notes.conf" between processes: name
// allocation and the group edits of one process must not interleave with
// another's. QSettings locks only each single write. This is an advisory
// lock of the kernel on the notes directory itself (whose inode stays while
// "notes.conf" is replaced on every write): a process that dies releases it,
// so there are no stale locks, no lock file is left behind, and taking it
// costs no write to the disk.
//
// Nobody holds it for more than a few file writes (no child process runs
// under it), so a short wait is enough; the GUI never stalls for another
// process.
class NotesConfLock
{
public:
    static const int DefaultWait = 500;

    explicit NotesConfLock(int waitMsec = DefaultWait);
    ~NotesConfLock();

    NotesConfLock(const NotesConfLock &) = delete;
    NotesConfLock &operator=(const NotesConfLock &) = delete;

    // False when another process held the lock past the waiting time; the
    // operation must not go on then (it is refused, or tried again later).
    bool isLocked() const { return locked; }

private:
    int fd = -1;
    bool locked = false;
    bool nested = false;
};

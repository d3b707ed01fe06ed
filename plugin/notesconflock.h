#pragma once

#include <QLockFile>

// Serialises the read-modify-write of "notes.conf" between processes: name
// allocation and the group edits of one process must not interleave with
// another's. QSettings locks only each single write, under "notes.conf.lock",
// which is why this lock has a name of its own.
class NotesConfLock
{
public:
    NotesConfLock();
    ~NotesConfLock();

    NotesConfLock(const NotesConfLock &) = delete;
    NotesConfLock &operator=(const NotesConfLock &) = delete;

    // False when another process held the lock past the waiting time; the
    // operation goes on then, as it would without any lock.
    bool isLocked() const { return lockFile.isLocked(); }

    static QString path();

private:
    QLockFile lockFile;
};

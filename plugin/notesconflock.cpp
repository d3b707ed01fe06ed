#include "notesconflock.h"

#include "notesdirectory.h"

#include <QDir>

namespace {

// Longer than any single operation under the lock, which may wait for
// crontab twice at 5000 ms each.
const int StaleTime = 30000;
const int WaitTime = 15000;

} // namespace

NotesConfLock::NotesConfLock()
    : lockFile((QDir().mkpath(notesDirectory()), path()))
{
    lockFile.setStaleLockTime(StaleTime);
    lockFile.tryLock(WaitTime);
}

NotesConfLock::~NotesConfLock()
{
    if (lockFile.isLocked())
        lockFile.unlock();
}

QString NotesConfLock::path()
{
    return notesDirectory() + QStringLiteral("/notes.lock");
}

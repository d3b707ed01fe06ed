#pragma once

#include <QStringList>
#include <QThreadPool>

// Has the kernel read note files into its cache on a thread of its own. A
// machine drops files from its cache that nobody read for a while, and a
// card coming into view then waits for the disk on the window's thread.
class NoteFileReadAhead
{
public:
    NoteFileReadAhead();
    ~NoteFileReadAhead();

    // Replaces the files still waiting: only the latest ones are wanted.
    void readAhead(QStringList paths);

    NoteFileReadAhead(const NoteFileReadAhead &) = delete;
    NoteFileReadAhead &operator=(const NoteFileReadAhead &) = delete;

private:
    QThreadPool m_pool;
};

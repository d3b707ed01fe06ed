#include "removednotes.h"

#include "abstractnote.h"

namespace {

const int ReleaseDelay = 2000;

} // namespace

RemovedNotes::RemovedNotes()
{
    m_releaseTimer.setSingleShot(true);
    m_releaseTimer.setInterval(ReleaseDelay);
    QObject::connect(&m_releaseTimer, &QTimer::timeout, &m_releaseTimer, [this] { release(); });
}

void RemovedNotes::hold(const NotePtr &note)
{
    m_notes.append(note);
    m_releaseTimer.start();
}

NotePtr RemovedNotes::take(const AbstractNote *note)
{
    for (int i = 0; i < m_notes.size(); ++i) {
        if (m_notes.at(i).data() == note)
            return m_notes.takeAt(i);
    }
    return NotePtr();
}

bool RemovedNotes::holds(const QString &file) const
{
    for (const NotePtr &note : m_notes) {
        if (note->file() == file)
            return true;
    }
    return false;
}

void RemovedNotes::release()
{
    for (int i = m_notes.size() - 1; i >= 0; --i) {
        if (!m_notes.at(i)->editing() && !m_notes.at(i)->shown())
            m_notes.removeAt(i);
    }
    if (!m_notes.isEmpty())
        m_releaseTimer.start();
}

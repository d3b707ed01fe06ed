#pragma once

#include "noteptr.h"

#include <QList>
#include <QString>
#include <QTimer>

class AbstractNote;

// Notes just removed from the collection, held for a moment: whatever runs
// on the removal may still use the object. A note that a page shows or
// edits stays until the page lets it go, so that the user's work can be
// kept as a new note.
class RemovedNotes
{
public:
    RemovedNotes();

    void hold(const NotePtr &note);
    // The handle of a held note, taken out; null when it is not held.
    NotePtr take(const AbstractNote *note);
    // Whether a held note carries the name: it must not be given again, or
    // a save of the held object would write over the new note.
    bool holds(const QString &file) const;

private:
    void release();

    QList<NotePtr> m_notes;
    QTimer m_releaseTimer;
};

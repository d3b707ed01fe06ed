#ifndef NOTESFIXTURE_H
#define NOTESFIXTURE_H

#include <QString>

// Writes a collection of count notes (text and check-list notes, every fifth
// with a reminder type of none) under dataHome/zib/zib-notes, the notes
// directory zib-notes derives from XDG_DATA_HOME.
class NotesFixture
{
public:
    static QString notesDirectory(const QString &dataHome);
    static bool write(const QString &dataHome, int count);
};

#endif // NOTESFIXTURE_H

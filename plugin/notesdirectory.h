#pragma once

#include <QString>

// The per-user directory that holds the note files and "notes.conf". Derived
// anew on every call so that it follows the running program's identity.
QString notesDirectory();

// True for a bare file name that may safely name a note: it stays inside the
// notes directory and needs no quoting in a crontab command line.
bool isPlainNoteFileName(const QString &file);

// A plain name that ends in the note suffix, such as 1a.note.
bool isNoteFileName(const QString &file);

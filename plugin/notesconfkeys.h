#pragma once

#include <QString>

// The names "notes.conf" keeps its collection under, as QSettings sees them.
namespace NotesConfKeys {

// Every group of "Notes" is the name of a note's file, which ends in this.
inline const QString NoteSuffix = QStringLiteral(".note");

inline const QString NotesGroup = QStringLiteral("Notes");
inline const QString NextFilename = QStringLiteral("next-filename");
inline const QString LastModifiedFile = QStringLiteral("last-modified-file");
inline const QString LastModificationDate = QStringLiteral("last-modification-date");
inline const QString ModificationDate = QStringLiteral("modification-date");
inline const QString NoteType = QStringLiteral("note-type");

} // namespace NotesConfKeys

#pragma once

#include "noteptr.h"

#include <QString>

class AbstractNote;

// The crontab line that starts the notifier for the note's reminder; empty
// when the note has no reminder.
QString cronLine(const AbstractNote &note);
QString cronLine(const NotePtr &note);

// "zib-notes-notify " followed by the file name: a line belongs to a note
// exactly when it contains this marker.
QString reminderMarker(const QString &file);

// The user's crontab, trimmed. A user without a crontab and a failed read
// both give the empty text.
QString readCrontab();

// Reads the user's crontab into *table (trimmed). Returns false when the read
// failed (crontab missing, failed, timed out, or a table that would not come
// back unchanged if written); a user without a crontab reads as an empty table
// and true. Edits must not write after a failed read.
bool readCrontab(QString *table);

// Installs text as the user's whole crontab; returns crontab's error output.
QString writeCrontab(const QString &text);

QString addCronLine(const NotePtr &note);
QString addCronLine(const AbstractNote &note);
QString replaceCronLine(const QString &file, const QString &line);
QString removeCronLine(const QString &file);

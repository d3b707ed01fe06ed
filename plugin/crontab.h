#pragma once

#include "noteptr.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

class AbstractNote;

// The crontab line that starts the notifier for the note's reminder; empty
// when the note has no reminder.
QString cronLine(const AbstractNote &note);
QString cronLine(const NotePtr &note);
QString cronLine(int notifyType, const QDateTime &notifyDate, const QString &file);

// "zib-notes-notify " followed by the file name.
QString reminderMarker(const QString &file);

// The note file name when line is a reminder line of our own exact form (five
// time fields, the notifier command, a plain note file name); empty for every
// other line: the user's jobs and comments, a commented-out copy of ours.
// Only such lines are ever changed or removed.
QString reminderLineFile(const QByteArray &line);

// The user's crontab, trimmed and decoded, for looking only (edits work on
// the bytes, see editCrontab). A user without a crontab and a failed read both
// give the empty text.
QString readCrontab();

// The same; false when the read failed (crontab missing, failed or timed
// out), true and an empty table for a user without a crontab.
bool readCrontab(QString *table);

// Installs text as the user's whole crontab; returns crontab's error output.
QString writeCrontab(const QString &text);

// One edit of the crontab, under a lock shared by all processes of the user:
// reads the table, hands its lines (bytes, without line ends) to edit and
// writes them back if edit returns true. The user's lines go back byte for
// byte. False, and nothing written, when the lock was busy, the read failed
// (anything but "no crontab for ...") or an earlier child killed at its
// deadline is still around; false also when the write failed. error, when
// given, receives what went wrong or crontab's error output. The whole edit
// is bounded by the crontab time-out.
using CrontabEdit = std::function<bool(QList<QByteArray> &lines)>;
bool editCrontab(const CrontabEdit &edit, QString *error = nullptr);

// How many edits have failed in this process: a change that such an edit
// could not make is left for the next reconciliation.
int failedCrontabEdits();

// How many tables this process has written.
int writtenCrontabs();

// Make sure the crontab holds the note's line, exactly once.
QString addCronLine(const NotePtr &note);
QString addCronLine(const AbstractNote &note);
// Removes every line of ours for file and appends line.
QString replaceCronLine(const QString &file, const QString &line);
// Removes every line of ours for file.
QString removeCronLine(const QString &file);

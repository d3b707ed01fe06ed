#pragma once

#include <QByteArray>
#include <QMap>
#include <QPair>
#include <QString>

class QVariant;

// Gives keys that "notes.conf" holds already new values by rewriting only
// their lines, when the file is of the plain form QSettings writes. A save
// changes three lines; QSettings would parse every group of the file and
// write them all again, which is most of a save's time. The text is the one
// QSettings would write, byte for byte. Whatever else (a key to add, a file
// of another form, a value of another type) is left to SafeIniFile and
// QSettings: contains() and setValue() say false then.
class NotesConfEdit
{
public:
    // Reads the file; the caller holds the collection's lock.
    explicit NotesConfEdit(const QString &path);

    // Keys as QSettings names them: "Notes/1.note/note-type", "next-filename".
    bool contains(const QString &key) const;
    // Only texts and dates.
    bool setValue(const QString &key, const QVariant &value);
    // Puts the edited file in place the way SafeIniFile does; false, with
    // the file untouched and errorString() set, when that failed.
    bool commit();
    QString errorString() const { return m_error; }

private:
    // The value of the key's line: from just after its "=" to its end.
    bool findValue(const QString &key, int *start, int *end) const;

    QString m_path;
    QByteArray m_content;
    bool m_plain = false;
    // By the offset of the value they replace: its end and the new value.
    QMap<int, QPair<int, QByteArray>> m_edits;
    QString m_error;
};

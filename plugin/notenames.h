#pragma once

#include <QString>

#include <functional>

class QSettings;

// The names of new notes: a counter in base 16, kept in "notes.conf" as
// "next-filename". It only ever grows: two models, in this process or in
// others, must never hand out the same name.
class NoteNames
{
public:
    // A counter that does not read as a base-16 number counts as 0.
    static quint64 counterValue(const QString &counter);

    // The next free name from the larger of counter and the stored one; a
    // name whose file or group exists already, or that isTaken, is passed
    // over. counter is moved past it.
    static QString allocate(QSettings &conf, QString *counter, const std::function<bool(const QString &)> &isTaken);
};

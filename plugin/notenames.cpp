#include "notenames.h"

#include "notesconfkeys.h"
#include "notesdirectory.h"

#include <QDir>
#include <QSet>
#include <QSettings>
#include <QStringList>

quint64 NoteNames::counterValue(const QString &counter)
{
    bool ok = false;
    const quint64 value = counter.toULongLong(&ok, 16);
    return ok ? value : 0;
}

QString NoteNames::allocate(QSettings &conf, QString *counter, const std::function<bool(const QString &)> &isTaken)
{
    quint64 value = qMax(counterValue(*counter), counterValue(conf.value(NotesConfKeys::NextFilename).toString()));
    if (value == 0)
        value = 1;

    conf.beginGroup(NotesConfKeys::NotesGroup);
    const QStringList groups = conf.childGroups();
    conf.endGroup();
    const QSet<QString> listed(groups.cbegin(), groups.cend());
    const QDir dir(notesDirectory());
    const auto name = [](quint64 number) {
        return QString::number(number, 16) + NotesConfKeys::NoteSuffix;
    };
    while (listed.contains(name(value)) || dir.exists(name(value)) || isTaken(name(value)))
        ++value;
    *counter = QString::number(value + 1, 16);
    return name(value);
}

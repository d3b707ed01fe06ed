#pragma once

#include "collectionsandbox.h"

#include <QDir>
#include <QMap>

// What the notes directory holds, every file with its bytes; the copies and
// marks of unfinished writes show up under their hidden names.
inline QMap<QString, QByteArray> directoryState(const QString &directory)
{
    QMap<QString, QByteArray> state;
    const QStringList names = QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : names)
        state.insert(name, CollectionSandbox::readBytes(directory + QLatin1Char('/') + name));
    return state;
}

#pragma once

#include "abstractnote.h"

#include <QObject>

// Lets QML create new notes: it cannot call a static method of AbstractNote.
class NoteFactory : public QObject
{
    Q_OBJECT

public:
    explicit NoteFactory(QObject *parent = nullptr);

    Q_INVOKABLE AbstractNote *createNote(AbstractNote::NoteType type);
};

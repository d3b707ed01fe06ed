#include "notefactory.h"

NoteFactory::NoteFactory(QObject *parent)
    : QObject(parent)
{
    // QML resolves the argument type of createNote by its name; it is known
    // only once registered.
    qRegisterMetaType<AbstractNote::NoteType>("AbstractNote::NoteType");
    qRegisterMetaType<AbstractNote::NotifyType>("AbstractNote::NotifyType");
}

AbstractNote *NoteFactory::createNote(AbstractNote::NoteType type)
{
    return AbstractNote::createNote(type);
}

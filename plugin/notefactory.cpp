#include "notefactory.h"

NoteFactory::NoteFactory(QObject *parent)
    : QObject(parent)
{ }

AbstractNote *NoteFactory::createNote(AbstractNote::NoteType type)
{
    return AbstractNote::createNote(type);
}

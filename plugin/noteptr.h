#pragma once

#include <QSharedPointer>
#include <QWeakPointer>

class AbstractNote;

using NotePtr = QSharedPointer<AbstractNote>;
using NoteWeakPtr = QWeakPointer<AbstractNote>;

#include "notesplugin.h"

#include "abstractnote.h"
#include "canvasnote.h"
#include "listnote.h"
#include "notefactory.h"
#include "notesmodel.h"
#include "notesproxymodel.h"
#include "notewatcher.h"
#include "sessionguard.h"
#include "textnote.h"

#include <QtQml>

namespace {

// The process-wide watcher stays with the process: every engine gets the same
// object and none of them may delete it.
QObject *provideWatcher(QQmlEngine *, QJSEngine *)
{
    NoteWatcher *watcher = NoteWatcher::instance();
    QQmlEngine::setObjectOwnership(watcher, QQmlEngine::CppOwnership);
    return watcher;
}

QObject *provideSessionGuard(QQmlEngine *, QJSEngine *)
{
    SessionGuard *guard = SessionGuard::instance();
    QQmlEngine::setObjectOwnership(guard, QQmlEngine::CppOwnership);
    return guard;
}

QObject *provideFactory(QQmlEngine *, QJSEngine *)
{
    return new NoteFactory;
}

} // namespace

void NotesPlugin::registerTypes(const char *uri)
{
    qRegisterMetaType<TextNote *>("TextNote *");
    qRegisterMetaType<ListNote *>("ListNote *");
    qRegisterMetaType<CanvasNote *>("CanvasNote *");
    qmlRegisterType<NotesModel>(uri, 1, 0, "NotesModel");
    qmlRegisterType<NotesProxyModel>(uri, 1, 0, "NotesProxyModel");
    qmlRegisterSingletonType<NoteWatcher>(uri, 1, 0, "NoteWatcher", provideWatcher);
    qmlRegisterSingletonType<NoteFactory>(uri, 1, 0, "NoteFactory", provideFactory);
    qmlRegisterSingletonType<SessionGuard>(uri, 1, 0, "SessionGuard", provideSessionGuard);
    qmlRegisterUncreatableType<AbstractNote>(uri, 1, 0, "Note", QStringLiteral("Only for enum and note factory!"));
    // QML passes the enumerations to invokables (the factory's kind) and
    // properties (the reminder type); it finds their types only by name.
    qRegisterMetaType<AbstractNote::NoteType>("AbstractNote::NoteType");
    qRegisterMetaType<AbstractNote::NotifyType>("AbstractNote::NotifyType");
}

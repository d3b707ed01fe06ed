#include "soundplayer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace {

using PlayFunction = QObject *(*)(const QString &);

QString g_error;

// Beside a program of the build tree (bin/../lib/zib-notes), else where the
// package installs it.
QString modulePath()
{
    const QString name = QStringLiteral("/zib-notes-sound.so");
    const QString besideProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/zib-notes") + name;
    if (QFileInfo::exists(besideProgram))
        return besideProgram;
    return QStringLiteral(ZIB_NOTES_MODULE_DIR) + name;
}

PlayFunction playFunction()
{
    static const PlayFunction function = [] {
        static QLibrary module(modulePath());
        auto resolved = reinterpret_cast<PlayFunction>(module.resolve("zibNotesPlaySound"));
        if (!resolved)
            g_error = module.errorString();
        return resolved;
    }();
    return function;
}

} // namespace

QObject *SoundPlayer::play(const QString &path)
{
    const PlayFunction function = playFunction();
    return function ? function(path) : nullptr;
}

QString SoundPlayer::errorString()
{
    return g_error;
}

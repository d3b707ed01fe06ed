#include "startuppreloader.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QList>
#include <QThread>

#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

namespace {
// Qt's own modules of the main window, in the order the engine imports them.
const char *const qtQmlPlugins[] = {
    "/QtQuick.2/libqtquick2plugin.so",
    "/QtQuick/Window.2/libwindowplugin.so",
    "/QtQuick/Controls.2/libqtquickcontrols2plugin.so",
    "/QtQuick/Templates.2/libqtquicktemplates2plugin.so",
};
const char *const ownQmlPlugins[] = {
    "/Zib/Components/libzibcomponents.so",
    "/Zib/NotesBase/libnotesbase.so",
};

// The directory of the running program, from the kernel.
QByteArray programDir()
{
    char exe[4096];
    const ssize_t length = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (length <= 0)
        return {};
    QByteArray dir(exe, int(length));
    dir.truncate(dir.lastIndexOf('/'));
    return dir;
}

bool exists(const QByteArray &path)
{
    return ::access(path.constData(), F_OK) == 0;
}
} // namespace

QByteArray StartupPreloader::buildTreeQmlDir()
{
    QByteArray dir = programDir();
    if (dir.isEmpty())
        return {};
    dir.truncate(dir.lastIndexOf('/'));
    dir += "/qml";
    return exists(dir + "/Zib") ? dir : QByteArray();
}

StartupPreloader::StartupPreloader()
{
    // Qt takes the first thread that asks for its thread data as the main
    // thread: this one, before a library set up on the other could.
    QThread::currentThread();
    if (std::getenv("QML2_IMPORT_PATH") || std::getenv("QML_IMPORT_PATH"))
        return;
    // Before the application object exists Qt does not read a qt.conf
    // beside the program, which may point it at other Qt directories.
    const QByteArray dir = programDir();
    if (exists(dir + "/qt.conf") || exists(dir + "/qt5.conf"))
        return;
    // Not the platform plugin: the application object opens it at once and
    // would only wait here for the linker's lock.
    QList<QByteArray> files;
    const QByteArray qtQmlDir = QLibraryInfo::location(QLibraryInfo::Qml2ImportsPath).toLocal8Bit();
    for (const char *plugin : qtQmlPlugins)
        files << qtQmlDir + plugin;
    const QByteArray buildTree = buildTreeQmlDir();
    const QByteArray ownDir = buildTree.isEmpty() ? qtQmlDir : buildTree;
    for (const char *plugin : ownQmlPlugins)
        files << ownDir + plugin;
    // The same flags as Qt's plugin loader; the handles stay open, as Qt
    // keeps its plugins for the whole run anyway.
    m_linker = std::thread([files] {
        for (const QByteArray &file : files)
            ::dlopen(file.constData(), RTLD_LAZY | RTLD_LOCAL);
    });
}

void StartupPreloader::waitForLinking()
{
    if (m_linker.joinable())
        m_linker.join();
}

void StartupPreloader::readFonts()
{
    // The database is shared by all threads and guarded by Qt's own lock.
    if (!m_fonts.joinable())
        m_fonts = std::thread([] { QFontDatabase().families(); });
}

void StartupPreloader::wait()
{
    waitForLinking();
    if (m_fonts.joinable())
        m_fonts.join();
}

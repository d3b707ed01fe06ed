#ifndef STARTUPPRELOADER_H
#define STARTUPPRELOADER_H

#include <QByteArray>

#include <thread>

// Work that the main window's first frame would otherwise wait for, done on
// threads of its own while the main thread is busy elsewhere: linking the
// QML plugins while the application object connects to the display, and
// reading the font configuration while the QML engine loads the documents.
class StartupPreloader
{
public:
    // Before the application object exists: links the QML plugins, which
    // the engine later opens and finds linked. Nothing is linked where
    // QML2_IMPORT_PATH or QML_IMPORT_PATH may make the engine take other
    // copies.
    StartupPreloader();
    ~StartupPreloader() { wait(); }

    // Right after the application object is made, before anything may end
    // the program: exit() while a library is being set up takes the
    // process down with it.
    void waitForLinking();
    // Once the application object exists: fills Qt's font database, which
    // the first text laid out would do on the main thread.
    void readFonts();
    // Before the application object goes, which takes the font database along.
    void wait();

    // From the build tree the program's modules lie in bin/../qml; installed,
    // they lie in Qt's own QML directory and this is empty.
    static QByteArray buildTreeQmlDir();

    StartupPreloader(const StartupPreloader &) = delete;
    StartupPreloader &operator=(const StartupPreloader &) = delete;

private:
    std::thread m_linker;
    std::thread m_fonts;
};

#endif // STARTUPPRELOADER_H

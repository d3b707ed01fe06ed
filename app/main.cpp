#include "diagnostics.h"
#include "notelauncher.h"
#include "sessionenvironment.h"
#include "singleapplication.h"
#include "startuppreloader.h"
#include "tray.h"
#include "zibinit.h"

#include <QCommandLineParser>
#include <QDBusConnection>
#include <QFile>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QThreadPool>
#include <QUrl>

#include <cstdio>
#include <functional>
#include <memory>

// Diagnostics hooks for tests and benchmarks (ZIB_NOTES_MESSAGE_LOG,
// ZIB_NOTES_TRAY_LOG, ZIB_NOTES_TRAY_AUTOCLICK_MS, ZIB_NOTES_PAGE_LOG,
// ZIB_NOTES_EXIT_AFTER_FIRST_FRAME, ZIB_NOTES_EXIT_DELAY_MS, ZIB_NOTES_SCREENSHOT)
// are described in diagnostics.h; none does anything unless its variable is set.

namespace {
// The display platform when the user named none: Wayland first in a Wayland
// session (X11 is only there with Xwayland), X11 otherwise. Without any
// display the GUI application object cannot even be created, yet a start
// under cron or from a bare environment must still reach the running
// instance; offscreen is only a fallback for that hand-over.
bool addOffscreenFallback()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return false;
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    qputenv("QT_QPA_PLATFORM", wayland ? "wayland;xcb;offscreen" : "xcb;offscreen");
    return true;
}

// Qt holds every frame that X11 asks for back by 5 ms, to bunch updates
// where the display sets no pace. Qt Quick bunches them itself and its
// animations keep their own pace, so the wait only made every frame (every
// step of a scroll, every key press shown) 5 ms later. The user's own value
// is kept.
void showFramesWithoutDelay()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_UPDATE_IDLE_TIME"))
        qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
}

// Only plain note file names travel in start messages: anything else (a
// path such as ../../some/file) would have the instance read files outside
// the notes directory. True, with a word on standard error, for such a value.
bool refusesNoteId(const QString &value)
{
    if (value.isEmpty() || SingleApplication::isNoteName(value))
        return false;
    const QString text = QCoreApplication::translate("main", "Not a note file name: %1").arg(value);
    std::fprintf(stderr, "zib-notes: %s\n", text.toLocal8Bit().constData());
    return true;
}

void addBuildTreeImportPath(QQmlApplicationEngine &engine)
{
    const QByteArray dir = StartupPreloader::buildTreeQmlDir();
    if (!dir.isEmpty())
        engine.addImportPath(QFile::decodeName(dir));
}

// Runs work once, right after the window's first frame, or at once when the
// window is not shown (no frame to wait for).
void afterFirstFrame(QObject *root, bool shown, const std::function<void()> &work)
{
    auto *window = qobject_cast<QQuickWindow *>(root);
    if (!window || !shown) {
        work();
        return;
    }
    auto *once = new QObject(window);
    QObject::connect(
        window, &QQuickWindow::frameSwapped, once,
        [once, work] {
            // Not inside the swap: with the software renderer that is this thread.
            QMetaObject::invokeMethod(once, work, Qt::QueuedConnection);
            QObject::disconnect(once, nullptr, nullptr, nullptr);
            once->deleteLater();
        },
        Qt::DirectConnection);
}
} // namespace

int main(int argc, char *argv[])
{
    Diagnostics::markProcessStart();
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling, true);
    const bool platformFallback = addOffscreenFallback();
    showFramesWithoutDelay();
    StartupPreloader preloader;

    SingleApplication app(argc, argv, true);
    preloader.waitForLinking();
    if (platformFallback)
        qunsetenv("QT_QPA_PLATFORM");

    zibInit(QStringLiteral(ZIB_NOTES_VERSION), QStringLiteral("Notes"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zib Notes"));
    parser.addHelpOption();
    const QCommandLineOption taskOption(QStringList { QStringLiteral("t"), QStringLiteral("task") },
                                        QCoreApplication::translate("main", "Notify task <noteId>."),
                                        QCoreApplication::translate("main", "noteId"), QString());
    const QCommandLineOption showOption(QStringList { QStringLiteral("s"), QStringLiteral("show") },
                                        QCoreApplication::translate("main", "Show task <noteId>."),
                                        QCoreApplication::translate("main", "noteId"), QString());
    const QCommandLineOption createOption(QStringList { QStringLiteral("c"), QStringLiteral("create") },
                                          QCoreApplication::translate("main", "Create task."));
    parser.addOption(taskOption);
    parser.addOption(showOption);
    parser.addOption(createOption);
    const QCommandLineOption backgroundOption(
        QStringLiteral("background"),
        QCoreApplication::translate("main", "Start in the background, without a window."));
    parser.addOption(backgroundOption);
    // For zib-notes-notify: hand over to a running instance, never become one.
    QCommandLineOption handOverOption(QString::fromLatin1(NoteLauncher::handOverOption), QString());
    handOverOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(handOverOption);
    parser.process(app);

    const QString taskValue = parser.value(taskOption);
    const QString showValue = parser.value(showOption);
    if (refusesNoteId(taskValue) || refusesNoteId(showValue))
        return 1;
    QString message;
    if (!taskValue.isEmpty())
        message = QStringLiteral("noteId ") + taskValue;
    if (!showValue.isEmpty())
        message = QStringLiteral("showId ") + showValue;
    if (parser.isSet(createOption))
        message = QStringLiteral("createNote");

    const bool handOverOnly = parser.isSet(handOverOption);
    if (app.isRunning()) {
        if (message.isEmpty() && parser.isSet(backgroundOption))
            return 0;
        const bool taken = app.sendMessage(message.isEmpty() ? QStringLiteral("raise") : message, 5000);
        return taken || !handOverOnly ? -1 : NoteLauncher::noInstanceStatus;
    }
    if (handOverOnly)
        return NoteLauncher::noInstanceStatus;
    // Started without a display and nobody to hand the request to: an
    // invisible instance would only swallow every later start.
    if (platformFallback && QGuiApplication::platformName() == QLatin1String("offscreen"))
        return 1;

    // The first Qt Quick control asks whether a screen reader runs, which
    // waits for the session bus: connect to it meanwhile on another thread
    // while the window is made.
    QThreadPool::globalInstance()->start(QRunnable::create([] { QDBusConnection::sessionBus(); }));

    // The icon theme, the tray (with its D-Bus look-ups) and the icons come
    // after the window's first frame; until then "tray" is null in QML. A
    // message that arrives earlier makes the tray first, before QML sees it.
    std::unique_ptr<Tray> tray;
    QQmlApplicationEngine engine;
    // The font configuration is read while the engine loads the window's
    // documents, when this thread mostly waits for the loader's. Read while
    // the engine was being made, it took the processor from that instead.
    preloader.readFonts();
    const auto ensureTray = [&tray, &engine] {
        if (tray)
            return;
        QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("zib-notes")));
        tray = std::make_unique<Tray>();
        Diagnostics::attachTray(tray.get());
        engine.rootContext()->setContextProperty(QStringLiteral("tray"), tray.get());
    };
    QObject::connect(&app, &SingleApplication::messageReceived, &app, [ensureTray](const QString &message) {
        // The own start message waits in QML until the window has settled.
        if (message.indexOf(QLatin1String("onStart")) <= 0)
            ensureTray();
    });
    const bool showWindow = taskValue.isEmpty() && !parser.isSet(backgroundOption);
    Diagnostics diagnostics(&app, &engine);
    addBuildTreeImportPath(engine);
    engine.rootContext()->setContextProperty(QStringLiteral("singleApp"), &app);
    engine.rootContext()->setContextProperty(QStringLiteral("tray"), static_cast<QObject *>(nullptr));
    engine.rootContext()->setContextProperty(QStringLiteral("showWindowOnStart"), showWindow);
    engine.load(QUrl(QStringLiteral("qrc:///qml/main.qml")));
    diagnostics.watchWindow();
    // What the notifier needs to reach this session waits for the first
    // frame as well: writing it waits for the disk.
    afterFirstFrame(engine.rootObjects().value(0), showWindow, [ensureTray] {
        SessionEnvironment::recordIfGraphical(QGuiApplication::platformName());
        ensureTray();
    });

    if (!message.isEmpty())
        emit app.messageReceived(message + QStringLiteral(" onStart"));

    const int status = app.exec();
    preloader.wait();
    return status;
}

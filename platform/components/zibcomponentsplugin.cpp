#include "zibcomponentsplugin.h"

#include "zibhelper.h"
#include "zibiconlookup.h"
#include "zibicontheme.h"
#include "zibsettings.h"
#include "zibstyles.h"
#include "zibthemeimageprovider.h"

#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QScreen>
#include <QtQml>

namespace {

// One scale only: where the user had Qt scale the window (QT_SCALE_FACTOR,
// QT_SCREEN_SCALE_FACTORS, or Qt's own high-DPI scaling), sizes are not
// multiplied a second time by the screen's resolution.
qreal screenDpiRatio()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1.0;
    const bool qtScales = !qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")
        || !qEnvironmentVariableIsEmpty("QT_SCREEN_SCALE_FACTORS") || screen->devicePixelRatio() > 1.0;
    return ZibStyles::dpiRatio(screen->logicalDotsPerInch(), qtScales);
}

QObject *helperProvider(QQmlEngine *, QJSEngine *)
{
    return new ZibHelper;
}

} // namespace

void ZibComponentsPlugin::registerTypes(const char *uri)
{
    qmlRegisterSingletonType<ZibHelper>(uri, 1, 0, "ZibHelper", helperProvider);
}

void ZibComponentsPlugin::initializeEngine(QQmlEngine *engine, const char *uri)
{
    Q_UNUSED(uri)
    ZibIconTheme::addShippedIcons();
    ZibIconTheme::ensureUsableTheme();
    // The index of icon files is built after the window's first frame
    // (ZibHelper.prepareIcons) or by the first look-up, not during start.
    ZibIconLookup::rememberTheme();

    const qreal dpiRatio = screenDpiRatio();
    QQmlContext *context = engine->rootContext();
    context->setContextProperty(QStringLiteral("styles"),
                                ZibStyles::create(dpiRatio, ZibStyles::prefersDark(QGuiApplication::palette())));
    context->setContextProperty(QStringLiteral("settings"), new ZibSettings(engine));
    context->setContextProperty(QStringLiteral("dpiRatio"), dpiRatio);
    context->setContextProperty(QStringLiteral("debug"), qgetenv("ZIB_DEBUG") == "1");
    context->setContextProperty(QStringLiteral("isDesktopMode"), true);

    engine->addImageProvider(QStringLiteral("ThemeImageProvider"), new ZibThemeImageProvider);
}

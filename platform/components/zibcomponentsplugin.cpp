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

qreal screenDpiRatio()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1.0;
    return qMax<qreal>(1.0, screen->logicalDotsPerInch() / 96.0);
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
    ZibIconLookup::prepareInBackground();

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

#include "zibcomponentsplugin.h"

#include "zibhelper.h"
#include "zibiconlookup.h"
#include "zibicontheme.h"
#include "zibsettings.h"
#include "zibstyles.h"
#include "zibthemeimageprovider.h"

#include <QGuiApplication>
#include <QJSValueIterator>
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

// The styles as one frozen JavaScript object, made once. A QVariantMap in the
// context is turned into a new object, with a wrapper for every colour, at
// each look-up of the name: every card of the notes list paid that a dozen
// times. Frozen, like the copies were, QML code cannot change it for others.
QJSValue frozen(QJSEngine *engine, const QJSValue &value)
{
    // Only the maps; a colour is a value already.
    if (value.toVariant().userType() != QMetaType::QVariantMap)
        return value;
    QJSValueIterator member(value);
    while (member.hasNext()) {
        member.next();
        frozen(engine, member.value());
    }
    return engine->globalObject().property(QStringLiteral("Object")).property(QStringLiteral("freeze")).call({ value });
}

// The module's documents, compiled ahead of time into this plugin: no
// document is read or compiled from disk when a window starts. ZibTumbler
// is only used inside the module and is found beside the others.
const char *const componentNames[] = {
    "ZibRoot",
    "ZibPage",
    "ZibToolBar",
    "ZibMenuButton",
    "ZibColoredImage",
    "ZibSeparator",
    "ZibLabel",
    "ZibScrollBar",
    "ZibTextEditRaw",
    "ZibSlider",
    "ZibTouchAnimation",
    "ZibSettingsListView",
    "ZibSettingsItemData",
    "ZibSettingsComboBoxItemData",
    "ZibSettingsCategoryItemData",
    "ZibSettingsDateItemData",
    "ZibDialog",
    "ZibMessageDialog",
    "ZibListDialog",
    "ZibColorPickerDialog",
    "ZibTimePickerDialog",
    "ZibDatePickerDialog",
    "ZibRoundButton",
    "ZibShortcut",
};

QObject *helperProvider(QQmlEngine *, QJSEngine *)
{
    return new ZibHelper;
}

} // namespace

void ZibComponentsPlugin::registerTypes(const char *uri)
{
    qmlRegisterSingletonType<ZibHelper>(uri, 1, 0, "ZibHelper", helperProvider);
    for (const char *name : componentNames)
        qmlRegisterType(QUrl(QStringLiteral("qrc:/Zib/Components/%1.qml").arg(QLatin1String(name))), uri, 1, 0, name);
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
    const QVariantMap styles = ZibStyles::create(dpiRatio, ZibStyles::prefersDark(QGuiApplication::palette()));
    context->setContextProperty(QStringLiteral("styles"),
                                QVariant::fromValue(frozen(engine, engine->toScriptValue(styles))));
    context->setContextProperty(QStringLiteral("settings"), new ZibSettings(engine));
    context->setContextProperty(QStringLiteral("dpiRatio"), dpiRatio);
    context->setContextProperty(QStringLiteral("debug"), qgetenv("ZIB_DEBUG") == "1");
    context->setContextProperty(QStringLiteral("isDesktopMode"), true);

    engine->addImageProvider(QStringLiteral("ThemeImageProvider"), new ZibThemeImageProvider);
}

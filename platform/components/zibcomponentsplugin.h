#ifndef ZIBCOMPONENTSPLUGIN_H
#define ZIBCOMPONENTSPLUGIN_H

#include <QQmlExtensionPlugin>

// Serves Zib.Components: registers the helper singleton and gives every
// document of the engine the names styles, settings, dpiRatio, debug and
// isDesktopMode plus the "ThemeImageProvider" image provider.
class ZibComponentsPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override;
    void initializeEngine(QQmlEngine *engine, const char *uri) override;
};

#endif // ZIBCOMPONENTSPLUGIN_H

#ifndef ZIBICONTHEME_H
#define ZIBICONTHEME_H

#include <QString>

// Picks a usable freedesktop icon theme when the platform names none: without
// a desktop session Qt reports "hicolor", which holds almost no action icons.
class ZibIconTheme
{
public:
    // Sets "Adwaita" (or another installed full theme) as the icon theme when the
    // current one is empty or "hicolor". Returns the theme in use afterwards.
    static QString ensureUsableTheme();

    // True when a theme directory with an index.theme exists in the icon search paths.
    static bool isInstalled(const QString &themeName);
};

#endif // ZIBICONTHEME_H

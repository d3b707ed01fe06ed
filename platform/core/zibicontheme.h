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
    // Adds the XDG icon directories first (see addXdgSearchPaths).
    static QString ensureUsableTheme();

    // Appends ~/.icons and <XDG data dir>/icons to the icon search paths when
    // missing: platforms without a desktop theme (offscreen, eglfs) search
    // only Qt's resources.
    static void addXdgSearchPaths();

    // True when a theme directory with an index.theme exists in the icon search paths.
    static bool isInstalled(const QString &themeName);

    // Puts dir first in the icon theme search paths when it is a directory;
    // true when it is (now) there.
    static bool addSearchPath(const QString &dir);

    // The program's own icons beside <prefix>/bin, in the build tree as well
    // as installed: <prefix>/share/zib-notes/icons (the tray's, seen by this
    // program only) and <prefix>/share/icons. True when the first is there.
    static bool addShippedIcons();
};

#endif // ZIBICONTHEME_H

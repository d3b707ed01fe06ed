#ifndef ZIBICONLOOKUP_H
#define ZIBICONLOOKUP_H

#include <QString>
#include <QStringList>

// Finds the file to draw for a theme icon name. Qt's own lookup strips
// trailing "-word" parts until something matches, which silently turns
// "user-trash-empty" into an unrelated legacy picture; here only exact names
// count, tried as "<name>-symbolic" and "<name>" for the name itself and then
// for the alternatives of a small table of names the installed themes lack.
//
// The icon files of the current theme, its parents and hicolor are indexed
// once (a directory walk of some ten milliseconds); prepareInBackground()
// does that off the GUI thread while the first documents load. The lookup
// is thread-safe, so images can be loaded asynchronously.
class ZibIconLookup
{
public:
    // The theme icon name to use for name, or an empty string when neither it
    // nor an alternative exists in the current theme, its parents or hicolor.
    static QString resolve(const QString &name);

    // The file of a resolved name best suited to draw it size pixels high:
    // a scalable one, else the smallest at least as big, else the biggest.
    static QString filePath(const QString &resolvedName, int size);

    // Alternatives tried, in order, when name itself is missing.
    static QStringList alternatives(const QString &name);

    // False for names that must not reach the file system lookup ("../x", "a/b", "").
    static bool isSafeName(const QString &name);

    // Takes the current icon theme and search paths (GUI thread only) and
    // builds their index on a worker thread.
    static void prepareInBackground();
    // Takes note of the icon theme and its search paths (GUI thread only),
    // so that look-ups from other threads work before any index is built.
    static void rememberTheme();

    // Forgets the index (after the theme or search paths changed).
    static void reset();
};

#endif // ZIBICONLOOKUP_H

#ifndef ZIBICONLOOKUP_H
#define ZIBICONLOOKUP_H

#include <QSet>
#include <QString>
#include <QStringList>

// Finds which theme icon to draw for a requested name. Qt's own lookup strips
// trailing "-word" parts until something matches, which silently turns
// "user-trash-empty" into an unrelated legacy picture; here only exact names
// count, tried as "<name>-symbolic" and "<name>" for the name itself and then
// for the alternatives of a small table of names the installed themes lack.
class ZibIconLookup
{
public:
    // The theme icon name to load for name, or an empty string when neither
    // it nor an alternative exists in the current theme, its parents or hicolor.
    static QString resolve(const QString &name);

    // Alternatives tried, in order, when name itself is missing.
    static QStringList alternatives(const QString &name);

    // False for names that must not reach the file system lookup ("../x", "a/b", "").
    static bool isSafeName(const QString &name);

    // Forgets the scanned icon names (after the theme or search paths changed).
    static void reset();

private:
    static QSet<QString> availableNames();
    static QStringList themeChain(const QString &theme);
};

#endif // ZIBICONLOOKUP_H

#ifndef ZIBTRANSLATIONS_H
#define ZIBTRANSLATIONS_H

#include <QLocale>
#include <QString>
#include <QStringList>

class QTranslator;

// The translators of a desktop program: Qt's own texts, the program's
// catalogue, the notes module's and the components module's, each for the
// user's first language that has one, English (for the plural forms)
// otherwise. Catalogues lie in <share>/<program>/translations and
// <share>/zib/translations, <share> being the folder beside bin/.
class ZibTranslations
{
public:
    // Installs every catalogue found for locale under share on the
    // application; returns the files loaded. Translators installed here
    // earlier are removed first.
    static QStringList install(const QLocale &locale = QLocale(), const QString &share = shareDir());

    // Loads the catalogue name (such as "zib-notes") from dir into translator
    // for the first of locale's languages that has one, else its English one.
    static bool load(QTranslator *translator, const QLocale &locale, const QString &name, const QString &dir);

    // <prefix>/share beside the program's bin/ folder.
    static QString shareDir();
};

#endif // ZIBTRANSLATIONS_H

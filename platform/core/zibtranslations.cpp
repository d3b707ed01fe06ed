#include "zibtranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <QVector>

namespace {
QVector<QTranslator *> &installed()
{
    static QVector<QTranslator *> translators;
    return translators;
}
} // namespace

QString ZibTranslations::shareDir()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1String("/../share"));
}

bool ZibTranslations::load(QTranslator *translator, const QLocale &locale, const QString &name, const QString &dir)
{
    if (translator->load(locale, name, QStringLiteral("_"), dir))
        return true;
    // "C" and languages without a catalogue: English holds the plural forms.
    return translator->load(name + QLatin1String("_en"), dir);
}

QStringList ZibTranslations::install(const QLocale &locale, const QString &share)
{
    QStringList loaded;
    auto *app = QCoreApplication::instance();
    if (!app)
        return loaded;
    for (QTranslator *old : qAsConst(installed())) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    installed().clear();

    const QString program = QCoreApplication::applicationName();
    const QString own = share + QLatin1Char('/') + program + QLatin1String("/translations");
    const QString desktop = share + QLatin1String("/zib/translations");
    const struct
    {
        QString name;
        QString dir;
    } catalogues[] = {
        { QStringLiteral("qtbase"), QLibraryInfo::location(QLibraryInfo::TranslationsPath) },
        { program, own },
        { QStringLiteral("notesbase"), own },
        { QStringLiteral("zibcomponents"), desktop },
    };
    for (const auto &catalogue : catalogues) {
        auto *translator = new QTranslator(app);
        // Qt has no English catalogue; its source texts are English already.
        const bool ok = catalogue.name == QLatin1String("qtbase")
            ? translator->load(locale, catalogue.name, QStringLiteral("_"), catalogue.dir)
            : load(translator, locale, catalogue.name, catalogue.dir);
        if (!ok) {
            delete translator;
            continue;
        }
        QCoreApplication::installTranslator(translator);
        installed().append(translator);
        loaded << translator->filePath();
    }
    return loaded;
}

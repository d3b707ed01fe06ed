#include "zibiconlookup.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSettings>

namespace {

QMutex indexMutex;
QSet<QString> cachedNames;
QString cachedKey;

// Names used by the pages and the desktop that common themes name differently.
const QHash<QString, QStringList> &fallbackTable()
{
    static const QHash<QString, QStringList> table {
        { QStringLiteral("pencil"), { QStringLiteral("document-edit"), QStringLiteral("edit") } },
        { QStringLiteral("user-trash-empty"), { QStringLiteral("user-trash"), QStringLiteral("edit-delete") } },
        { QStringLiteral("fill"), { QStringLiteral("color-fill") } },
        { QStringLiteral("format-stroke-color"), { QStringLiteral("format-text-color") } },
        { QStringLiteral("transform-move"), { QStringLiteral("list-drag-handle"), QStringLiteral("view-more") } },
        { QStringLiteral("edit-add"), { QStringLiteral("list-add") } },
        { QStringLiteral("leftjust"), { QStringLiteral("format-justify-left") } },
        { QStringLiteral("format-list-unordered"),
          { QStringLiteral("view-list-bullet"), QStringLiteral("view-list") } },
        { QStringLiteral("task-reminder"), { QStringLiteral("alarm"), QStringLiteral("appointment-soon") } },
        { QStringLiteral("audit-all"), { QStringLiteral("alarm"), QStringLiteral("task-due") } },
        { QStringLiteral("zib-notes"), { QStringLiteral("accessories-text-editor"), QStringLiteral("text-editor") } },
        { QStringLiteral("view-grid"), { QStringLiteral("view-app-grid") } },
        { QStringLiteral("view-list-details"), { QStringLiteral("view-list") } },
        { QStringLiteral("view-list-icons"), { QStringLiteral("view-grid"), QStringLiteral("view-app-grid") } },
        { QStringLiteral("view-list-text"), { QStringLiteral("view-list") } },
        { QStringLiteral("go-previous"), { QStringLiteral("go-previous"), QStringLiteral("pan-start") } },
        { QStringLiteral("dialog-ok"), { QStringLiteral("object-select"), QStringLiteral("emblem-ok") } },
        { QStringLiteral("dialog-ok-apply"), { QStringLiteral("object-select"), QStringLiteral("emblem-ok") } },
        { QStringLiteral("dialog-cancel"), { QStringLiteral("window-close"), QStringLiteral("process-stop") } },
        { QStringLiteral("window-close"), { QStringLiteral("process-stop") } },
        { QStringLiteral("edit-find"), { QStringLiteral("system-search") } },
        { QStringLiteral("search"), { QStringLiteral("edit-find"), QStringLiteral("system-search") } },
        { QStringLiteral("edit-clear"), { QStringLiteral("edit-delete") } },
        { QStringLiteral("checkmark"), { QStringLiteral("object-select") } },
    };
    return table;
}

QString baseIconName(const QString &fileName)
{
    static const QRegularExpression suffix(QStringLiteral("(\\.symbolic)?\\.(svg|svgz|png|xpm)$"));
    const QRegularExpressionMatch match = suffix.match(fileName);
    return match.hasMatch() ? fileName.left(match.capturedStart()) : QString();
}

} // namespace

bool ZibIconLookup::isSafeName(const QString &name)
{
    if (name.isEmpty() || name.size() > 200)
        return false;
    if (name.startsWith(QLatin1Char('.')))
        return false;
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

QStringList ZibIconLookup::alternatives(const QString &name)
{
    return fallbackTable().value(name);
}

QStringList ZibIconLookup::themeChain(const QString &theme)
{
    QStringList chain;
    QStringList pending { theme };
    const QStringList paths = QIcon::themeSearchPaths();
    while (!pending.isEmpty() && chain.size() < 16) {
        const QString current = pending.takeFirst();
        if (current.isEmpty() || chain.contains(current))
            continue;
        chain << current;
        for (const QString &path : paths) {
            const QString index = path + QLatin1Char('/') + current + QLatin1String("/index.theme");
            if (!QFileInfo::exists(index))
                continue;
            const QSettings settings(index, QSettings::IniFormat);
            pending << settings.value(QStringLiteral("Icon Theme/Inherits")).toStringList();
            break;
        }
    }
    if (!chain.contains(QLatin1String("hicolor")))
        chain << QStringLiteral("hicolor");
    return chain;
}

QSet<QString> ZibIconLookup::availableNames()
{
    const QString theme = QIcon::themeName();
    const QStringList paths = QIcon::themeSearchPaths();
    const QString key = theme + QLatin1Char('|') + paths.join(QLatin1Char('|'));

    QMutexLocker locker(&indexMutex);
    if (key == cachedKey)
        return cachedNames;

    QSet<QString> names;
    const QStringList chain = themeChain(theme);
    for (const QString &path : paths) {
        for (const QString &themeDir : chain) {
            QDirIterator it(path + QLatin1Char('/') + themeDir, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                it.next();
                const QString base = baseIconName(it.fileName());
                if (!base.isEmpty())
                    names.insert(base);
            }
        }
    }
    cachedNames = names;
    cachedKey = key;
    return names;
}

void ZibIconLookup::reset()
{
    QMutexLocker locker(&indexMutex);
    cachedKey.clear();
    cachedNames.clear();
}

QString ZibIconLookup::resolve(const QString &name)
{
    if (!isSafeName(name))
        return QString();
    const QSet<QString> names = availableNames();
    QStringList candidates { name };
    candidates << alternatives(name);
    for (const QString &candidate : qAsConst(candidates)) {
        // Symbolic first: the monochrome variants look alike and take any colour.
        if (!candidate.endsWith(QLatin1String("-symbolic")) && names.contains(candidate + QLatin1String("-symbolic")))
            return candidate + QLatin1String("-symbolic");
        if (names.contains(candidate))
            return candidate;
    }
    return QString();
}

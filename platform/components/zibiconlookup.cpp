#include "zibiconlookup.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QMutex>
#include <QMutexLocker>
#include <QRunnable>
#include <QSettings>
#include <QThread>
#include <QThreadPool>
#include <QVector>

#include <dirent.h>
#include <functional>
#include <sys/stat.h>

namespace {

struct IconFile
{
    int size = 0; // 0: scalable
    QString path;
};

using IconIndex = QHash<QString, QVector<IconFile>>;

// Theme and search paths as last seen on the GUI thread, and their index.
QMutex stateMutex;
QString currentTheme;
QStringList currentPaths;
bool haveCurrent = false;

QMutex indexMutex; // held while building, so that concurrent lookups wait for one walk
IconIndex cachedIndex;
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
        { QStringLiteral("go-previous"), { QStringLiteral("pan-start") } },
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
    QStringRef name(&fileName);
    if (name.endsWith(QLatin1String(".svg")) || name.endsWith(QLatin1String(".png")))
        name.chop(4);
    else if (name.endsWith(QLatin1String(".svgz")))
        name.chop(5);
    else
        return QString();
    if (name.endsWith(QLatin1String(".symbolic")))
        name.chop(9);
    return name.toString();
}

// "48x48/actions/x.png" -> 48, "scalable/actions/x.svg" -> 0 (drawn at any size).
int sizeOf(const QString &relativePath, const QString &fileName)
{
    if (fileName.endsWith(QLatin1String(".svg")) || fileName.endsWith(QLatin1String(".svgz")))
        return 0;
    int size = 0;
    for (const QChar c : relativePath) {
        if (!c.isDigit())
            break;
        size = size * 10 + c.digitValue();
        if (size > 4096)
            break;
    }
    return size > 0 ? size : 48;
}

QStringList themeChain(const QString &theme, const QStringList &paths)
{
    QStringList chain;
    QStringList pending { theme };
    while (!pending.isEmpty() && chain.size() < 16) {
        const QString current = pending.takeFirst().trimmed();
        if (current.isEmpty() || chain.contains(current) || !ZibIconLookup::isSafeName(current))
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

// Calls visit(relative path, file name) for every file below root, following
// links. Plain readdir: an icon theme holds thousands of files, and building a
// QFileInfo for each of them cost more than the rest of the start-up.
void forEachFile(const QString &root, const QString &relative, int depth,
                 const std::function<void(const QString &, const QString &)> &visit)
{
    if (depth > 8)
        return;
    const QString dirPath = relative.isEmpty() ? root : root + QLatin1Char('/') + relative;
    DIR *dir = ::opendir(QFile::encodeName(dirPath).constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        const QString path = relative.isEmpty() ? name : relative + QLatin1Char('/') + name;
        unsigned char type = entry->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat info;
            const QString full = root + QLatin1Char('/') + path;
            if (::stat(QFile::encodeName(full).constData(), &info) != 0)
                continue;
            type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_DIR)
            forEachFile(root, path, depth + 1, visit);
        else if (type == DT_REG)
            visit(path, name);
    }
    ::closedir(dir);
}

// A name found in a theme hides the same name in the themes it inherits.
IconIndex buildIndex(const QString &theme, const QStringList &paths)
{
    IconIndex index;
    const QStringList chain = themeChain(theme, paths);
    for (const QString &themeDir : chain) {
        IconIndex found;
        for (const QString &path : paths) {
            const QString root = path + QLatin1Char('/') + themeDir;
            forEachFile(root, QString(), 0, [&](const QString &relativePath, const QString &fileName) {
                const QString base = baseIconName(fileName);
                if (base.isEmpty() || index.contains(base))
                    return;
                found[base].append({ sizeOf(relativePath, fileName), root + QLatin1Char('/') + relativePath });
            });
        }
        for (auto i = found.cbegin(); i != found.cend(); ++i)
            index.insert(i.key(), i.value());
    }
    return index;
}

bool onGuiThread()
{
    return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

// QIcon's settings are read on the GUI thread only; workers use what it saw last.
void captureTheme()
{
    const QString theme = QIcon::themeName();
    const QStringList paths = QIcon::themeSearchPaths();
    QMutexLocker locker(&stateMutex);
    currentTheme = theme;
    currentPaths = paths;
    haveCurrent = true;
}

IconIndex currentIndex()
{
    if (onGuiThread())
        captureTheme();
    QString theme;
    QStringList paths;
    {
        QMutexLocker locker(&stateMutex);
        if (!haveCurrent)
            return IconIndex();
        theme = currentTheme;
        paths = currentPaths;
    }
    const QString key = theme + QLatin1Char('|') + paths.join(QLatin1Char('|'));
    QMutexLocker locker(&indexMutex);
    if (key != cachedKey) {
        cachedIndex = buildIndex(theme, paths);
        cachedKey = key;
    }
    return cachedIndex;
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

void ZibIconLookup::rememberTheme()
{
    if (onGuiThread())
        captureTheme();
}

void ZibIconLookup::prepareInBackground()
{
    if (!onGuiThread())
        return;
    captureTheme();
    QThreadPool::globalInstance()->start(QRunnable::create([] { currentIndex(); }));
}

void ZibIconLookup::reset()
{
    QMutexLocker locker(&indexMutex);
    cachedKey.clear();
    cachedIndex.clear();
}

QString ZibIconLookup::resolve(const QString &name)
{
    if (!isSafeName(name))
        return QString();
    const IconIndex index = currentIndex();
    QStringList candidates { name };
    candidates << alternatives(name);
    for (const QString &candidate : qAsConst(candidates)) {
        // Symbolic first: the monochrome variants look alike and take any colour.
        if (!candidate.endsWith(QLatin1String("-symbolic")) && index.contains(candidate + QLatin1String("-symbolic")))
            return candidate + QLatin1String("-symbolic");
        if (index.contains(candidate))
            return candidate;
    }
    return QString();
}

QString ZibIconLookup::filePath(const QString &resolvedName, int size)
{
    if (!isSafeName(resolvedName))
        return QString();
    const QVector<IconFile> files = currentIndex().value(resolvedName);
    const IconFile *best = nullptr;
    for (const IconFile &file : files) {
        if (file.size == 0)
            return file.path;
        if (!best)
            best = &file;
        else if (file.size >= size && (best->size < size || file.size < best->size))
            best = &file;
        else if (best->size < size && file.size > best->size)
            best = &file;
    }
    return best ? best->path : QString();
}

#include "notesproxymodel.h"

#include "notesdirectory.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace {

const int ModifyDateRole = Qt::UserRole + 2;
const int FileNameRole = Qt::UserRole + 3;
const int SearchTimeout = 3000;
const QString NotFound = QStringLiteral("___not___found___");

// One shell word holding text as it is: inside single quotes nothing is
// special but the single quote itself, which ends, escapes and reopens.
QString singleQuoted(QString text)
{
    text.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

bool isHexDigit(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

// A character as note files hold it: a backslash, "x" and its code in hex.
// In the grep pattern the backslash itself must be escaped.
QString escapedCode(QChar c)
{
    return QLatin1String("\\\\x") + QString::number(c.unicode(), 16);
}

// The filter as part of the single-quoted grep pattern. Note files keep line
// breaks, tabs, other control characters and everything outside ASCII
// escaped ("\n" as a backslash and an n, "é" as "\xe9", and a hex digit right
// after such a code as a code of its own), so the filter is searched for in
// that form. A raw line break would otherwise split the pattern into several
// and match lines of any key, and no text outside ASCII could ever be found.
QString patternText(const QString &filter)
{
    QString text;
    text.reserve(filter.size() + 8);
    bool escapeNextIfHexDigit = false;
    for (const QChar c : filter) {
        if (escapeNextIfHexDigit && isHexDigit(c)) {
            text += escapedCode(c);
            continue;
        }
        escapeNextIfHexDigit = false;
        switch (c.unicode()) {
        case '\'':
            text += QLatin1String("'\\''");
            break;
        case '\n':
            text += QLatin1String("\\\\n");
            break;
        case '\r':
            text += QLatin1String("\\\\r");
            break;
        case '\t':
            text += QLatin1String("\\\\t");
            break;
        case '\0':
            text += QLatin1String("\\\\0");
            escapeNextIfHexDigit = true;
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() >= 0x7f) {
                text += escapedCode(c);
                escapeNextIfHexDigit = true;
            } else {
                text += c;
            }
        }
    }
    return text;
}

} // namespace

NotesProxyModel::NotesProxyModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setSortRole(ModifyDateRole);
    setFilterRole(FileNameRole);
}

void NotesProxyModel::setSourceModel(QAbstractItemModel *sourceModel)
{
    QSortFilterProxyModel::setSourceModel(sourceModel);
    sort(0, Qt::DescendingOrder);
}

QString NotesProxyModel::searchCommand(const QString &directory, const QString &filter)
{
    return QLatin1String("cd ") + singleQuoted(QDir::toNativeSeparators(directory))
        + QLatin1String(" && grep --files-with-matches --line-regexp '\\(title=\\|\\([0-9]\\+\\\\\\)\\?text=\\).*")
        + patternText(filter) + QLatin1String(".*' *.note");
}

void NotesProxyModel::setFilter(const QString &filter)
{
    if (filter.isEmpty()) {
        setPattern(QString());
        return;
    }

    QProcess grep;
    grep.start(QStringLiteral("bash"), { QStringLiteral("-c"), searchCommand(notesDirectory(), filter) },
               QIODevice::ReadWrite);
    grep.closeWriteChannel();
    const bool finished = grep.waitForFinished(SearchTimeout);
    // A search still running after the limit counts with what it found so far.
    QStringList names;
    if (!finished || (grep.exitStatus() == QProcess::NormalExit && grep.exitCode() == 0))
        names = QString::fromLocal8Bit(grep.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!finished) {
        grep.kill();
        grep.waitForFinished(1000);
    }
    if (names.isEmpty())
        setPattern(NotFound);
    else
        setFileNames(names);
}

void NotesProxyModel::setPattern(const QString &pattern)
{
    foundNames.clear();
    foundPattern.clear();
    setFilterRegularExpression(pattern);
}

void NotesProxyModel::setFileNames(const QStringList &names)
{
    QStringList escaped;
    escaped.reserve(names.size());
    for (const QString &name : names)
        escaped << QRegularExpression::escape(name);
    foundNames = QSet<QString>(names.cbegin(), names.cend());
    foundPattern
        = QRegularExpression::anchoredPattern(QLatin1Char('(') + escaped.join(QLatin1Char('|')) + QLatin1Char(')'));
    setFilterRegularExpression(foundPattern);
}

bool NotesProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    // The same answer as the pattern of names, without matching thousands of
    // alternatives per row. The pattern still shares its text with the one
    // set here unless somebody else has set a filter since.
    const QRegularExpression filter = filterRegularExpression();
    if (!foundPattern.isEmpty() && filter.pattern().constData() == foundPattern.constData()
        && filter.patternOptions() == QRegularExpression::NoPatternOption) {
        const QModelIndex index = sourceModel()->index(sourceRow, filterKeyColumn(), sourceParent);
        return foundNames.contains(index.data(filterRole()).toString());
    }
    return QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent);
}

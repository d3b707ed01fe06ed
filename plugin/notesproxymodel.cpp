#include "notesproxymodel.h"

#include "noterowsmodel.h"
#include "notesdirectory.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace {

const int NoteRole = Qt::UserRole + 1;
const int ModifyDateRole = Qt::UserRole + 2;
const int FileNameRole = Qt::UserRole + 3;
const int SearchTimeout = 3000;
const QString NotFound = QStringLiteral("___not___found___");
// A fast fling brings in about eight cards a frame: the files of eight
// frames either way, handed on again once the cards come within four
// frames of their end.
const int ReadAheadRows = 64;
const int ReadAheadMargin = 32;

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

// A character that QSettings writes as a backslash and a letter.
QString namedEscape(QChar c)
{
    switch (c.unicode()) {
    case '\a':
        return QStringLiteral("a");
    case '\b':
        return QStringLiteral("b");
    case '\f':
        return QStringLiteral("f");
    case '\n':
        return QStringLiteral("n");
    case '\r':
        return QStringLiteral("r");
    case '\t':
        return QStringLiteral("t");
    case '\v':
        return QStringLiteral("v");
    default:
        return QString();
    }
}

// The filter as part of the single-quoted grep pattern, searched for in the
// form note files hold it: QSettings writes line breaks and other control
// characters as a backslash and a letter, a quote and a backslash with a
// backslash before them, everything outside ASCII as "\x" and its code (so
// "e" with an accent is "\xe9"), and a hex digit right after such a code as
// a code of its own. A raw line break would otherwise split the pattern into
// several and match lines of any key, and no text outside ASCII could ever
// be found. The other characters keep their meaning in the expression: "\\"
// stands for one backslash, as "\." stands for a dot.
QString patternText(const QString &filter)
{
    // How the stored text holds a hex digit depends on what came before it:
    // written as it is after a plain character, as a code after a code, and
    // either way at the start or after an operator of the expression.
    enum class Before { Unknown, Plain, Code };
    Before before = Before::Unknown;
    QString text;
    text.reserve(filter.size() + 8);
    for (int i = 0; i < filter.size(); ++i) {
        const QChar c = filter.at(i);
        const ushort u = c.unicode();
        if (isHexDigit(c)) {
            if (before == Before::Code)
                text += escapedCode(c);
            else if (before == Before::Unknown)
                text += QLatin1String("\\(") + c + QLatin1String("\\|") + escapedCode(c) + QLatin1String("\\)");
            else
                text += c;
            continue;
        }
        before = Before::Plain;
        const QChar next = i + 1 < filter.size() ? filter.at(i + 1) : QChar();
        if (u == '\\' && (next == QLatin1Char('\\') || next.isNull())) {
            // One backslash, written as two; a lone one at the end means the same.
            text += QLatin1String("\\\\\\\\");
            if (!next.isNull())
                ++i;
        } else if (u == '\\' && (next == QLatin1Char('"') || next.unicode() < 0x20 || next.unicode() >= 0x7f)) {
            // Nothing to quote in the expression: the character itself follows.
            before = Before::Unknown;
        } else if (u == '"') {
            text += QLatin1String("\\\\\"");
        } else if (u == '\'') {
            text += QLatin1String("'\\''");
        } else if (!namedEscape(c).isEmpty()) {
            text += QLatin1String("\\\\") + namedEscape(c);
        } else if (u == 0) {
            text += QLatin1String("\\\\0");
            before = Before::Code;
        } else if (u < 0x20 || u >= 0x7f) {
            text += escapedCode(c);
            before = Before::Code;
        } else {
            text += c;
            if (QStringLiteral(".*[]^$\\").contains(c))
                before = Before::Unknown;
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
    // Other rows stand where the files were read ahead.
    const auto forgetReadAhead = [this] {
        readAheadFrom = readAheadTo = 0;
    };
    connect(this, &QAbstractItemModel::modelReset, this, forgetReadAhead);
    connect(this, &QAbstractItemModel::layoutChanged, this, forgetReadAhead);
    connect(this, &QAbstractItemModel::rowsInserted, this, forgetReadAhead);
    connect(this, &QAbstractItemModel::rowsRemoved, this, forgetReadAhead);
}

QVariant NotesProxyModel::data(const QModelIndex &index, int role) const
{
    if (role == NoteRole && index.isValid())
        readAheadAround(index.row());
    return QSortFilterProxyModel::data(index, role);
}

void NotesProxyModel::readAheadAround(int row) const
{
    const bool nearStart = readAheadFrom > 0 && row < readAheadFrom + ReadAheadMargin;
    const bool nearEnd = readAheadTo < rowCount() && row >= readAheadTo - ReadAheadMargin;
    if (row >= readAheadFrom && row < readAheadTo && !nearStart && !nearEnd)
        return;
    const int from = qMax(0, row - ReadAheadRows);
    const int to = qMin(rowCount(), row + ReadAheadRows + 1);
    const QString directory = notesDirectory() + QLatin1Char('/');
    QStringList paths;
    for (int r = from; r < to; ++r) {
        if (r < readAheadFrom || r >= readAheadTo)
            paths << directory + index(r, 0).data(FileNameRole).toString();
    }
    readAheadFrom = from;
    readAheadTo = to;
    if (!paths.isEmpty())
        readAhead.readAhead(std::move(paths));
}

void NotesProxyModel::setSourceModel(QAbstractItemModel *sourceModel)
{
    noteRows = qobject_cast<const NoteRowsModel *>(sourceModel);
    QSortFilterProxyModel::setSourceModel(sourceModel);
    sort(0, Qt::DescendingOrder);
}

QString NotesProxyModel::searchCommand(const QString &directory, const QString &filter)
{
    return QLatin1String("cd ") + singleQuoted(QDir::toNativeSeparators(directory))
        + QLatin1String(" && grep --files-with-matches --no-messages --devices=skip --line-regexp "
                        "'\\(title=\\|\\([0-9]\\+\\\\\\)\\?text=\\).*")
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
    // Only plain files are read (a FIFO would block grep); a file that cannot
    // be read makes grep end with 2, but what it found in the others counts.
    const bool ran = grep.exitStatus() == QProcess::NormalExit && (grep.exitCode() == 0 || grep.exitCode() == 2);
    if (!finished || ran)
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
        // Every row is asked at each search: straight from the rows, not
        // through an index and a variant per row.
        if (noteRows && filterRole() == NoteRowsModel::FileNameRole && filterKeyColumn() == 0
            && !sourceParent.isValid())
            return foundNames.contains(noteRows->fileAt(sourceRow));
        const QModelIndex index = sourceModel()->index(sourceRow, filterKeyColumn(), sourceParent);
        return foundNames.contains(index.data(filterRole()).toString());
    }
    return QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent);
}

#include "notesconfreader.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDataStream>
#include <QFile>
#include <QVariant>

#include <algorithm>

namespace {

const int MaxLine = 4096;

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
        || c == '.';
}

bool plainName(const QByteArray &name, bool groupsAllowed)
{
    if (name.isEmpty())
        return false;
    for (const char c : name) {
        if (!isNameChar(c) && !(groupsAllowed && (c == '\\' || c == '%')))
            return false;
    }
    return !name.startsWith('\\') && !name.endsWith('\\') && !name.contains("\\\\");
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A group name with the escapes QSettings writes for other characters of a
// name: %XX and %UXXXX. Null when it holds anything else.
QString unescapeName(const QByteArray &name)
{
    // The common plain name in one allocation of its size: there is one
    // name a note, and 100,000 of them grown a character at a time would
    // take a quarter more.
    if (!name.contains('%'))
        return QString::fromLatin1(name);
    QString result;
    for (int i = 0; i < name.size(); ++i) {
        if (name.at(i) != '%') {
            result += QLatin1Char(name.at(i));
            continue;
        }
        const bool wide = i + 1 < name.size() && name.at(i + 1) == 'U';
        const int from = wide ? i + 2 : i + 1;
        const int digits = wide ? 4 : 2;
        if (from + digits > name.size())
            return QString();
        ushort code = 0;
        for (int j = from; j < from + digits; ++j) {
            const int digit = hexValue(name.at(j));
            if (digit < 0)
                return QString();
            code = ushort(code * 16 + digit);
        }
        result += QChar(code);
        i = from + digits - 1;
    }
    return result;
}

// The escapes QSettings writes into a value, each giving one Latin-1 byte.
bool unescape(const QByteArray &raw, QByteArray *bytes)
{
    bytes->clear();
    bytes->reserve(raw.size());
    for (int i = 0; i < raw.size(); ++i) {
        const char c = raw.at(i);
        if (c != '\\') {
            bytes->append(c);
            continue;
        }
        if (++i >= raw.size())
            return false;
        const char e = raw.at(i);
        static const char simple[] = "a\ab\bf\fn\nr\rt\tv\v\"\"''??\\\\";
        const char *found = std::find(simple, simple + sizeof(simple) - 1, e);
        if (found != simple + sizeof(simple) - 1 && (found - simple) % 2 == 0) {
            bytes->append(found[1]);
            continue;
        }
        const bool hex = e == 'x';
        if (!hex && (e < '0' || e > '7'))
            return false;
        int value = 0;
        int digits = 0;
        for (int j = hex ? i + 1 : i; j < raw.size(); ++j, ++digits) {
            const int digit = hex ? hexValue(raw.at(j)) : (raw.at(j) >= '0' && raw.at(j) <= '7' ? raw.at(j) - '0' : -1);
            if (digit < 0)
                break;
            value = value * (hex ? 16 : 8) + digit;
            if (value > 0xff)
                return false;
        }
        if (hex && digits == 0)
            return false;
        bytes->append(char(value));
        i = (hex ? i + 1 : i) + digits - 1;
    }
    return true;
}

// A value as QSettings would hand it over: a plain text, or one of its
// encoded variants, quoted as a whole when it holds a separator. False for
// what only QSettings can tell (lists, quotes within, outer spaces).
bool decodeRawValue(QByteArray raw, QVariant *value)
{
    const bool quoted = raw.size() >= 2 && raw.startsWith('"') && raw.endsWith('"');
    if (quoted)
        raw = raw.mid(1, raw.size() - 2);
    for (int i = 0; i < raw.size(); ++i) {
        const char c = raw.at(i);
        if (c == '\\')
            ++i;
        else if (c == '"' || (!quoted && (c == ',' || c == ';' || c == '=')))
            return false;
    }
    if (!quoted && !raw.isEmpty() && (raw.front() == ' ' || raw.back() == ' '))
        return false;
    QByteArray bytes;
    if (!unescape(raw, &bytes))
        return false;
    if (!bytes.startsWith('@')) {
        *value = QString::fromLatin1(bytes);
        return true;
    }
    if (!bytes.endsWith(')'))
        return false;
    if (bytes == "@Invalid()") {
        *value = QVariant();
        return true;
    }
    QDataStream::Version version;
    int offset;
    if (bytes.startsWith("@DateTime(")) {
        version = QDataStream::Qt_5_6;
        offset = 10;
    } else if (bytes.startsWith("@Variant(")) {
        version = QDataStream::Qt_4_0;
        offset = 9;
    } else {
        return false;
    }
    const QByteArray payload = QByteArray::fromRawData(bytes.constData() + offset, bytes.size() - offset - 1);
    QDataStream stream(payload);
    stream.setVersion(version);
    stream >> *value;
    return stream.status() == QDataStream::Ok && stream.atEnd();
}

// A '"' opens a quoted part that QSettings reads on past the end of the
// line; only a value quoted as a whole, with none within, is plain.
bool hasPlainQuoting(const QByteArray &raw)
{
    bool open = false;
    for (int i = 0; i < raw.size(); ++i) {
        const char c = raw.at(i);
        if (c == '\\')
            ++i;
        else if (c == '"' && i == 0)
            open = true;
        else if (c == '"' && (!open || i != raw.size() - 1))
            return false;
        else if (c == '"')
            open = false;
    }
    return !open;
}

struct Parser
{
    CollectionIndex::Listing *listing;
    QVector<CollectionIndex::Group> groups;
    QStringList sections;
    QString section;
    // Given, the names of the groups go here as they come and nothing is kept.
    NotesConfReader::NameVisitor visit;
    QString lastVisited;
    // Every name spelt as itself, without escapes: then no two lines can
    // name one key unless their text is the same.
    bool namesAsWritten = false;

    bool line(QByteArray text)
    {
        if (text.endsWith('\n'))
            text.chop(1);
        if (text.endsWith('\r'))
            text.chop(1);
        for (const char c : text) {
            if (uchar(c) < 0x20 || uchar(c) >= 0x7f)
                return false;
        }
        if (text.isEmpty())
            return true;
        if (text.endsWith('\\') || text.startsWith(';') || text.startsWith('#') || text.startsWith(' '))
            return false;
        if (text.startsWith('['))
            return sectionLine(text);
        const int equals = text.indexOf('=');
        if (equals <= 0)
            return false;
        const QByteArray key = text.left(equals);
        const QByteArray raw = text.mid(equals + 1);
        if (!plainName(key, true) || !hasPlainQuoting(raw) || (namesAsWritten && key.contains('%')))
            return false;
        if (section.isEmpty())
            return rootKey(key, raw);
        if (section == QLatin1String("Notes"))
            return notesKey(key, raw);
        return true;
    }

    bool sectionLine(const QByteArray &text)
    {
        const QByteArray name = text.mid(1, text.size() - 2);
        if (!text.endsWith(']') || !plainName(name, false))
            return false;
        section = QString::fromLatin1(name);
        if (section.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) {
            if (section != QLatin1String("General"))
                return false;
            section.clear();
        }
        // QSettings merges a section given twice; that is left to it.
        if (sections.contains(section))
            return false;
        sections.append(section);
        return true;
    }

    bool rootKey(const QByteArray &key, const QByteArray &raw)
    {
        if (key.contains('\\') || key.contains('%'))
            return false;
        QVariant value;
        if (key == "next-filename" || key == "last-modified-file" || key == "last-modification-date") {
            if (!decodeRawValue(raw, &value))
                return false;
        }
        if (key == "next-filename")
            listing->nextFilename = value.toString();
        else if (key == "last-modified-file")
            listing->lastModifiedFile = value.toString();
        else if (key == "last-modification-date")
            listing->lastModificationDate = value.toDateTime();
        return true;
    }

    bool notesKey(const QByteArray &key, const QByteArray &raw)
    {
        const int slash = key.indexOf('\\');
        if (slash < 0)
            return true;
        const QString group = unescapeName(key.left(slash));
        if (group.isEmpty() || key.indexOf('%', slash) >= 0)
            return false;
        if (visit) {
            if (group != lastVisited)
                visit(group);
            lastVisited = group;
            return true;
        }
        if (groups.isEmpty() || groups.constLast().file != group) {
            groups.append(CollectionIndex::Group());
            groups.last().file = group;
        }
        CollectionIndex::Group &entry = groups.last();
        const QByteArray name = key.mid(slash + 1);
        QVariant value;
        if (name == "modification-date") {
            if (!decodeRawValue(raw, &value))
                return false;
            entry.modifyDate = value.toDateTime();
        } else if (name == "note-type") {
            if (!decodeRawValue(raw, &value))
                return false;
            entry.type = value;
        }
        return true;
    }

    // In the order QSettings lists the groups, each once.
    bool finish()
    {
        const auto byName = [](const CollectionIndex::Group &a, const CollectionIndex::Group &b) {
            return a.file < b.file;
        };
        if (!std::is_sorted(groups.cbegin(), groups.cend(), byName))
            std::sort(groups.begin(), groups.end(), byName);
        for (int i = 1; i < groups.size(); ++i) {
            if (groups.at(i - 1).file == groups.at(i).file)
                return false;
        }
        return true;
    }
};

bool parse(QIODevice &file, Parser *parser, QCryptographicHash *hash = nullptr)
{
    QByteArray buffer(MaxLine, Qt::Uninitialized);
    while (!file.atEnd()) {
        const qint64 length = file.readLine(buffer.data(), MaxLine);
        if (length < 0)
            return false;
        // A line longer than the buffer is nothing QSettings writes here.
        if (length == MaxLine - 1 && buffer.at(int(length) - 1) != '\n')
            return false;
        if (hash)
            hash->addData(buffer.constData(), int(length));
        if (!parser->line(QByteArray::fromRawData(buffer.constData(), int(length))))
            return false;
    }
    return true;
}

bool parse(const QString &path, Parser *parser, QCryptographicHash *hash = nullptr)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && parse(file, parser, hash) && file.error() == QFile::NoError;
}

} // namespace

NotesConfReader::Result NotesConfReader::read(const QString &path, CollectionIndex::Listing *listing,
                                              QVector<CollectionIndex::Group> *groups, QCryptographicHash *hash)
{
    Parser parser { listing, {}, {}, {}, {}, {}, false };
    if (!parse(path, &parser, hash) || !parser.finish())
        return NotPlain;
    groups->swap(parser.groups);
    return Read;
}

NotesConfReader::Result NotesConfReader::readNames(const QString &path, const NameVisitor &visit)
{
    CollectionIndex::Listing listing;
    Parser parser { &listing, {}, {}, {}, visit, {}, false };
    return parse(path, &parser) ? Read : NotPlain;
}

bool NotesConfReader::isPlain(const QByteArray &content)
{
    QBuffer buffer;
    buffer.setData(content);
    if (!buffer.open(QIODevice::ReadOnly))
        return false;
    CollectionIndex::Listing listing;
    Parser parser { &listing, {}, {}, {}, [](const QString &) {}, {}, true };
    return parse(buffer, &parser);
}

bool NotesConfReader::decodeValue(const QByteArray &raw, QVariant *value)
{
    return decodeRawValue(raw, value);
}

bool NotesConfReader::isPlainName(const QByteArray &name, bool groupsAllowed)
{
    return plainName(name, groupsAllowed) && !name.contains('%');
}

#include "notesconfedit.h"

#include "notesconfreader.h"
#include "safeinifile.h"

#include <QDataStream>
#include <QDateTime>
#include <QFile>
#include <QVariant>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isHexDigit(uchar c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The file's bytes, when it is a plain file: a FIFO in its place must not
// block the save.
bool readRegularFile(const QString &path, QByteArray *content)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    QFile file;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    *content = file.readAll();
    return file.error() == QFile::NoError;
}

// The escapes of QSettings' INI files over a value's Latin-1 text: after a
// numeric escape a hex digit is escaped too, so that it is not read as part
// of it, and a value holding a separator or outer spaces is quoted.
QByteArray escaped(const QByteArray &text)
{
    QByteArray result;
    result.reserve(text.size() * 2);
    bool quoted = false;
    bool escapeNextIfDigit = false;
    for (const char byte : text) {
        const uchar c = uchar(byte);
        if (c == ';' || c == ',' || c == '=')
            quoted = true;
        if (escapeNextIfDigit && isHexDigit(c)) {
            result += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfDigit = false;
        static const char simple[] = "\aa\bb\ff\nn\rr\tt\vv\"\"\\\\";
        const char *found = c ? static_cast<const char *>(std::memchr(simple, c, sizeof(simple) - 1)) : nullptr;
        if (found && (found - simple) % 2 == 0) {
            result += '\\';
            result += found[1];
        } else if (c == 0) {
            result += "\\0";
            escapeNextIfDigit = true;
        } else if (c <= 0x1f || c >= 0x7f) {
            result += "\\x" + QByteArray::number(c, 16);
            escapeNextIfDigit = true;
        } else {
            result += byte;
        }
    }
    if (quoted || (!result.isEmpty() && (result.front() == ' ' || result.back() == ' ')))
        result = '"' + result + '"';
    return result;
}

// The text QSettings writes after the "=" of a date's or a text's line.
QByteArray encoded(const QVariant &value)
{
    if (value.userType() == QMetaType::QDateTime) {
        QByteArray stream;
        QDataStream out(&stream, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_5_6);
        out << value;
        return escaped("@DateTime(" + stream + ')');
    }
    const QString text = value.toString();
    const QByteArray latin1 = text.toLatin1();
    // Other texts QSettings writes in forms of their own.
    if (text.startsWith(QLatin1Char('@')) || text.contains(QChar::Null) || QString::fromLatin1(latin1) != text)
        return QByteArray();
    return escaped(latin1);
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.userType() != b.userType() || a != b)
        return false;
    return a.userType() != QMetaType::QDateTime || a.toDateTime().timeSpec() == b.toDateTime().timeSpec();
}

} // namespace

NotesConfEdit::NotesConfEdit(const QString &path)
    : m_path(path)
{
    // QSettings begins its files with a section and ends every line; keys
    // before the first section would be top keys beside those of
    // [General].
    m_plain = readRegularFile(path, &m_content) && m_content.startsWith('[') && m_content.endsWith('\n')
        && !m_content.contains('\r') && NotesConfReader::isPlain(m_content);
}

bool NotesConfEdit::contains(const QString &key) const
{
    int start, end;
    return findValue(key, &start, &end);
}

bool NotesConfEdit::setValue(const QString &key, const QVariant &value)
{
    if (value.userType() != QMetaType::QDateTime && value.userType() != QMetaType::QString)
        return false;
    int start, end;
    if (!findValue(key, &start, &end))
        return false;
    const QByteArray text = encoded(value);
    // Read back as the file's readers will: what does not come back the
    // same is left to QSettings.
    QVariant back;
    if (text.isEmpty() || !NotesConfReader::decodeValue(text, &back) || !sameValue(back, value))
        return false;
    m_edits.insert(start, { end, text });
    return true;
}

bool NotesConfEdit::commit()
{
    if (m_edits.isEmpty())
        return true;
    QByteArray text;
    text.reserve(m_content.size() + 64 * m_edits.size());
    int from = 0;
    for (auto edit = m_edits.cbegin(); edit != m_edits.cend(); ++edit) {
        text.append(m_content.constData() + from, edit.key() - from);
        text.append(edit->second);
        from = edit->first;
    }
    text.append(m_content.constData() + from, m_content.size() - from);
    return SafeIniFile::replace(m_path, text, &m_error);
}

bool NotesConfEdit::findValue(const QString &key, int *start, int *end) const
{
    if (!m_plain)
        return false;
    const int slash = key.indexOf(QLatin1Char('/'));
    const QByteArray section = slash < 0 ? QByteArrayLiteral("General") : key.left(slash).toLatin1();
    QByteArray name = (slash < 0 ? key : key.mid(slash + 1)).toLatin1();
    name.replace('/', '\\');
    // A group named "General" is written as "[%General]", apart from the top keys.
    if (!NotesConfReader::isPlainName(section, false) || !NotesConfReader::isPlainName(name, true)
        || (slash >= 0 && section.compare("general", Qt::CaseInsensitive) == 0))
        return false;

    const QByteArray header = '[' + section + "]\n";
    int body = m_content.startsWith(header) ? 0 : m_content.indexOf('\n' + header);
    if (body < 0)
        return false;
    // From the newline before the section's first line to the start of the
    // next section, whose line alone begins with "[".
    body += body == 0 ? header.size() - 1 : header.size();
    int bodyEnd = m_content.indexOf("\n[", body);
    if (bodyEnd < 0)
        bodyEnd = m_content.size();
    const QByteArray needle = '\n' + name + '=';
    const int line = m_content.indexOf(needle, body);
    if (line < 0 || line >= bodyEnd)
        return false;
    // A key given twice is QSettings' to settle.
    const int again = m_content.indexOf(needle, line + 1);
    if (again >= 0 && again < bodyEnd)
        return false;
    *start = line + needle.size();
    *end = m_content.indexOf('\n', *start);
    return true;
}

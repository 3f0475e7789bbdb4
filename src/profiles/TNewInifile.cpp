#include "TNewInifile.h"

#include "base/FwError.h"
#include "platform/RegularFile.h"
#include "profiles/IniText.h"

#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace {
QString fileError(const QString& verb, const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot %1 \"%2\": %3").arg(verb, path, reason);
}

// Blanks before a key are not part of it ("  Version=3.5" is the key Version); blanks before
// "=" are ("Type =y" is not the key Type).
bool sameKey(const QString& line, const QString& key)
{
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    QStringView name = QStringView(line).left(eq);
    while (!name.isEmpty() && name.front().isSpace())
        name = name.mid(1);
    return name.compare(key, Qt::CaseInsensitive) == 0;
}

// A header line may carry blanks around it, as hand-edited files do.
bool isHeader(const QString& line, const QString& header)
{
    return QStringView(line).trimmed().compare(header, Qt::CaseInsensitive) == 0;
}

bool opensSection(const QString& line)
{
    return QStringView(line).trimmed().startsWith(QLatin1Char('['));
}

// A line break inside a value would split it into lines of its own (or forge a header).
QString oneLine(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}
} // namespace

TNewInifile::TNewInifile(const QString& path) : m_path(path)
{
    // Never waits on a FIFO or reads a device without end, even one swapped in a moment ago.
    const RegularFileRead read = ReadRegularFile(path);
    // Nothing at the path, or no way to it (a file or a closed folder on the way): an empty
    // store, whose Release then tells why it cannot be written.
    if (read.missing || (!read.error.isEmpty() && !QFileInfo::exists(path)))
        return;
    if (!read.error.isEmpty())
        throw FwError(fileError(QStringLiteral("read"), path, read.error));
    const QByteArray& bytes = read.bytes;
    // Read as text, such a file would come back shortened or garbled.
    if (!IniText::Detect(bytes, &m_form))
        throw FwError(QStringLiteral("\"%1\" is not a text file and is left as it is.").arg(path));
    m_lines = splitLines(IniText::Decode(bytes, m_form), &m_ends);
    for (const QString& end : std::as_const(m_ends)) {
        if (!end.isEmpty()) {
            m_newEnd = end;
            break;
        }
    }
    m_loaded = m_lines;
    m_existed = true;
}

QStringList TNewInifile::splitLines(const QString& text, QStringList* ends)
{
    QStringList lines;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        const int endStart = i;
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        if (ends)
            *ends << text.mid(endStart, i + 1 - endStart);
        start = i + 1;
    }
    if (start < text.size()) {
        lines << text.mid(start);
        if (ends)
            *ends << QString();
    }
    return lines;
}

void TNewInifile::insertLine(int at, const QString& line)
{
    QString end = m_newEnd;
    // A file that ended without a line end still does after a line added at its end.
    if (at == m_lines.size() && !m_ends.isEmpty() && m_ends.last().isEmpty()) {
        m_ends.last() = end;
        end.clear();
    }
    m_lines.insert(at, line);
    m_ends.insert(at, end);
}

int TNewInifile::sectionLine(const QString& section) const
{
    const QString header = QLatin1Char('[') + section + QLatin1Char(']');
    for (int i = 0; i < m_lines.size(); ++i) {
        if (isHeader(m_lines.at(i), header))
            return i;
    }
    return -1;
}

int TNewInifile::keyLine(int header, const QString& key) const
{
    for (int i = header + 1; i < m_lines.size(); ++i) {
        const QString& line = m_lines.at(i);
        if (opensSection(line))
            break;
        if (sameKey(line, key))
            return i;
    }
    return -1;
}

QString TNewInifile::ReadString(const QString& section, const QString& key,
                                const QString& def) const
{
    const int header = sectionLine(section);
    if (header < 0)
        return def;
    const int at = keyLine(header, key);
    if (at < 0)
        return def;
    const QString& line = m_lines.at(at);
    return line.mid(line.indexOf(QLatin1Char('=')) + 1);
}

int TNewInifile::ReadInteger(const QString& section, const QString& key, int def) const
{
    bool ok = false;
    const int value = ReadString(section, key, QString::number(def)).toInt(&ok, 10);
    return ok ? value : def;
}

bool TNewInifile::ReadBool(const QString& section, const QString& key, bool def) const
{
    const QString text = ReadString(section, key, def ? QStringLiteral("-1") : QStringLiteral("0"));
    bool ok = false;
    const double number = QLocale::c().toDouble(text, &ok);
    if (ok)
        return number != 0;
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return def;
}

double TNewInifile::ReadFloat(const QString& section, const QString& key, double def) const
{
    bool ok = false;
    const double value =
        QLocale::c().toDouble(ReadString(section, key, QLocale::c().toString(def)), &ok);
    return ok ? value : def;
}

void TNewInifile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString line = key + QLatin1Char('=') + oneLine(value);
    const int header = sectionLine(section);
    if (header < 0) {
        insertLine(m_lines.size(), QLatin1Char('[') + section + QLatin1Char(']'));
        insertLine(m_lines.size(), line);
        return;
    }
    const int at = keyLine(header, key);
    if (at < 0)
        insertLine(header + 1, line);
    else
        m_lines[at] = line;
}

void TNewInifile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TNewInifile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QByteArray TNewInifile::bytes() const
{
    QString text;
    for (int i = 0; i < m_lines.size(); ++i)
        text += m_lines.at(i) + m_ends.at(i);
    bool fits = true;
    const QByteArray bytes = IniText::Encode(text, m_form, &fits);
    if (fits)
        return bytes;
    // A value typed in a script Windows-1252 lacks: the whole file becomes UTF-8, which keeps
    // every character, rather than losing that one.
    IniText::Form utf8 = m_form;
    utf8.encoding = IniText::Encoding::Utf8;
    return IniText::Encode(text, utf8);
}

void TNewInifile::Release()
{
    const QFileInfo info(m_path);
    if (info.isDir())
        throw FwError(fileError(QStringLiteral("write"), m_path, QStringLiteral("it is a folder")));
    // A file whose lines are as they were read stays as it is, line ends and all, so a store
    // that only read never fails on a file or folder the user may not write.
    if (m_existed && m_lines == m_loaded)
        return;
    // Writing through a FIFO or into a device is no saving: refused, as reading them is.
    if (info.exists() && !info.isFile())
        throw FwError(fileError(QStringLiteral("write"), m_path, NotRegularFileText()));
    const QByteArray bytes = this->bytes();
    if (info.isFile()) {
        // No more than these bytes: a longer file differs, however long it is.
        const RegularFileRead current = ReadRegularFile(m_path, bytes.size());
        if (current.error.isEmpty() && current.bytes == bytes)
            return;
    }
    // The rename below would replace even a read-only file; honour the file's protection.
    if (info.exists() && !info.isWritable())
        throw FwError(
            fileError(QStringLiteral("write"), m_path, QStringLiteral("Permission denied")));
    QSaveFile file(m_path);
    // A writable file in a folder that refuses the temporary file is written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        throw FwError(fileError(QStringLiteral("write"), m_path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw FwError(fileError(QStringLiteral("write"), m_path, file.errorString()));
}

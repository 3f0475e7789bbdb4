#include "TNewInifile.h"

#include "base/FwError.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace {
QString fileError(const QString& verb, const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot %1 \"%2\": %3").arg(verb, path, reason);
}

bool sameKey(const QString& line, const QString& key)
{
    const int eq = line.indexOf(QLatin1Char('='));
    return eq >= 0 && QStringView(line).left(eq).compare(key, Qt::CaseInsensitive) == 0;
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
    const QFileInfo info(path);
    if (!info.exists())
        return;
    if (info.isDir())
        throw FwError(fileError(QStringLiteral("read"), path, QStringLiteral("it is a folder")));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FwError(fileError(QStringLiteral("read"), path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FwError(fileError(QStringLiteral("read"), path, file.errorString()));
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    if (bytes.startsWith("\xEF\xBB\xBF")) // a byte-order mark some editors add
        bytes.remove(0, 3);
    m_lines = splitLines(QString::fromUtf8(bytes));
}

QStringList TNewInifile::splitLines(const QString& text)
{
    QStringList lines;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

int TNewInifile::sectionLine(const QString& section) const
{
    const QString header = QLatin1Char('[') + section + QLatin1Char(']');
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).compare(header, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int TNewInifile::keyLine(int header, const QString& key) const
{
    for (int i = header + 1; i < m_lines.size(); ++i) {
        const QString& line = m_lines.at(i);
        if (line.startsWith(QLatin1Char('[')))
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
        m_lines << QLatin1Char('[') + section + QLatin1Char(']') << line;
        return;
    }
    const int at = keyLine(header, key);
    if (at < 0)
        m_lines.insert(header + 1, line);
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

void TNewInifile::Release()
{
    const QFileInfo info(m_path);
    if (info.isDir())
        throw FwError(fileError(QStringLiteral("write"), m_path, QStringLiteral("it is a folder")));
    // The rename below would replace even a read-only file; honour the file's protection.
    if (info.exists() && !info.isWritable())
        throw FwError(
            fileError(QStringLiteral("write"), m_path, QStringLiteral("Permission denied")));
    QByteArray bytes;
    for (const QString& line : std::as_const(m_lines))
        bytes += line.toUtf8() + "\r\n";
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        throw FwError(fileError(QStringLiteral("write"), m_path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw FwError(fileError(QStringLiteral("write"), m_path, file.errorString()));
}

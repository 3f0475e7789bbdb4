#include "WatchLedger.h"

#include "platform/RegularFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

QString WatchLedger::load()
{
    m_entries.clear();
    const RegularFileRead read = ReadRegularFile(m_file);
    if (read.missing)
        return QString();
    if (!read.error.isEmpty())
        return read.error;
    for (const QByteArray& line : read.bytes.split('\n')) {
        Entry entry;
        if (ReadLedgerLine(line, &entry))
            m_entries.insert(entry.path, entry);
    }
    return QString();
}

bool WatchLedger::done(const QString& path, qint64 size, qint64 modifiedMs) const
{
    const Entry* entry = find(path);
    return entry && entry->size == size && entry->modifiedMs == modifiedMs;
}

const WatchLedger::Entry* WatchLedger::find(const QString& path) const
{
    const auto found = m_entries.constFind(path);
    return found == m_entries.constEnd() ? nullptr : &found.value();
}

QString WatchLedger::record(const Entry& entry)
{
    // One write of one line: two watchers appending to one ledger never mix their lines.
    QFile file(m_file);
    QDir().mkpath(QFileInfo(m_file).path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return file.errorString();
    const QByteArray line = LedgerLine(entry) + '\n';
    if (file.write(line) != line.size())
        return file.errorString();
    m_entries.insert(entry.path, entry);
    return QString();
}

QString WatchLedger::forget()
{
    m_entries.clear();
    QFile file(m_file);
    if (file.exists() && !file.remove())
        return file.errorString();
    return QString();
}

QByteArray LedgerLine(const WatchLedger::Entry& entry)
{
    const QJsonObject object{{QLatin1String("path"), entry.path},
                             {QLatin1String("size"), entry.size},
                             {QLatin1String("modifiedMs"), entry.modifiedMs},
                             {QLatin1String("outcome"), entry.outcome},
                             {QLatin1String("output"), entry.output}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

bool ReadLedgerLine(const QByteArray& line, WatchLedger::Entry* entry)
{
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    entry->path = object.value(QLatin1String("path")).toString();
    entry->size = object.value(QLatin1String("size")).toInteger(-1);
    entry->modifiedMs = object.value(QLatin1String("modifiedMs")).toInteger(-1);
    entry->outcome = object.value(QLatin1String("outcome")).toString();
    entry->output = object.value(QLatin1String("output")).toString();
    return !entry->path.isEmpty();
}

QString LedgerFile(const QString& dataFolder, const QString& watchedFolder)
{
    const QString canonical = QFileInfo(watchedFolder).canonicalFilePath();
    const QByteArray key =
        QCryptographicHash::hash((canonical.isEmpty() ? watchedFolder : canonical).toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return dataFolder + QStringLiteral("Watched/") + QString::fromLatin1(key) +
           QStringLiteral(".jsonl");
}

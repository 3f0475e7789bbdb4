#pragma once

#include <QHash>
#include <QString>

// What a watcher did with each file of its folder: one JSON line per file as its conversion
// ends, appended, so that a restart converts only what is new or changed since, and a file that
// failed is tried again only once it changes. The last line of a file counts; a line cut short
// by a crash is passed over.
class WatchLedger final
{
public:
    struct Entry
    {
        QString path;
        qint64 size = 0;
        qint64 modifiedMs = 0;
        QString outcome; // "Complete" or "Failed"
        QString output;  // the file written, or why it failed
    };

    explicit WatchLedger(QString file) : m_file(std::move(file)) {}

    // Reads what earlier runs wrote; empty when that went well (no ledger yet included),
    // otherwise why not.
    QString load();
    // Whether the file, as it is now, has been converted or has failed already.
    bool done(const QString& path, qint64 size, qint64 modifiedMs) const;
    const Entry* find(const QString& path) const;
    int size() const { return int(m_entries.size()); }
    // Writes the entry at the ledger's end at once; empty when written, otherwise why not.
    QString record(const Entry& entry);
    // Everything recorded is forgotten, on disk too.
    QString forget();

    const QString& file() const { return m_file; }

private:
    QString m_file;
    QHash<QString, Entry> m_entries;
};

// An entry as one line of JSON, and back; false when the line holds no entry.
QByteArray LedgerLine(const WatchLedger::Entry& entry);
bool ReadLedgerLine(const QByteArray& line, WatchLedger::Entry* entry);

// Where the ledger of a watched folder lives in a data folder (given with a separator at its
// end): one file per folder, named after its canonical path.
QString LedgerFile(const QString& dataFolder, const QString& watchedFolder);

#include "TaskLogs.h"

#include "TaskModel.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>

namespace {
const QRegularExpression& logName()
{
    static const QRegularExpression name(QStringLiteral("^[0-9a-f]{16}\\.log$"));
    return name;
}
} // namespace

TaskLogs::TaskLogs(QString folder, TaskModel* model) : QObject(model), m_folder(std::move(folder))
{
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this, model](const QModelIndex&, int first, int last) {
                for (int row = first; row <= last; ++row)
                    remove(model->task(row).logName);
            });
}

bool TaskLogs::IsLogName(const QString& name)
{
    return logName().match(name).hasMatch();
}

QString TaskLogs::keep(const QString& name, const QString& text)
{
    QString kept = IsLogName(name) ? name : QString();
    if (kept.isEmpty()) {
        if (!QDir().mkpath(m_folder))
            return {};
        // Random rather than counted: a name is never that of a log a crash left behind.
        do {
            kept = QString::number(QRandomGenerator::global()->generate64() | (1ULL << 63), 16) +
                   QStringLiteral(".log");
        } while (QFileInfo::exists(m_folder + kept));
    }
    QSaveFile file(m_folder + kept);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(text.toUtf8());
    return file.commit() ? kept : QString();
}

QString TaskLogs::read(const QString& name) const
{
    if (!IsLogName(name))
        return {};
    // The file is ours, but may have been swapped for anything meanwhile.
    const RegularFileRead file = ReadRegularFile(m_folder + name, KeptEncoderOutputBytes * 4);
    return file.error.isEmpty() ? QString::fromUtf8(file.bytes) : QString();
}

void TaskLogs::remove(const QString& name) const
{
    if (IsLogName(name))
        QFile::remove(m_folder + name);
}

void TaskLogs::keepOnly(const QSet<QString>& names) const
{
    const QStringList logs = QDir(m_folder).entryList({QStringLiteral("*.log")}, QDir::Files);
    for (const QString& log : logs) {
        if (IsLogName(log) && !names.contains(log))
            QFile::remove(m_folder + log);
    }
}

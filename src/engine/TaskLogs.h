#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class TaskModel;

// The encoder's messages of each task, one file per task in a folder of the data folder, so that
// neither the kept list nor the memory holds them: they are read only when the log is shown. A
// file goes with its task: removing the row removes it.
class TaskLogs final : public QObject
{
    Q_OBJECT
public:
    // Logs in `folder` (with a separator at its end) for the tasks of `model`, whose removed
    // rows take their logs along.
    TaskLogs(QString folder, TaskModel* model);

    // Whether a kept list's log name is one this class gives: a plain name in the folder.
    static bool IsLogName(const QString& name);

    // Writes the text under the name, or under a new one when it is empty; returns the name,
    // or nothing when the file could not be written (the caller keeps the text itself).
    QString keep(const QString& name, const QString& text);
    // The text of a log; empty when it is gone or unreadable.
    QString read(const QString& name) const;
    void remove(const QString& name) const;
    // Removes every log that is none of these: those of tasks that left a list which could not
    // be saved any more.
    void keepOnly(const QSet<QString>& names) const;

private:
    QString m_folder;
};

#pragma once

#include "engine/TaskFields.h"
#include "engine/TaskRecord.h"
#include "engine/ltvItemData.h"

#include <QString>

#include <initializer_list>

class TaskModel;

// The task list seen as rows of texts: the working copy ltvItemData read from a row and written
// back, field by field or whole. The caption is the input path; the fields after it are those
// of TaskFields the working copy holds, numbered in their order as Field names them. The rows
// live in a TaskModel.
class TaskRows final
{
public:
    // The record's texts after the caption, in row order: the modes of ReadTask and WriteTask.
    enum Field {
        Length,
        Size,
        Status,
        NewFileName,
        NewFileExt,
        SourceStart,
        SourceEnd,
        ClipLength,
        StartTime,
        EndTime,
        FieldCount = TaskCopyCount - 1
    };
    static constexpr int WholeRecord = -2;
    static constexpr int CaptionOnly = -1;

    explicit TaskRows(TaskModel* model);

    // Copies row texts into the record (a whole record, the caption or one Field); other modes
    // and rows do nothing. The numbers are derived from the time texts.
    void ReadTask(int row, int mode, ltvItemData& record) const;
    // Copies record texts into the row; the numbers are never written.
    void WriteTask(int row, int mode, const ltvItemData& record);
    // Copies the record's texts of several Fields into the row as one change of the row.
    void WriteTask(int row, std::initializer_list<int> modes, const ltvItemData& record);

    // Appends a row with the path as caption and empty fields; returns its index.
    int appendTask(const QString& path);
    // Appends a row holding the record's texts; returns its index.
    int appendTask(const ltvItemData& record);
    // Appends a row for each record, all in one insertion.
    void appendTasks(const QList<ltvItemData>& records);

    // The task's state, and why it failed (shown when the pointer rests on its status).
    void setState(int row, TaskState state, const QString& failureReason = QString());
    QString failureReason(int row) const;
    // The percent the task's conversion under way has reached.
    void setProgress(int row, int percent);
    // What the task's last conversion left: the file it wrote (empty when none) and the
    // encoder's last lines.
    // The encoder's messages go to the model's logs when it keeps them in files.
    void setOutcome(int row, const QString& outputPath, const QString& encoderOutput);
    // The encoder's messages of the task's last conversion, wherever they are kept.
    QString log(int row) const;
    // Back to Added, as if never converted: no failure reason, output, encoder output or
    // progress is left.
    void resetTask(int row);
    const TaskRecord& task(int row) const;

    int rowCount() const;
    // The first row whose caption equals the path exactly, letter case included; -1 if none.
    // Looked up, not searched: as quick with thousands of rows as with one.
    int indexOf(const QString& path) const;
    QString caption(int row) const;

    TaskModel* model() const { return m_model; }

private:
    bool validRow(int row) const;

    TaskModel* m_model;
};

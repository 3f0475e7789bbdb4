#pragma once

#include "engine/TaskRecord.h"
#include "engine/ltvItemData.h"

#include <QString>

// One field of a task, wherever the program holds it: the record's text, its column in
// the task list, the working copy's text the run reads, and the key the kept list holds it
// under. Everything that copies a task field by field walks TaskFields, so a field is added by
// adding its row there.
struct TaskField
{
    // Its key in the kept list; null for the status, kept under a name of its own as the state.
    const char* key;
    // Whether the list has a column for it. The columns follow the order of the rows.
    bool column;
    // The column's title; empty for the columns the view hides.
    const char* header;
    // The record's text; null for the status, which the record holds as its state and the list
    // shows as that state's word.
    QString TaskRecord::*text;
    // The working copy's text; null for the fields the run does not read. The first is the
    // caption; the others are TaskRows' fields, in the order of the rows.
    QString ltvItemData::*copy;
    // For a time, the working copy's seconds, derived from its text each time it is read; the
    // kept list checks such a text as a time. Null for the texts that are no time.
    double ltvItemData::*seconds;
};

// The columns and TaskRows' fields are numbered in this order, which other code relies on: a
// new field goes after the end time.
inline constexpr TaskField TaskFields[] = {
    {"input", true, "Input File", &TaskRecord::inputPath, &ltvItemData::InputFile, nullptr},
    {"length", true, "Length", &TaskRecord::length, &ltvItemData::Length, &ltvItemData::LengthSec},
    {"size", true, "Size", &TaskRecord::size, &ltvItemData::Size, nullptr},
    {nullptr, true, "Status", nullptr, &ltvItemData::Status, nullptr}, // the state, as its word
    {"newName", true, "", &TaskRecord::newName, &ltvItemData::NewFileName, nullptr},
    {"newExt", true, "", &TaskRecord::newExt, &ltvItemData::NewFileExt, nullptr},
    {"sourceStart", true, "", &TaskRecord::sourceStart, &ltvItemData::SourceStart,
     &ltvItemData::SourceStartSec},
    {"sourceEnd", true, "", &TaskRecord::sourceEnd, &ltvItemData::SourceEnd,
     &ltvItemData::SourceEndSec},
    {"clipLength", true, "", &TaskRecord::clipLength, &ltvItemData::ClipLength,
     &ltvItemData::ClipLengthSec},
    {"startTime", true, "", &TaskRecord::startTime, &ltvItemData::StartTime,
     &ltvItemData::StartTimeSec},
    {"endTime", true, "", &TaskRecord::endTime, &ltvItemData::EndTime, &ltvItemData::EndTimeSec},
    {"failureReason", false, "", &TaskRecord::failureReason, nullptr, nullptr},
    {"outputPath", false, "", &TaskRecord::outputPath, nullptr, nullptr},
    {"encoderOutput", false, "", &TaskRecord::encoderOutput, nullptr, nullptr},
    {"log", false, "", &TaskRecord::logName, nullptr, nullptr},
};

// Only the status lacks a text of the record's and a key of its own; a time is one the working
// copy reads.
static_assert([] {
    for (const TaskField& field : TaskFields) {
        if (!field.key != !field.text || (field.seconds && !(field.text && field.copy)))
            return false;
    }
    return true;
}());

// The list's columns, one for each field that has one.
inline constexpr int TaskColumnCount = [] {
    int count = 0;
    for (const TaskField& field : TaskFields)
        count += field.column ? 1 : 0;
    return count;
}();
// The working copy's texts, the caption among them.
inline constexpr int TaskCopyCount = [] {
    int count = 0;
    for (const TaskField& field : TaskFields)
        count += field.copy ? 1 : 0;
    return count;
}();

// The field's text in a record; the status is its state's word.
QString TaskFieldText(const TaskRecord& task, const TaskField& field);
// Sets the field from its text; a status word sets the state it names.
void SetTaskFieldText(TaskRecord& task, const TaskField& field, const QString& text);

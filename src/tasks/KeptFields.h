#pragma once

#include "engine/TaskRecord.h"

// The texts of a task in the kept list, each under its key in the file: an empty text is left
// out, a missing key reads as empty. The times among them are checked as times when the list
// is read back.
struct KeptField
{
    const char* key;
    QString TaskRecord::*member;
    bool time;
};
inline constexpr KeptField KeptFields[] = {
    {"input", &TaskRecord::inputPath, false},
    {"length", &TaskRecord::length, true},
    {"size", &TaskRecord::size, false},
    {"newName", &TaskRecord::newName, false},
    {"newExt", &TaskRecord::newExt, false},
    {"sourceStart", &TaskRecord::sourceStart, true},
    {"sourceEnd", &TaskRecord::sourceEnd, true},
    {"clipLength", &TaskRecord::clipLength, true},
    {"startTime", &TaskRecord::startTime, true},
    {"endTime", &TaskRecord::endTime, true},
    {"failureReason", &TaskRecord::failureReason, false},
    {"outputPath", &TaskRecord::outputPath, false},
    {"encoderOutput", &TaskRecord::encoderOutput, false},
};

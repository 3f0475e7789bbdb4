#pragma once

#include <QString>

// A profile taken as a run without a window takes it: named on a command line, used as the
// file holds it.
struct ProfileForRun
{
    QString path;
    QString outputExt; // "." + its output type
    QString arguments; // the encoder options its panels give
    QString error;     // why it cannot serve; the rest is empty then
};

// The profile a command line names: a path to a ".cvp" file (any argument holding a "/" or
// ending in ".cvp"), or the name of one of the data folder's profiles, letter case ignored.
// Loaded and checked: a profile that cannot be read, stops at a faulty parameter or gives a
// choice no value comes back with error set.
ProfileForRun FindProfileForRun(const QString& nameOrPath, const QString& dataFolder);

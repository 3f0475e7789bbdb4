#pragma once

#include "profiles/LoadedProfile.h"
#include "profiles/ParamRow.h"

#include <QString>

// Profile files: [Main] holds "Type", "Para" and the parameter names "0".."Para-1"; each
// parameter has a section of its own ("Sort", "ReadOnly", "cmd", "List", "Caption", "Value",
// "Index"). A parameter whose "Sort" names no panel is skipped everywhere.
//
// Every function writes back the file it reads (the store writes back on Release, which writes
// nothing when the bytes are unchanged).

// Why the file cannot serve as a profile (it cannot be read, or is no text); empty when it can
// or does not exist.
QString ProfileProblem(const QString& path);

// Reads the profile into panel rows. A missing file gives exists == false and nothing else; what
// is no regular file cannot be read.
// A pick-list row whose "Index" names no choice stops the load there: the rows so far are kept
// (the faulty one with an empty value) and error names the profile and the parameter. A file
// that cannot be written back keeps its rows too, with the reason in error. Throws FwError when
// the file cannot be read.
LoadedProfile LoadProfile(const QString& path);

// The encoder options for the panels as shown, each " cmd value" (a value of "\" gives
// " cmd "). Empty when the file is missing. Throws FwError when a shown choice has no value
// in the profile, so that no batch starts with a wrong command line. A failed write-back is
// not an error here.
QString BuildArguments(const QString& path, const ProfilePanels& shown);

// Writes the editable rows' values back: "Index" for pick lists (-1 when the value is not a
// choice), "Caption" and "Value" for typed rows, each only when the shown value differs from
// the file's. Read-only parameters stay as they are; a file with no change keeps its bytes.
void SaveProfile(const QString& path, const ProfilePanels& shown);

// Copies source over target, then saves the panels into target. Nothing when source is missing;
// FwError when the source cannot be read (no regular file included) or the copy cannot be made.
void SaveProfileAs(const QString& source, const QString& target, const ProfilePanels& shown);

#pragma once

#include "profiles/ParamRow.h"

#include <QString>

// What loading a profile gives a window: its output type and the rows of its Video, Audio and
// Advanced panels. A window leaves its panels alone when !exists, and shows
// error (when set) after taking the rows.
struct LoadedProfile
{
    bool exists = false;
    QString type; // "Type": output extension without "."
    ProfilePanels panels;
    QString error; // set when the load stopped at a faulty row or the file was not written back
    bool stoppedAtFault = false; // the rows end at a faulty one: not every parameter is there
};

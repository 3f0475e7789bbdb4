#pragma once

#include "profiles/ParamRow.h"

#include <QString>

// What loading a profile gives a window: its output type, the rows of its Video, Audio and
// Advanced panels and their heights. A window leaves its panels alone when !exists, and shows
// error (when set) after taking the rows.
struct LoadedProfile
{
    bool exists = false;
    QString type; // "Type": output extension without "."
    ProfilePanels panels;
    int videoHeight = 0; // pixels: rows x 18, an empty panel 18
    int audioHeight = 0;
    int advancedHeight = 0;
    QString error; // set when the load stopped at a faulty row
};

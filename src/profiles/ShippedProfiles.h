#pragma once

#include <QString>

struct DataHome;

// Gives a data folder outside the program folder copies of the profiles the program ships in
// its own Profiles/, the first time only: a profile the user changed is never copied over. The
// program folder's own Profiles/ are the shipped ones themselves: nothing to do there.
void SeedShippedProfiles(const QString& programFolder, const DataHome& home);

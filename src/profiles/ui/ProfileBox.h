#pragma once

#include "profiles/LoadedProfile.h"

#include <QString>
#include <QStringList>

class QComboBox;

// A drop-down of profiles: each entry shows the profile's name and remembers the file it was
// listed from, so that "clip.CVP" loads "clip.CVP" and not a "clip.cvp" that is not there.
// A file that cannot be read as a profile stays in the list, so that the positions of the others
// do not move, but greyed out with " (unusable)" after its name and the reason as its tip; the
// list does not let it be chosen.
void FillProfileBox(QComboBox* box, const QString& dataFolder, const QStringList& files);
QStringList ProfileBoxFiles(const QComboBox* box);
// Lists the data folder's profiles again, keeping the chosen file chosen when it is still there.
void RefillProfileBox(QComboBox* box, const QString& dataFolder);

// The chosen entry's file in the profiles folder; empty when nothing is chosen.
QString ChosenProfilePath(const QComboBox* box, const QString& dataFolder);

// Loads the chosen profile. When it cannot be read (it may have changed since it was listed),
// its entry is marked unusable, the entry of `previousFile` is chosen again and FwError says
// why; nothing was loaded, so the panels stay as they are.
LoadedProfile LoadChosenProfile(QComboBox* box, const QString& dataFolder,
                                const QString& previousFile);

#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

// A drop-down of profiles: each entry shows the profile's name and remembers the file it was
// listed from, so that "clip.CVP" loads "clip.CVP" and not a "clip.cvp" that is not there.
void FillProfileBox(QComboBox* box, const QStringList& files);
QStringList ProfileBoxFiles(const QComboBox* box);
// Lists the data folder's profiles again, keeping the chosen file chosen when it is still there.
void RefillProfileBox(QComboBox* box, const QString& dataFolder);

// The chosen entry's file in the profiles folder; empty when nothing is chosen.
QString ChosenProfilePath(const QComboBox* box, const QString& dataFolder);

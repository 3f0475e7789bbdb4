#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One row of a parameter panel: the parameter's name as key, the shown value, and how the row
// may be edited.
struct ParamRow
{
    QString key;
    QString value;
    bool readOnly = false;
    bool pickList = false;
    QStringList choices; // pick-list rows only
};

using ParamPanel = QVector<ParamRow>;

// The Video, Audio and Advanced panels of one window, chosen by a parameter's "Sort" (1, 2, 3).
struct ProfilePanels
{
    ParamPanel video;
    ParamPanel audio;
    ParamPanel advanced;

    ParamPanel* bySort(int sort)
    {
        switch (sort) {
        case 1:
            return &video;
        case 2:
            return &audio;
        case 3:
            return &advanced;
        default:
            return nullptr;
        }
    }
    const ParamPanel* bySort(int sort) const
    {
        return const_cast<ProfilePanels*>(this)->bySort(sort);
    }
};

#pragma once

#include "engine/BatchOutcome.h"

#include <QString>

// What the desktop notification says when a run ends while the window is in the background.
struct RunEndNotice
{
    QString summary;
    QString body;
};

RunEndNotice NoticeForRunEnd(const BatchOutcome& outcome);

#pragma once

#include "MediaGraph.h"

#include <memory>

// Loads the media module (fwmedia) from the folder (empty: the executable's folder) and creates the
// playback graph, whose video fills videoArea. Linking Qt Multimedia into the program would cost
// every start-up the loading of its libraries, although many sessions never preview anything.
// Throws FwError when the module cannot be loaded.
std::unique_ptr<MediaGraph> CreateMediaGraph(const QString& folder, QWidget* videoArea,
                                             const MediaGraph::Events& events);

#pragma once

struct AppContext;
class InputCommands;
class KeptQueue;
class QWidget;

// Fills the list the window starts with: the last run's tasks first, then the files of the
// command line. A kept list with tasks in it is read while the window comes on screen, with the
// getting-started page held back meanwhile; an empty one at once, so that the files of the
// command line go in before the window shows, without holding it up later.
void FillStartingList(const AppContext& context, KeptQueue& queue, InputCommands& inputs,
                      QWidget& gettingStarted);

#pragma once

#include <QString>

// How a batch run ended and what the window is to do about it.
struct BatchOutcome
{
    enum Kind {
        Completed,   // every task was run; some may have failed
        Stopped,     // the user stopped it
        CannotStart, // the encoder could not be started; the run went no further
    };
    // What follows a completed run, chosen in the Settings dialog.
    enum Action {
        Report,   // the message box, then the output folder if asked for
        Exit,     // the window closes
        PowerOff, // the computer is switched off and the window closes
    };

    Kind kind = Completed;
    QString caption;
    QString text;
    Action action = Report;
    bool openFolder = false;
    QString folder; // the output folder as typed
    int tasks = 0;
    int failed = 0;
};

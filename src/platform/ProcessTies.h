#pragma once

#include <QIODevice>
#include <QStringList>

class QProcess;

// The one way this program starts a helper (the encoder front for a conversion, a probe, a list
// of inputs or its capabilities; xdg-mime), so that none is ever started loose.

// How a started helper is ended when this program dies without a word (a signal, a crash):
// asked to end, so that it can clean up on the way, or killed.
enum class WhenProgramDies { Terminate, Kill };

// Starts the program at its absolute path (a bare name is never looked up on PATH) with the
// process's channels as set up, tied to this program: it never outlives it, and it gets a group
// of its own, so that a terminal's Ctrl-C reaches this program, which stops it, and not the
// helper behind the program's back. A background helper runs only on time no other process
// wants, from its first instruction on. The outcome comes as the process's own signals. The
// tie costs the start a full copy of the program's process.
void StartTied(QProcess& process, const QString& program, const QStringList& arguments,
               QIODevice::OpenMode mode, WhenProgramDies end, bool background = false);

#pragma once

class QProcess;

// What the program asks of the encoders it starts, whatever starts them.

// How a process about to start is ended when this program dies without a word (a signal, a
// crash): asked to end, so that it can clean up on the way, or killed.
enum class WhenProgramDies { Terminate, Kill };

// Ties a process about to start to this program: it never outlives it, and it gets a group of
// its own, so that a terminal's Ctrl-C reaches this program, which stops it, and not the
// process behind the program's back. It costs the start a full copy of the program's process.
void TieToProgram(QProcess& process, WhenProgramDies end);

// A started process from now on runs only on time no other process wants.
void RunInBackground(const QProcess& process);

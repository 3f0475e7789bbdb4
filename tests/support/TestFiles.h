#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Files the tests make and look at.

// Creates or replaces the file with exactly these bytes; false when it cannot.
bool WriteFile(const QString& path, const QByteArray& bytes = QByteArray());
// The file's bytes, or "<missing>" when it cannot be read.
QByteArray ReadFile(const QString& path);

// A test clip made by ffmpeg from its generated sources: a moving test picture of the given
// size and a tone, `seconds` long, in the container the path's extension names. Extra options
// go before the output. False (with ffmpeg's complaint on stderr) when ffmpeg fails.
bool MakeClip(const QString& path, double seconds = 2, const QString& size = "320x240",
              const QStringList& extra = {});

// Runs the program as a user without rights beyond "others" (nobody, when the tests run as
// root; the current user otherwise), so that file permissions mean something. The program is
// copied next to `folder` first, where that user can reach it. Returns its exit code with its
// output in `output`; -1 when no such user is at hand (the caller skips), -2 when it crashed.
int RunUnprivileged(const QString& program, const QStringList& arguments, const QString& folder,
                    QByteArray* output);

#pragma once

#include <QByteArray>
#include <QString>

// Scripted stand-ins for the encoder, for exact control over what arrives in which read.

// Writes `#!/bin/sh` and the body into folder/name, makes it executable, returns its path.
// Unless the body mentions "-capabilities", the capability query gets no answer at all.
QString WriteFakeEncoder(const QString& folder, const QString& name, const QByteArray& body);

// A probe report of every input as a five-second 320x240 clip, echoing the path as given.
extern const QByteArray FiveSecondReport;

// A program folder for the main window: the fake encoder answering FiveSecondReport (or the
// given body) and the Example profile, whose type is mp4.
void WriteFakeProgramFolder(const QString& folder,
                            const QByteArray& encoderBody = FiveSecondReport);

// True once the process is gone and reaped (a zombie still counts as present).
bool ProcessGone(qint64 pid);

#pragma once

#include <QByteArray>
#include <QString>

// Scripted stand-ins for the encoder, for exact control over what arrives in which read.

// Writes `#!/bin/sh` and the body into folder/name, makes it executable, returns its path.
QString WriteFakeEncoder(const QString& folder, const QString& name, const QByteArray& body);

// True once the process is gone and reaped (a zombie still counts as present).
bool ProcessGone(qint64 pid);

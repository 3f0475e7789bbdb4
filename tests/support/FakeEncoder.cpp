#include "FakeEncoder.h"

#include "ExampleProfile.h"

#include <QFile>
#include <QFileInfo>

const QByteArray FiveSecondReport =
    "printf \"Input #0, avi, from '%s':\\n  Duration: 00:00:05.00, start: 0.000000, "
    "bitrate: 1 kb/s\\n    Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25.00 fps\\n\" \"$2\"\n"
    "exit 1";

void WriteFakeProgramFolder(const QString& folder, const QByteArray& encoderBody)
{
    WriteFakeEncoder(folder, QStringLiteral("wmaspi.dll"), encoderBody);
    WriteExampleProfile(folder, QStringLiteral("Example"));
}

QString WriteFakeEncoder(const QString& folder, const QString& name, const QByteArray& body)
{
    const QString path = folder + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    // A front of the classic two forms only, unless the body answers the capability query
    // itself: then the query gets no answer.
    const QByteArray classic = body.contains("-capabilities")
                                   ? QByteArray()
                                   : QByteArray("[ \"$1\" = -capabilities ] && exit 0\n");
    file.write("#!/bin/sh\n" + classic + body + '\n');
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                        QFile::ExeGroup);
    return path;
}

bool ProcessGone(qint64 pid)
{
    return pid > 0 && !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

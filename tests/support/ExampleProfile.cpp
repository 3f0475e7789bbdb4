#include "ExampleProfile.h"

#include "TestFiles.h"

#include <QDir>

QStringList ExampleProfileLines()
{
    return QStringLiteral(R"([Main]
Type=mp4
Para=4
0=Video Codec
1=Video Size
2=Bit Rate
3=Disable Audio
[Video Codec]
Sort=1
ReadOnly=1
cmd=-vcodec
List=0
Caption=MPEG-4
Value=mpeg4
[Video Size]
Sort=1
cmd=-s
List=1
Caption=Original Size,Custom Size,320x240,
Value=,,320x240,
Index=2
[Bit Rate]
Sort=1
cmd=-b
List=0
Caption=768k
[Disable Audio]
Sort=2
cmd=-an
List=1
Caption=No,Yes,
Value=,\,
Index=0)")
        .split(QLatin1Char('\n'));
}

QByteArray ExampleProfileText()
{
    return (ExampleProfileLines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QString WriteExampleProfile(const QString& programFolder, const QString& name,
                            const QByteArray& text)
{
    QDir(programFolder).mkpath(QStringLiteral("Profiles"));
    const QString path =
        programFolder + QStringLiteral("Profiles/") + name + QStringLiteral(".cvp");
    WriteFile(path, text);
    return path;
}

#include "ExampleProfile.h"

#include <QDir>
#include <QFile>

QByteArray ExampleProfileText()
{
    return "[Main]\r\nType=mp4\r\nPara=4\r\n0=Video Codec\r\n1=Video Size\r\n2=Bit Rate\r\n"
           "3=Disable Audio\r\n"
           "[Video Codec]\r\nSort=1\r\nReadOnly=1\r\ncmd=-vcodec\r\nList=0\r\nCaption=MPEG-4\r\n"
           "Value=mpeg4\r\n"
           "[Video Size]\r\nSort=1\r\ncmd=-s\r\nList=1\r\n"
           "Caption=Original Size,Custom Size,320x240,\r\nValue=,,320x240,\r\nIndex=2\r\n"
           "[Bit Rate]\r\nSort=1\r\ncmd=-b\r\nList=0\r\nCaption=768k\r\n"
           "[Disable Audio]\r\nSort=2\r\ncmd=-an\r\nList=1\r\nCaption=No,Yes,\r\nValue=,\\,\r\n"
           "Index=0\r\n";
}

QString WriteExampleProfile(const QString& programFolder, const QString& name,
                            const QByteArray& text)
{
    QDir(programFolder).mkpath(QStringLiteral("Profiles"));
    const QString path =
        programFolder + QStringLiteral("Profiles/") + name + QStringLiteral(".cvp");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
    return path;
}

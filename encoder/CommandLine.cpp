#include "CommandLine.h"

CommandLine CommandLine::parse(const QList<QByteArray>& arguments)
{
    CommandLine line;
    line.arguments = arguments;
    if (arguments.size() == 2 && arguments[0] == "-i") {
        line.form = Form::Probe;
        line.input = arguments[1];
    } else if (arguments.size() >= 4 && arguments[0] == "-y" && arguments[1] == "-i") {
        line.form = Form::Convert;
        line.input = arguments[2];
    }
    return line;
}

QByteArray CommandLine::usage()
{
    return "usage: wmaspi.dll -i <input>\n"
           "       wmaspi.dll -y -i <input> [options...] <output>\n";
}

#include "CommandLine.h"

CommandLine CommandLine::parse(std::vector<std::string> arguments)
{
    CommandLine line;
    if (arguments.size() == 2 && arguments[0] == "-i") {
        line.form = Form::Probe;
        line.input = arguments[1];
    } else if (arguments.size() >= 4 && arguments[0] == "-y" && arguments[1] == "-i") {
        line.form = Form::Convert;
        line.input = arguments[2];
    } else if (arguments.size() == 1 && arguments[0] == "-probe-list") {
        line.form = Form::ProbeList;
    } else if (arguments.size() == 1 && arguments[0] == "-capabilities") {
        line.form = Form::Capabilities;
    }
    line.arguments = std::move(arguments);
    return line;
}

std::string_view CommandLine::usage()
{
    return "usage: wmaspi.dll -i <input>\n"
           "       wmaspi.dll -y -i <input> [options...] <output>\n"
           "       wmaspi.dll -probe-list   (inputs on standard input, one per line)\n"
           "       wmaspi.dll -capabilities\n";
}

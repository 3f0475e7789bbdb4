#include "EncoderCommand.h"

#include "platform/WindowsCommandLine.h"

QString ProbeCommandLine(const QString& input)
{
    return QStringLiteral(" -i ") + QuoteArgument(input);
}

QString ConversionCommandLine(const QString& input, const QString& arguments, const QString& output)
{
    return QStringLiteral(" -y -i ") + QuoteArgument(input) + arguments + QLatin1Char(' ') +
           QuoteArgument(output);
}

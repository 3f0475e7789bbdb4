#include "WindowsCommandLine.h"

namespace {
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
} // namespace

QStringList SplitCommandLine(const QString& commandLine)
{
    const QChar quote = QLatin1Char('"');
    const QChar backslash = QLatin1Char('\\');
    const int size = commandLine.size();
    QStringList arguments;
    int at = 0;
    for (;;) {
        while (at < size && isBlank(commandLine.at(at)))
            ++at;
        if (at >= size)
            break;

        QString argument;
        bool quoted = false;
        for (;;) {
            int slashes = 0;
            while (at < size && commandLine.at(at) == backslash) {
                ++at;
                ++slashes;
            }
            bool copy = true;
            if (at < size && commandLine.at(at) == quote) {
                if (slashes % 2 == 0) {
                    if (quoted && at + 1 < size && commandLine.at(at + 1) == quote)
                        ++at; // "" inside quotes: one literal quote, still quoted
                    else {
                        copy = false;
                        quoted = !quoted;
                    }
                }
                slashes /= 2;
            }
            argument += QString(slashes, backslash);
            if (at >= size || (!quoted && isBlank(commandLine.at(at))))
                break;
            if (copy)
                argument += commandLine.at(at);
            ++at;
        }
        arguments.append(argument);
    }
    return arguments;
}

QString QuoteArgument(const QString& argument)
{
    const QChar quote = QLatin1Char('"');
    const QChar backslash = QLatin1Char('\\');
    QString quoted(quote);
    int slashes = 0;
    for (const QChar c : argument) {
        if (c == backslash) {
            ++slashes;
            continue;
        }
        if (c == quote)
            slashes = slashes * 2 + 1; // doubled, plus one to escape the quote itself
        quoted += QString(slashes, backslash);
        slashes = 0;
        quoted += c;
    }
    // Backslashes before the closing quote are doubled so the quote still closes.
    quoted += QString(slashes * 2, backslash);
    quoted += quote;
    return quoted;
}

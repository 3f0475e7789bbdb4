#pragma once

#include <QString>
#include <QStringList>

// The encoder's command line is built as one text, as on Windows; these turn it into the
// argument list a process is started with, by the rules Windows programs use to read their
// arguments (those after the program name).

// Blanks and tabs outside quotes separate arguments; "..." groups; 2n backslashes before a
// quote give n backslashes and toggle quoting, 2n+1 give n backslashes and a literal quote;
// other backslashes are literal; "" inside quotes gives a literal quote.
QStringList SplitCommandLine(const QString& commandLine);

// The text in double quotes, escaped so that SplitCommandLine gives it back unchanged.
// Plain text (no quotes, no trailing backslash) is just quoted.
QString QuoteArgument(const QString& argument);

#pragma once

#include <QString>

// Command-line texts of the encoder; each starts with a blank, as the encoder expects
// after its program name.

// ` -i "input"`: the encoder then reports on the input and ends.
QString ProbeCommandLine(const QString& input);

// ` -y -i "input"<arguments> "output"`; arguments is empty or blank-led options.
QString ConversionCommandLine(const QString& input, const QString& arguments,
                              const QString& output);

#pragma once

#include <QString>

// Time texts are hours, minutes and seconds of at least two digits joined by ":", with an
// optional "." and tenths. The decimal point is always ".", whatever the user's locale,
// because the encoder writes it that way.

// The nearest whole number, halves to even.
double RoundHalfEven(double value);

// Seconds of a time text, or -1 when the text is not a time text.
double TextToSeconds(const QString& text);

// The time text of a number of seconds. Tenths that round up to 10 carry into the next
// second; negative or non-finite input gives "00:00:00".
QString SecondsToText(double seconds);

#include "TimeText.h"

#include <cmath>

double RoundHalfEven(double value)
{
    // nearbyint rounds ties to even in the default rounding mode.
    return std::nearbyint(value);
}

namespace {
bool isDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Digits, optionally followed by "." and more digits. Signs, blanks, exponents and group
// separators are refused so that the C-locale parse below sees plain numbers only.
bool isSecondsText(QStringView text)
{
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return isDigits(text);
    const QStringView fraction = text.mid(dot + 1);
    return isDigits(text.left(dot)) && (fraction.isEmpty() || isDigits(fraction));
}

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}
} // namespace

double TextToSeconds(const QString& whole)
{
    // Views, not copies: every file read and every kept task has its times parsed.
    const QStringView text(whole);
    const qsizetype first = text.indexOf(QLatin1Char(':'));
    if (first < 0)
        return -1;
    const QStringView hoursText = text.left(first);
    const QStringView rest = text.mid(first + 1);
    const qsizetype second = rest.indexOf(QLatin1Char(':'));
    if (second < 0)
        return -1;
    const QStringView minutesText = rest.left(second);
    const QStringView secondsText = rest.mid(second + 1);
    if (!isDigits(hoursText) || !isDigits(minutesText) || !isSecondsText(secondsText))
        return -1;

    bool hoursOk = false;
    bool minutesOk = false;
    bool secondsOk = false;
    const int hours = hoursText.toInt(&hoursOk);
    const int minutes = minutesText.toInt(&minutesOk);
    const double seconds = secondsText.toDouble(&secondsOk); // QString parses in the C locale
    if (!hoursOk || !minutesOk || !secondsOk)
        return -1;
    // Summed in double: a 32-bit sum overflows for large hour counts.
    return double(hours) * 3600 + double(minutes) * 60 + seconds;
}

QString SecondsToText(double seconds)
{
    // Far beyond any video length, and still exact in a 64-bit integer.
    constexpr double limit = 1e15;
    if (!(seconds > 0))
        seconds = 0;
    if (seconds > limit)
        seconds = limit;

    qint64 whole = qint64(seconds);
    qint64 tenths = qint64(RoundHalfEven((seconds - double(whole)) * 10));
    if (tenths >= 10) {
        ++whole;
        tenths = 0;
    }
    const qint64 hours = whole / 3600;
    const qint64 minutes = (whole - 3600 * hours) / 60;
    const qint64 secs = whole - 3600 * hours - 60 * minutes;

    QString text = twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':') +
                   twoDigits(secs);
    if (tenths != 0)
        text += QLatin1Char('.') + QString::number(tenths);
    return text;
}

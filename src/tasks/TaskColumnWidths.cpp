#include "TaskColumnWidths.h"

#include <algorithm>

int TaskColumnWidths::divideHalfEven(long long numerator, long long denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const bool negative = numerator < 0;
    const long long magnitude = negative ? -numerator : numerator;
    long long quotient = magnitude / denominator;
    const long long twiceRemainder = 2 * (magnitude % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0))
        ++quotient;
    return int(negative ? -quotient : quotient);
}

TaskColumnWidths::Widths TaskColumnWidths::resized(int width, const Widths& columns)
{
    const int change = width - m_remembered;
    m_remembered = width;
    Widths result = columns;
    if (change == 0)
        return result;
    for (std::size_t column = 0; column < result.size(); ++column) {
        // In whole hundredths, so that 100 x 0.49 is 49 and not a float a hair below it.
        const int share = divideHalfEven(static_cast<long long>(change) * Shares[column], 100);
        const int old = columns[column];
        int next = old + share;
        if (share < 0 && next < MinimumWidth)
            next = std::min(old, static_cast<int>(MinimumWidth));
        result[column] = next;
    }
    return result;
}

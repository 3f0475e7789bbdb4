#pragma once

#include <array>

// The task list keeps its four shown columns in proportion as it changes width: each column
// takes its share of the change (49, 17, 15 and 19 hundredths), rounded on its own, halves to
// even, so the columns together may gain or lose a pixel against the change.
class TaskColumnWidths final
{
public:
    using Widths = std::array<int, 4>;

    // The width the list is taken to have before its first resize.
    static constexpr int StartWidth = 562;
    // Shrinking stops a column here, so no heading disappears.
    static constexpr int MinimumWidth = 20;
    static constexpr Widths Shares = {49, 17, 15, 19}; // hundredths of a change

    // The list is now `width` wide: remembers that width and returns the new column widths.
    // A column already narrower than the minimum is not shrunk further, nor widened by a shrink.
    Widths resized(int width, const Widths& columns);
    int remembered() const { return m_remembered; }

    // numerator / denominator to the nearest whole number, halves to even; exact for any ints.
    static int divideHalfEven(long long numerator, long long denominator);

private:
    int m_remembered = StartWidth;
};

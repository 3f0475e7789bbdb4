#include "MessageFilter.h"

#include "ProgressLine.h"

#include <algorithm>

namespace {

// A line this long without a break is no status line; holding it back gains nothing.
constexpr qsizetype MaxHeldBack = 64 * 1024;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

QByteArray MessageFilter::feed(QByteArrayView bytes)
{
    m_partial += bytes;
    const qsizetype end = std::max(m_partial.lastIndexOf('\n'), m_partial.lastIndexOf('\r')) + 1;
    if (end == 0)
        return m_partial.size() > MaxHeldBack ? flush() : QByteArray();
    QByteArray lines = restateTimes(QByteArrayView(m_partial).first(end));
    m_partial.remove(0, end);
    return lines;
}

QByteArray MessageFilter::flush()
{
    QByteArray rest = restateTimes(m_partial);
    m_partial.clear();
    return rest;
}

QByteArray MessageFilter::restateTimes(QByteArrayView text)
{
    static constexpr QByteArrayView key = "time=";
    QByteArray out;
    out.reserve(text.size());
    qsizetype done = 0;
    for (qsizetype at = text.indexOf(key); at >= 0;
         at = text.indexOf(key, std::max(at + key.size(), done))) {
        if (at > 0 && !isBlank(text[at - 1]))
            continue; // part of a longer word
        qsizetype end = at + key.size();
        while (end < text.size() && !isBlank(text[end]))
            ++end;
        const QByteArrayView value = text.sliced(at + key.size(), end - at - key.size());
        out += text.sliced(done, at - done);
        if (const std::optional<double> seconds = ProgressLine::clockSeconds(value)) {
            out += key;
            out += QByteArray::number(*seconds, 'f', 2);
        } else if (value == "N/A" || value.startsWith('-')) {
            if (end < text.size() && text[end] == ' ')
                ++end; // keep the spacing of the rest of the line
        } else {
            out += text.sliced(at, end - at);
        }
        done = end;
    }
    out += text.sliced(done);
    return out;
}

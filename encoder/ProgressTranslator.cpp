#include "ProgressTranslator.h"

#include "ProgressLine.h"

#include <algorithm>

bool ProgressTranslator::feed(QByteArrayView bytes)
{
    m_partial += bytes;
    bool reported = false;
    qsizetype start = 0;
    for (qsizetype end = m_partial.indexOf('\n'); end >= 0;
         start = end + 1, end = m_partial.indexOf('\n', start))
        reported = takeLine(QByteArrayView(m_partial).sliced(start, end - start)) || reported;
    m_partial.remove(0, start);
    return reported;
}

bool ProgressTranslator::finish()
{
    const double before = m_position;
    takeLine(m_partial);
    m_partial.clear();
    return m_position > before;
}

bool ProgressTranslator::takeLine(QByteArrayView line)
{
    if (const std::optional<double> seconds = ProgressLine::seconds(line))
        m_position = std::max(m_position, *seconds);
    return line.trimmed().startsWith("progress=");
}

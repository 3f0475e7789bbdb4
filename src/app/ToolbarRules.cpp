#include "ToolbarRules.h"

#include <cmath>

namespace ToolbarRules {
namespace {
QString withAt(int position, QChar look)
{
    QString state = AllNormal();
    if (position >= 1 && position <= Positions)
        state[position - 1] = look;
    return state;
}
} // namespace

QString Hover(int position)
{
    return withAt(position, QLatin1Char('1'));
}

QString Pressed(int position)
{
    return withAt(position, QLatin1Char('2'));
}

bool InHotCircle(const QPointF& at)
{
    return std::hypot(at.x() - 27, at.y() - 27) <= 23;
}

QString OnMove(int position, const QPointF& at)
{
    return InHotCircle(at) ? Hover(position) : AllNormal();
}

QString OnPress(int position, const QPointF& at)
{
    return InHotCircle(at) ? Pressed(position) : QString();
}

QString OnRelease(int position)
{
    return Hover(position);
}

} // namespace ToolbarRules

QVector<ToolbarState::Draw> ToolbarState::apply(const QString& state)
{
    if (state == m_last || state.size() != ToolbarRules::Positions)
        return {};
    m_last = state;
    QVector<Draw> draws;
    for (int i = 0; i < ToolbarRules::Positions; ++i) {
        if (i == 5 || i == 6) // no image there
            continue;
        draws.append({i + 1, state.at(i).digitValue()});
    }
    return draws;
}

namespace StartStopRules {

int OnMove(int tag)
{
    return tag != 0 ? -1 : 1;
}

int OnPress(int tag)
{
    return tag == 2 ? -1 : 2;
}

int OnRelease(int tag)
{
    return tag != 2 ? -1 : 1;
}

int OnStripMove(bool visible, int tag)
{
    return visible && tag != 0 ? 0 : -1;
}

} // namespace StartStopRules

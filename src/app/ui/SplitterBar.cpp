#include "SplitterBar.h"

#include <QMouseEvent>

SplitterBar::SplitterBar(QWidget* parent) : QLabel(QStringLiteral("<>"), parent)
{
    setObjectName(QStringLiteral("panSplitter"));
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::SizeHorCursor);
    setFixedWidth(10);
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->buttons(), event->modifiers(), qRound(event->position().x()));
}

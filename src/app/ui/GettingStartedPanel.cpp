#include "GettingStartedPanel.h"

#include "app/Pictures.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {
QLabel* textLabel(const QString& text, int pixels, bool bold, const QColor& colour, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}
} // namespace

GettingStartedPanel::GettingStartedPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("panbg"));
    m_emblem = new QLabel(this);
    m_emblem->setObjectName(QStringLiteral("imgGettingStarted"));
    updateEmblem();

    const QColor heading(40, 180, 232);
    const QColor steps(242, 152, 53);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 24, 20, 20);
    layout->setSpacing(6);
    layout->addWidget(m_emblem);
    layout->addWidget(textLabel(QStringLiteral("Getting started:"), 26, true, heading, this));
    layout->addSpacing(8);
    layout->addWidget(
        textLabel(QStringLiteral("1. Add video files in to the list."), 15, false, steps, this));
    layout->addWidget(textLabel(QStringLiteral("2. Select a profile and specify the output path."),
                                15, false, steps, this));
    layout->addWidget(
        textLabel(QStringLiteral("3. Click on the \"Start\" button."), 15, false, steps, this));
    layout->addStretch();
}

void GettingStartedPanel::paintEvent(QPaintEvent*)
{
    // A move to a screen of another pixel ratio repaints; the emblem follows it here.
    if (m_emblem->pixmap().devicePixelRatio() != devicePixelRatioF())
        updateEmblem();
    QPainter painter(this);
    Pictures::paintOverlayBackground(painter, size());
}

void GettingStartedPanel::updateEmblem()
{
    m_emblem->setPixmap(Pictures::overlayEmblem(devicePixelRatioF()));
}

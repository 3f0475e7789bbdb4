#include "BalloonTip.h"

#include <QBitmap>
#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QToolTip>

BalloonTip::BalloonTip(QWidget* target)
    : QWidget(target, Qt::ToolTip | Qt::FramelessWindowHint), m_target(target),
      m_icon(new QLabel(this)), m_title(new QLabel(this)), m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("BalloonTip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setPalette(QToolTip::palette());
    setAutoFillBackground(true);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(10, TailHeight + 8, 12, 10);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(4);
    layout->addWidget(m_icon, 0, 0);
    layout->addWidget(m_title, 0, 1);
    layout->addWidget(m_text, 1, 1);

    m_rest.setSingleShot(true);
    m_rest.setInterval(RestMs);
    connect(&m_rest, &QTimer::timeout, this, [this] {
        if (m_attached && m_pointerInside)
            popUp();
    });
    m_target->installEventFilter(this);
}

void BalloonTip::ShowBalloonTip(const QIcon& icon, const QString& title, const QString& text)
{
    m_icon->setPixmap(icon.pixmap(20, 20));
    m_title->setText(title);
    m_text->setText(text);
    m_attached = true;
    // The tip is given from a press on the target, so the pointer is there.
    m_pointerInside = true;
    m_target->setMouseTracking(true);
    popUp();
}

void BalloonTip::takeDown()
{
    m_attached = false;
    m_rest.stop();
    hide();
}

QString BalloonTip::title() const
{
    return m_title->text();
}

QString BalloonTip::text() const
{
    return m_text->text();
}

void BalloonTip::popUp()
{
    adjustSize();
    // The tail's tip points just below the pointer; the balloon stays on the screen.
    QPoint at = QCursor::pos() + QPoint(-TailLeft, 16);
    if (const QScreen* screen = m_target->screen()) {
        const QRect room = screen->availableGeometry();
        at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() - width())));
        at.setY(qBound(room.top(), at.y(), qMax(room.top(), room.bottom() - height())));
    }
    move(at);
    show();
    raise();
}

bool BalloonTip::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_target && m_attached) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            m_pointerInside = true;
            if (!isVisible())
                m_rest.start();
            break;
        case QEvent::Leave:
        case QEvent::Hide:
            m_pointerInside = false;
            m_rest.stop();
            hide();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QPainterPath BalloonTip::outline() const
{
    const QRectF body(0.5, TailHeight + 0.5, width() - 1.0, height() - TailHeight - 1.0);
    QPainterPath path;
    path.addRoundedRect(body, 6, 6);
    QPainterPath tail;
    tail.moveTo(TailLeft, TailHeight + 1.5);
    tail.lineTo(TailLeft, 0.5);
    tail.lineTo(TailLeft + 14, TailHeight + 1.5);
    tail.closeSubpath();
    return path.united(tail);
}

void BalloonTip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Cut to the balloon's shape: a mask needs no compositor.
    QBitmap mask(size());
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setPen(QPen(Qt::color1, 1));
    painter.setBrush(Qt::color1);
    painter.drawPath(outline());
    painter.end();
    setMask(mask);
}

void BalloonTip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::ToolTipText), 1));
    painter.setBrush(palette().color(QPalette::ToolTipBase));
    painter.drawPath(outline());
}

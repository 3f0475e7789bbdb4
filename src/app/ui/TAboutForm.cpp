#include "TAboutForm.h"

#include "app/Pictures.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {
QLabel* text(const QString& name, int pixels, bool bold, const QRect& place, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Pictures::aboutTextColour());
    label->setPalette(palette);
    label->setGeometry(place);
    // The version comes from a file the user may edit: it is shown as written, never as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

TAboutForm::TAboutForm(const QString& version, QWidget* mainWindow) : OwnerLockingDialog(mainWindow)
{
    setObjectName(QStringLiteral("TAboutForm"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(503, 290);
    labProgramName =
        text(QStringLiteral("labProgramName"), 30, true, QRect(145, 48, 340, 40), this);
    labVersion = text(QStringLiteral("labVersion"), 14, false, QRect(147, 92, 340, 22), this);
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(400, 240, 85, 28);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &TAboutForm::btnOKClick);
    FormCreate(version);
}

void TAboutForm::FormCreate(const QString& version)
{
    labProgramName->setText(QStringLiteral("Framewright"));
    labVersion->setText(QStringLiteral("Version ") + version);
}

void TAboutForm::paintEvent(QPaintEvent* event)
{
    OwnerLockingDialog::paintEvent(event);
    // Painted rather than put in labels: the name and version say it all in text, and a
    // screen reader would only list two images without names.
    // Drawn when first shown, at the screen's ratio: most runs never open the box.
    const qreal ratio = devicePixelRatioF();
    if (m_side.isNull() || m_side.devicePixelRatio() != ratio) {
        m_side = Pictures::aboutSide(ratio);
        m_background = Pictures::aboutBackground(ratio);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_side);
    painter.drawPixmap(117, 0, m_background);
}

void TAboutForm::btnOKClick()
{
    accept();
}

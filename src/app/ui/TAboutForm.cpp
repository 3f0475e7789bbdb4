#include "TAboutForm.h"

#include "app/Pictures.h"

#include <QLabel>
#include <QPushButton>

namespace {
QLabel* picture(const QPixmap& pixmap, const QRect& place, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setPixmap(pixmap);
    label->setGeometry(place);
    return label;
}

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
    const qreal ratio = devicePixelRatioF();
    picture(Pictures::aboutSide(ratio), QRect(0, 0, 117, 167), this);
    picture(Pictures::aboutBackground(ratio), QRect(117, 0, 386, 167), this);
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

void TAboutForm::btnOKClick()
{
    accept();
}

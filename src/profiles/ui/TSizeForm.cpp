#include "TSizeForm.h"

#include "ValueListEditor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace {
const QString kVideoSize = QStringLiteral("Video Size");

// A size must be a whole number above zero, digits only: zero or a negative size makes every
// conversion fail, and a blank would split the size into two encoder arguments.
bool properSize(const QString& text)
{
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        }))
        return false;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value > 0;
}
} // namespace

TSizeForm::TSizeForm(QWidget* mainWindow, ValueListEditor* videoGrid)
    : OwnerLockingDialog(mainWindow), m_videoGrid(videoGrid)
{
    setObjectName(QStringLiteral("TSizeForm"));
    setWindowTitle(QStringLiteral("Video Size of output files"));
    setFixedSize(336, 106);
    setModal(false);

    auto* layout = new QGridLayout(this);
    auto* widthLabel = new QLabel(QStringLiteral("Width:"), this);
    layout->addWidget(widthLabel, 0, 0);
    edtWidth = new QLineEdit(this);
    edtWidth->setObjectName(QStringLiteral("edtWidth"));
    widthLabel->setBuddy(edtWidth);
    layout->addWidget(edtWidth, 0, 1);
    auto* heightLabel = new QLabel(QStringLiteral("Height:"), this);
    layout->addWidget(heightLabel, 0, 2);
    edtHeight = new QLineEdit(this);
    edtHeight->setObjectName(QStringLiteral("edtHeight"));
    heightLabel->setBuddy(edtHeight);
    layout->addWidget(edtHeight, 0, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons, 1, 0, 1, 4);

    connect(btnOK, &QPushButton::clicked, this, &TSizeForm::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TSizeForm::btnCancelClick);
}

bool TSizeForm::refuse(QLineEdit* field, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, this);
    box.exec();
    field->setFocus();
    return false;
}

void TSizeForm::btnOKClick()
{
    if (!properSize(edtWidth->text())) {
        refuse(edtWidth, QStringLiteral("Please specify a proper width for output videos."),
               QStringLiteral("Incorrect Width"));
        return;
    }
    if (!properSize(edtHeight->text())) {
        refuse(edtHeight, QStringLiteral("Please specify a proper height for output videos."),
               QStringLiteral("Incorrect Height"));
        return;
    }
    m_videoGrid->setValue(kVideoSize, edtWidth->text() + QLatin1Char('x') + edtHeight->text());
    accept();
}

void TSizeForm::btnCancelClick()
{
    reject();
}

void TSizeForm::FormClose(int)
{
    if (m_videoGrid->rowOf(kVideoSize) >= 0 &&
        m_videoGrid->value(kVideoSize) == QLatin1String("Custom Size"))
        m_videoGrid->setValue(kVideoSize, QStringLiteral("Original Size"));
}

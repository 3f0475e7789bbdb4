#include "TaskLogDialog.h"

#include "base/PathText.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QVBoxLayout>

TaskLogDialog::TaskLogDialog(const QString& inputPath, const QString& encoderOutput,
                             QWidget* parent)
    : QDialog(parent), m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("TaskLogDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Log \u2013 ") + FileNamePart(inputPath));
    m_text->setObjectName(QStringLiteral("memLog"));
    m_text->setAccessibleName(QStringLiteral("Encoder output"));
    m_text->setReadOnly(true);
    // A caret the arrow keys move, so that a screen reader reads it line by line.
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The encoder lines its figures up in columns.
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setPlainText(encoderOutput.isEmpty()
                             ? QStringLiteral("No encoder output was kept for this task.")
                             : encoderOutput);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    resize(640, 400);
}

void TaskLogDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Asked for from the task list: the keyboard comes along, so the log can be read at once.
    if (!event->spontaneous())
        activateWindow();
}

#pragma once

#include <QDialog>

class QPlainTextEdit;

// The encoder output kept for one task, in a window of its own that stays open beside the main
// window: read-only, to be read and copied.
class TaskLogDialog final : public QDialog
{
    Q_OBJECT
public:
    // Deletes itself when closed.
    TaskLogDialog(const QString& inputPath, const QString& encoderOutput, QWidget* parent);

    QPlainTextEdit* text() const { return m_text; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* m_text;
};

#pragma once

#include <QObject>

#include <functional>

struct TMainFormUi;

// The window side of a task's own output options: the Output panel shows the current task,
// the first selected row of the list.
class OutputPanel final : public QObject
{
    Q_OBJECT
public:
    using OutputExtSource = std::function<QString()>;

    OutputPanel(QObject* parent, const TMainFormUi& ui, OutputExtSource outputExt);

    int currentTask() const; // the first selected row, -1 when none
    void ltvTaskClick();

private:
    const TMainFormUi& m_ui;
    OutputExtSource m_outputExt;
};

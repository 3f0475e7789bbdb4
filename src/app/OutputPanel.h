#pragma once

#include <QObject>

#include <functional>

struct TMainFormUi;
struct OutputOptions;
class BalloonTip;
class ValueListEditor;

// The window side of a task's own output options: the Output panel shows the current task, the
// first selected row of the list, and stores the user's edits into it.
class OutputPanel final : public QObject
{
    Q_OBJECT
public:
    using OutputExtSource = std::function<QString()>;
    // Told of every edit stored into a task, with the task's path.
    using EditStored = std::function<void(const QString&, const OutputOptions&)>;

    OutputPanel(QObject* parent, const TMainFormUi& ui, OutputExtSource outputExt,
                EditStored stored);

    int currentTask() const; // the first selected row, -1 when none

    // Loads the current task into the panel, or empties it when no row is selected.
    void ltvTaskClick();
    // Empties the three values (the tasks they showed are gone).
    void clearValues();
    // Checks the three values and stores what passes into the current task; the cells keep
    // what the user typed.
    void vleOutputValidate();
    // A press in the panel; true when it must not reach the grid (no task is loaded).
    bool vleOutputMouseDown();
    void vleOutputClick();

    BalloonTip* balloonTip() const { return m_tip; } // none until first needed

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ValueListEditor* grid() const;
    void show(const OutputOptions& values);

    const TMainFormUi& m_ui;
    OutputExtSource m_outputExt;
    EditStored m_stored;
    BalloonTip* m_tip = nullptr;
};

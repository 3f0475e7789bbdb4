#pragma once

#include <QObject>
#include <QString>

#include <functional>

struct TMainFormUi;
struct OutputOptions;
class BalloonTip;
class ValueListEditor;

// The window side of a task's own output options: the Output panel shows the current task, the
// first selected row of the list, however it becomes current, and stores the user's edits into
// the task it shows.
class OutputPanel final : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<QString()> outputExt; // the loaded profile's extension
        // Told of every edit stored into a task, with the task's path, so that the edit of a
        // task still being read can be held until its read ends.
        std::function<void(const QString&, const OutputOptions&)> stored;
        // The edit held for the task of that path, or none.
        std::function<const OutputOptions*(const QString&)> held;
    };

    OutputPanel(QObject* parent, const TMainFormUi& ui, Hooks hooks);

    int currentTask() const;                          // the first selected row, -1 when none
    QString shownTask() const { return m_shownPath; } // the path of the task shown, or empty

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
    void showTip(const QString& title, const QString& text);
    // Loads the current task when it is no longer the one shown.
    void followCurrentTask();

    const TMainFormUi& m_ui;
    Hooks m_hooks;
    BalloonTip* m_tip = nullptr;
    QString m_shownPath; // the task the values belong to; paths are unique in the list
    bool m_followPending = false;
};

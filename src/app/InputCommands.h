#pragma once

#include "engine/MediaProbe.h"
#include "engine/TaskRows.h"
#include "tasks/TaskAdder.h"

#include <QObject>
#include <QUrl>

#include <functional>

struct AppContext;
struct TMainFormUi;
class QWidget;

// The window side of adding inputs: the Add Files and Add Directory commands, drops, the
// command line, and the list commands that come alive once the list holds a task.
class InputCommands final : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<QString()> outputExt;
        std::function<void()> showCurrentTask; // the list's click handler
    };

    InputCommands(QWidget* form, const TMainFormUi& ui, const AppContext& context,
                  const QString& encoderPath, Hooks hooks);

    void tbtnAddFileClick();
    void tbtnAddDirClick();
    // Dropped items in drop order; ignored while the list is disabled (a batch runs).
    void drop(const QList<QUrl>& urls);
    void AddCommandLineInputs(const QStringList& arguments);
    void EnableListCommands();
    // The window is closing: a folder being added stops after the file at hand.
    void abandon();

    TaskRows& rows() { return m_rows; }
    const QString& openDialogFilter() const { return m_filter; }

private:
    void encoderFailed(const QString& encoderPath, const QString& reason);

    QWidget* m_form;
    const TMainFormUi& m_ui;
    const AppContext& m_context;
    Hooks m_hooks;
    QString m_filter;
    TaskRows m_rows;
    MediaProbe m_probe;
    TaskAdder m_adder;
    bool m_abandoned = false;
    bool m_toldEncoderFailed = false;
};

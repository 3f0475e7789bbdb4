#pragma once

#include <QList>
#include <QObject>

class BatchRun;

struct TMainFormUi;
class QWidget;

// The main window for a user of the keyboard or of a screen reader: the order Tab follows, the
// names a reader speaks, and the keys of the commands, shown in the pictures' hints and in the
// list's popup menu. A key clicks the command's picture or hidden button, so that a command
// that is not available now (while a run converts, say) is not given by its key either.
class WindowAccess final : public QObject
{
    Q_OBJECT
public:
    WindowAccess(QWidget* form, const TMainFormUi& ui, const BatchRun& run);

    // Hints, names and keys of the pictures; the hints are switched on at start-up.
    void SetHints();

private:
    void setTabOrder();
    void setNames();
    void setListKeys();
    // A task of the run starts or ends.
    void tellStatus(int row);

    QWidget* m_form;
    const TMainFormUi& m_ui;
};

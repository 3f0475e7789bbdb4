#pragma once

#include "FormFixture.h"
#include "ModalWatcher.h"
#include "engine/ltvItemData.h"

#include <QPoint>
#include <QStringList>

struct TMainFormUi;
class QLineEdit;
class ValueListEditor;

// Whether Up, Down, Remove, Clear and Start are all enabled.
bool ListCommandsEnabled(const TMainFormUi& ui);

// The main window on a program folder with a fake encoder (every input a five-second clip) and
// an mp4 profile, shown, with tasks /m/t0.avi, /m/t1.avi, ... added one by one through Add
// Files, so the first is selected and loaded into the Output panel.
struct TaskWindow
{
    explicit TaskWindow(int tasks);

    FormFixture fixture;
    ModalWatcher watcher;
    TMainForm& form;
    const TMainFormUi& ui;
    ValueListEditor* output;

    QStringList names() const; // the rows' file names without folder and extension
    ltvItemData task(int row) const;
    QStringList shown() const; // the Output panel's three values
    void select(const QList<int>& rows) const;
    QPoint rowCentre(int row) const;
    void clickRow(int row) const;
    QPoint cellCentre(const QString& key) const; // of the key's value cell in the Output panel
    QLineEdit* editor(const QString& key) const; // its in-place editor, if open
    bool listCommandsEnabled() const;
    // Enters the key's value cell as the user does and types the text into its editor.
    bool typeInto(const QString& key, const QString& text);
};

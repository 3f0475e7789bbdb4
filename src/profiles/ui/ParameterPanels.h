#pragma once

#include "profiles/ParamRow.h"

#include <QWidget>

class QToolButton;
class ValueListEditor;

// The stack of collapsible parameter panels: Output (main window only), Video, Audio and
// Advanced, each a header bar with a collapse button above a key/value grid.
class ParameterPanels final : public QWidget
{
    Q_OBJECT
public:
    enum Panel { Output = 0, Video = 1, Audio = 2, Advanced = 3 };

    ParameterPanels(bool withOutput, int keyWidth, int valueWidth, QWidget* parent);

    ValueListEditor* grid(int panel) const; // nullptr for a panel this window lacks
    QToolButton* button(int panel) const;
    QWidget* header(int panel) const;

    void repaintGrids();
    // The Video, Audio and Advanced rows with the values as they are shown now.
    ProfilePanels shownRows() const;
    // Sets the value of the key's row in one panel (0 Output to 3 Advanced), appending the row
    // when the panel has no such key; an index without a panel does nothing.
    void SetPanelValue(int panel, const QString& key, const QString& value);
    // Replaces a panel's rows and sets its height to rows x 18 (an empty panel keeps one
    // blank row's height), leaving the collapse button as it is.
    void loadRows(int panel, const ParamPanel& rows);
    // Loads the Video, Audio and Advanced rows of a profile, the mirror of shownRows.
    void loadProfile(const ProfilePanels& rows);

    // Collapses an open panel to 1 pixel, or opens a collapsed one to its rows' height.
    void toggle(int panel);
    static int expandedHeight(int rows);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addPanel(int panel, const QString& name, const QStringList& rows, int keyWidth,
                  int valueWidth);
    // The collapse button says what it does next, for a screen reader.
    void nameButton(int panel);

    ValueListEditor* m_grids[4] = {};
    QToolButton* m_buttons[4] = {};
    QWidget* m_headers[4] = {};
    bool m_headerDoubleClick;
};

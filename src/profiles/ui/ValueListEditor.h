#pragma once

#include "profiles/ParamRow.h"

#include <QTableWidget>

// A two-column key/value grid: keys in a fixed left column, values editable in place unless the
// row is read-only. Keys are looked up ignoring letter case.
class ValueListEditor final : public QTableWidget
{
    Q_OBJECT
public:
    static constexpr int RowHeight = 17;

    ValueListEditor(const QString& name, int keyWidth, int valueWidth, QWidget* parent);

    void setRows(const ParamPanel& rows);
    ParamPanel rows() const;
    void clearRows();
    void appendRow(const ParamRow& row);

    int rowOf(const QString& key) const; // -1 when no row has that key
    QString value(const QString& key) const;
    // Sets the value of the row with that key, appending the row when there is none.
    void setValue(const QString& key, const QString& value);

    const ParamRow& rowData(int row) const { return m_rows.at(row); }
    // The grid or its in-place editor has the keyboard focus.
    bool hasFocusWithin() const;
    // Repaints every cell, so the current-row marking follows the focus.
    void repaintCells();
    // Stores the text of an in-place editor that is still open, as leaving it would.
    void commitOpenEditor();

signals:
    void mousePressed();
    // The user left a value cell whose text they changed: once per such edit, never for values
    // the program sets.
    void valueEdited(int row);

protected slots:
    void commitData(QWidget* editor) override;
    // Tab from the last value (Shift+Tab from the first) goes on to the next control at once.
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

protected:
    // Tab and Shift+Tab step through the values, row by row, and stop at either end instead
    // of starting over: the grid is one stop in the window's Tab order, not a trap.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QVector<ParamRow> m_rows; // row properties; the texts live in the items
};

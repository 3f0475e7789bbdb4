#pragma once

#include "engine/ltvItemData.h"

#include <QString>

class QStandardItem;
class QStandardItemModel;

// The task list's rows are the only store of tasks. Column 0 holds the caption (the input
// path); columns 1 to 10 hold sub-items 0 to 9, the texts of the record after InputFile.
class TaskRows final
{
public:
    static constexpr int SubItemCount = 10;
    static constexpr int ColumnCount = SubItemCount + 1;
    // Modes of ReadTask and WriteTask besides the sub-item numbers 0 to 9.
    static constexpr int WholeRecord = -2;
    static constexpr int CaptionOnly = -1;

    explicit TaskRows(QStandardItemModel* model);

    // Eleven columns; only the first four have captions, the rest stay hidden in the view.
    void setupColumns();

    // Copies row texts into the record (mode -2, -1 or 0..9); other modes and rows do nothing.
    void ReadTask(int row, int mode, ltvItemData& record) const;
    // Copies record texts into the row; the numbers are never written.
    void WriteTask(int row, int mode, const ltvItemData& record);

    // Appends a row with the path as caption and ten empty sub-items; returns its index.
    int appendTask(const QString& path);
    // Appends a row holding the record's texts; returns its index.
    int appendTask(const ltvItemData& record);

    // A sub-item's tooltip: a word or two in the cell, the reason behind it on hovering.
    void setSubItemToolTip(int row, int sub, const QString& text);
    QString subItemToolTip(int row, int sub) const;

    int rowCount() const;
    // The first row whose caption equals the path exactly, letter case included; -1 if none.
    // Looked up, not searched: as quick with thousands of rows as with one.
    int indexOf(const QString& path) const;
    QString caption(int row) const;

    QStandardItemModel* model() const { return m_model; }

private:
    bool validRow(int row) const;
    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);

    QStandardItemModel* m_model;
};

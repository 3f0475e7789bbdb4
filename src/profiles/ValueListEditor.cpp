#include "ValueListEditor.h"

#include <QHeaderView>

ValueListEditor::ValueListEditor(const QString& name, int keyWidth, int valueWidth,
                                 QWidget* parent)
    : QTableWidget(0, 2, parent)
{
    setObjectName(name);
    setFrameShape(QFrame::NoFrame);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setMinimumSectionSize(RowHeight);
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, keyWidth);
    setColumnWidth(1, valueWidth);
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ValueListEditor::clearRows()
{
    for (int row = rowCount() - 1; row >= 0; --row)
        removeRow(row);
    m_rows.clear();
}

void ValueListEditor::setRows(const ParamPanel& rows)
{
    clearRows();
    for (const ParamRow& row : rows)
        appendRow(row);
}

void ValueListEditor::appendRow(const ParamRow& row)
{
    const int at = rowCount();
    insertRow(at);
    m_rows.append(row);
    auto* key = new QTableWidgetItem(row.key);
    key->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    key->setBackground(palette().button());
    setItem(at, 0, key);
    auto* value = new QTableWidgetItem(row.value);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!row.readOnly)
        flags |= Qt::ItemIsEditable;
    value->setFlags(flags);
    setItem(at, 1, value);
}

ParamPanel ValueListEditor::rows() const
{
    ParamPanel result = m_rows;
    for (int row = 0; row < result.size(); ++row)
        result[row].value = item(row, 1) ? item(row, 1)->text() : QString();
    return result;
}

int ValueListEditor::rowOf(const QString& key) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).key.compare(key, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

QString ValueListEditor::value(const QString& key) const
{
    const int row = rowOf(key);
    return row < 0 ? QString() : item(row, 1)->text();
}

void ValueListEditor::setValue(const QString& key, const QString& value)
{
    const int row = rowOf(key);
    if (row < 0) {
        ParamRow added;
        added.key = key;
        added.value = value;
        appendRow(added);
        return;
    }
    item(row, 1)->setText(value);
}

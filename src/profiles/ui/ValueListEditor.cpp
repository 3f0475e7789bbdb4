#include "ValueListEditor.h"

#include "ValueCellDelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>

ValueListEditor::ValueListEditor(const QString& name, int keyWidth, int valueWidth, QWidget* parent)
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
    // Only the current cell matters; nothing is ever shown selected.
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setItemDelegate(new ValueCellDelegate(this));
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
    // The current row stays on the same key, so the user keeps their place across a reload.
    const int current = currentRow();
    const QString key =
        current >= 0 && current < m_rows.size() ? m_rows.at(current).key : QString();
    const int column = currentColumn();
    clearRows();
    for (const ParamRow& row : rows)
        appendRow(row);
    const int again = key.isEmpty() ? -1 : rowOf(key);
    if (again < 0)
        return;
    // Moving there must not open an editor on its own.
    const EditTriggers triggers = editTriggers();
    setEditTriggers(triggers & ~CurrentChanged);
    setCurrentCell(again, column);
    setEditTriggers(triggers);
}

void ValueListEditor::appendRow(const ParamRow& row)
{
    const int at = rowCount();
    insertRow(at);
    m_rows.append(row);
    auto* key = new QTableWidgetItem(row.key);
    key->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(at, 0, key);
    auto* value = new QTableWidgetItem(row.value);
    // Pick-list rows are read-only to typing, but their drop-down still sets the value.
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!row.readOnly || row.pickList)
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

void ValueListEditor::commitData(QWidget* editor)
{
    // An in-place editor reaches the values only through here, whether the user moves to
    // another cell or takes the focus elsewhere; a second commit of the same editor finds
    // nothing changed.
    QStringList before;
    for (int row = 0; row < rowCount(); ++row)
        before << (item(row, 1) ? item(row, 1)->text() : QString());
    QTableWidget::commitData(editor);
    for (int row = 0; row < rowCount() && row < before.size(); ++row) {
        if (item(row, 1) && item(row, 1)->text() != before.at(row))
            emit valueEdited(row);
    }
}

QModelIndex ValueListEditor::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action != MoveNext && action != MovePrevious)
        return QTableWidget::moveCursor(action, modifiers);
    const int current = currentIndex().isValid() ? currentRow() : -1;
    const int row = action == MoveNext ? current + 1 : (current < 0 ? rowCount() : current) - 1;
    return row >= 0 && row < rowCount() ? model()->index(row, 1) : QModelIndex();
}

void ValueListEditor::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool leaving = (next || hint == QAbstractItemDelegate::EditPreviousItem) &&
                         !moveCursor(next ? MoveNext : MovePrevious, Qt::NoModifier).isValid();
    QTableWidget::closeEditor(editor, leaving ? QAbstractItemDelegate::NoHint : hint);
    if (leaving)
        focusNextPrevChild(next);
}

void ValueListEditor::commitOpenEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    // An in-place editor is a child of the viewport and has the focus while it is open.
    QWidget* editor = QApplication::focusWidget();
    if (editor && editor->parentWidget() == viewport())
        commitData(editor);
}

void ValueListEditor::keyPressEvent(QKeyEvent* event)
{
    // Enter in a value's editor stores that value and stays; passed on, it would also press the
    // dialog's default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() == EditingState) {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void ValueListEditor::mousePressEvent(QMouseEvent* event)
{
    QTableWidget::mousePressEvent(event);
    emit mousePressed();
}

void ValueListEditor::focusInEvent(QFocusEvent* event)
{
    // Come to by Shift+Tab, the grid starts at its last value, as a form would.
    if (event->reason() == Qt::BacktabFocusReason && rowCount() > 0)
        setCurrentCell(rowCount() - 1, 1);
    QTableWidget::focusInEvent(event);
    repaintCells();
}

void ValueListEditor::focusOutEvent(QFocusEvent* event)
{
    QTableWidget::focusOutEvent(event);
    repaintCells();
}

bool ValueListEditor::hasFocusWithin() const
{
    const QWidget* focus = QApplication::focusWidget();
    return hasFocus() || (focus && isAncestorOf(focus));
}

void ValueListEditor::repaintCells()
{
    viewport()->update();
}

#include "ValueCellDelegate.h"

#include "ValueListEditor.h"

#include <QComboBox>
#include <QPainter>

ValueCellDelegate::ValueCellDelegate(ValueListEditor* grid)
    : QStyledItemDelegate(grid), m_grid(grid)
{}

ValueCellDelegate::Look ValueCellDelegate::look(const QModelIndex& index) const
{
    const ParamRow& row = m_grid->rowData(index.row());
    const QColor window = m_grid->palette().color(QPalette::Base);
    const QColor ordinary = m_grid->palette().color(
        m_grid->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text);
    // A disabled grid (during a batch) greys every text alike.
    const QColor normal = m_grid->isEnabled() ? QColor(Qt::black) : ordinary;
    const QColor remembered =
        index.column() == 1 && row.readOnly && !row.pickList ? readOnlyColour() : normal;
    const QModelIndex current = m_grid->currentIndex();
    if (current.isValid() && current.row() == index.row()) {
        if (index.column() == 1 && current.column() == 1)
            return {remembered, window};
        if (index.column() == 0)
            return m_grid->hasFocusWithin() ? Look{ordinary, focusedKeyColour()}
                                            : Look{remembered, window};
    }
    if (index.column() == 0)
        return {ordinary, QColor()};
    return {remembered, QColor()};
}

void ValueCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    cell.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    const Look colours = look(index);
    cell.palette.setColor(QPalette::Text, colours.text);
    if (colours.background.isValid())
        painter->fillRect(option.rect, colours.background);
    else if (index.column() == 0)
        painter->fillRect(option.rect, m_grid->palette().color(QPalette::Button));
    QStyledItemDelegate::paint(painter, cell, index);
}

QWidget* ValueCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    const ParamRow& row = m_grid->rowData(index.row());
    QWidget* editor = row.pickList ? pickList(parent, row)
                                   : QStyledItemDelegate::createEditor(parent, option, index);
    // A screen reader names the editor after its row: the key beside it is not read with it. A
    // drop-down list is named by its choice, so the key goes into its description too.
    if (editor) {
        editor->setAccessibleName(row.key);
        editor->setAccessibleDescription(row.key);
    }
    return editor;
}

QComboBox* ValueCellDelegate::pickList(QWidget* parent, const ParamRow& row) const
{
    auto* box = new QComboBox(parent);
    box->setEditable(false);
    box->addItems(row.choices);
    // A choice is taken as soon as it is picked, as a drop-down list does.
    auto* self = const_cast<ValueCellDelegate*>(this);
    connect(box, &QComboBox::activated, self, [self, box] {
        emit self->commitData(box);
        emit self->closeEditor(box);
    });
    return box;
}

void ValueCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        const int at = box->findText(index.data().toString());
        box->setCurrentIndex(at);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void ValueCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const
{
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        if (box->currentIndex() >= 0 && box->currentText() != index.data().toString())
            model->setData(index, box->currentText());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

#pragma once

#include <QStyledItemDelegate>

class QComboBox;
class ValueListEditor;
struct ParamRow;

// Paints the cells of a key/value grid and edits pick-list rows with a drop-down that cannot
// be typed into. Read-only plain values are silver; the current value cell never looks
// highlighted; the current row's key is on blue while the grid has the focus.
class ValueCellDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static QColor focusedKeyColour() { return QColor(49, 106, 197); }
    static QColor readOnlyColour() { return QColor(192, 192, 192); }

    explicit ValueCellDelegate(ValueListEditor* grid);

    // The colours a cell is drawn with; painting and tests share this rule.
    struct Look
    {
        QColor text;
        QColor background; // invalid: the grid's default background for that cell
    };
    Look look(const QModelIndex& index) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    QComboBox* pickList(QWidget* parent, const ParamRow& row) const;

    ValueListEditor* m_grid;
};

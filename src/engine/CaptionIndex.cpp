#include "CaptionIndex.h"

#include <QAbstractItemModel>

CaptionIndex* CaptionIndex::of(QAbstractItemModel* model)
{
    if (auto* index = model->findChild<CaptionIndex*>(QString(), Qt::FindDirectChildrenOnly))
        return index;
    return new CaptionIndex(model);
}

CaptionIndex::CaptionIndex(QAbstractItemModel* model) : QObject(model), m_model(model)
{
    const auto stale = [this] { m_stale = true; };
    connect(model, &QAbstractItemModel::rowsInserted, this, &CaptionIndex::inserted);
    connect(model, &QAbstractItemModel::rowsRemoved, this, stale);
    connect(model, &QAbstractItemModel::rowsMoved, this, stale);
    connect(model, &QAbstractItemModel::modelReset, this, stale);
    connect(model, &QAbstractItemModel::layoutChanged, this, stale);
    connect(model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& topLeft) {
        if (topLeft.column() == 0)
            m_stale = true; // a caption changed (rows exchanged, say)
    });
    rebuild();
}

void CaptionIndex::inserted(const QModelIndex& parent, int first, int last)
{
    if (parent.isValid())
        return;
    if (m_stale || first != m_known)
        m_stale = true;
    else
        add(first, last);
}

void CaptionIndex::add(int first, int last)
{
    for (int row = first; row <= last; ++row) {
        const QString caption = m_model->index(row, 0).data().toString();
        if (!m_rows.contains(caption)) // the first row with a caption is the one found
            m_rows.insert(caption, row);
    }
    m_known = last + 1;
}

void CaptionIndex::rebuild()
{
    m_rows.clear();
    add(0, m_model->rowCount() - 1);
    m_stale = false;
}

int CaptionIndex::row(const QString& caption)
{
    if (m_stale)
        rebuild();
    return m_rows.value(caption, -1);
}

#include "TaskRows.h"

#include "engine/CaptionIndex.h"
#include "engine/TimeText.h"

#include <QStandardItemModel>

namespace {
using TextField = QString ltvItemData::*;
using NumberField = double ltvItemData::*;

// Record fields held by sub-items 0 to 9, in row order.
constexpr TextField subItemFields[TaskRows::SubItemCount] = {
    &ltvItemData::Length,      &ltvItemData::Size,       &ltvItemData::Status,
    &ltvItemData::NewFileName, &ltvItemData::NewFileExt, &ltvItemData::SourceStart,
    &ltvItemData::SourceEnd,   &ltvItemData::ClipLength, &ltvItemData::StartTime,
    &ltvItemData::EndTime,
};

// The number derived from each sub-item's text; null where the text is not a time.
constexpr NumberField subItemNumbers[TaskRows::SubItemCount] = {
    &ltvItemData::LengthSec,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    &ltvItemData::SourceStartSec,
    &ltvItemData::SourceEndSec,
    &ltvItemData::ClipLengthSec,
    &ltvItemData::StartTimeSec,
    &ltvItemData::EndTimeSec,
};

QStandardItem* newItem(const QString& text)
{
    auto* item = new QStandardItem(text);
    // Rows change only through the program's own operations.
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}
} // namespace

TaskRows::TaskRows(QStandardItemModel* model) : m_model(model) {}

void TaskRows::setupColumns()
{
    m_model->setColumnCount(ColumnCount);
    const QStringList captions = {QStringLiteral("Input File"), QStringLiteral("Length"),
                                  QStringLiteral("Size"), QStringLiteral("Status")};
    for (int column = 0; column < ColumnCount; ++column)
        m_model->setHeaderData(column, Qt::Horizontal, captions.value(column));
}

void TaskRows::ReadTask(int row, int mode, ltvItemData& record) const
{
    if (!validRow(row))
        return;
    if (mode == WholeRecord) {
        record.InputFile = caption(row);
        for (int sub = 0; sub < SubItemCount; ++sub) {
            record.*subItemFields[sub] = text(row, sub + 1);
            if (subItemNumbers[sub])
                record.*subItemNumbers[sub] = TextToSeconds(record.*subItemFields[sub]);
        }
    } else if (mode == CaptionOnly) {
        record.InputFile = caption(row);
    } else if (mode >= 0 && mode < SubItemCount) {
        record.*subItemFields[mode] = text(row, mode + 1);
        if (subItemNumbers[mode])
            record.*subItemNumbers[mode] = TextToSeconds(record.*subItemFields[mode]);
    }
}

void TaskRows::WriteTask(int row, int mode, const ltvItemData& record)
{
    if (!validRow(row))
        return;
    if (mode == WholeRecord) {
        setText(row, 0, record.InputFile);
        for (int sub = 0; sub < SubItemCount; ++sub)
            setText(row, sub + 1, record.*subItemFields[sub]);
    } else if (mode == CaptionOnly) {
        setText(row, 0, record.InputFile);
    } else if (mode >= 0 && mode < SubItemCount) {
        setText(row, mode + 1, record.*subItemFields[mode]);
    }
}

int TaskRows::appendTask(const QString& path)
{
    ltvItemData record;
    record.InputFile = path;
    return appendTask(record);
}

int TaskRows::appendTask(const ltvItemData& record)
{
    QList<QStandardItem*> items;
    items.reserve(ColumnCount);
    items.append(newItem(record.InputFile));
    for (int sub = 0; sub < SubItemCount; ++sub)
        items.append(newItem(record.*subItemFields[sub]));
    m_model->appendRow(items);
    return m_model->rowCount() - 1;
}

void TaskRows::setSubItemToolTip(int row, int sub, const QString& text)
{
    if (!validRow(row) || sub < 0 || sub >= SubItemCount)
        return;
    if (!m_model->item(row, sub + 1))
        setText(row, sub + 1, QString());
    m_model->item(row, sub + 1)->setToolTip(text);
}

QString TaskRows::subItemToolTip(int row, int sub) const
{
    const QStandardItem* item =
        validRow(row) && sub >= 0 && sub < SubItemCount ? m_model->item(row, sub + 1) : nullptr;
    return item ? item->toolTip() : QString();
}

int TaskRows::rowCount() const
{
    return m_model->rowCount();
}

int TaskRows::indexOf(const QString& path) const
{
    return CaptionIndex::of(m_model)->row(path);
}

QString TaskRows::caption(int row) const
{
    return validRow(row) ? text(row, 0) : QString();
}

bool TaskRows::validRow(int row) const
{
    return row >= 0 && row < m_model->rowCount();
}

QString TaskRows::text(int row, int column) const
{
    const QStandardItem* item = m_model->item(row, column);
    return item ? item->text() : QString();
}

void TaskRows::setText(int row, int column, const QString& text)
{
    if (QStandardItem* item = m_model->item(row, column))
        item->setText(text);
    else
        m_model->setItem(row, column, newItem(text));
}

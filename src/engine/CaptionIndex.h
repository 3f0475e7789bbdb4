#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QAbstractItemModel;
class QModelIndex;

// Finds a task's row by its caption, exactly (letter case included), at the same cost for the
// ten-thousandth task as for the first. It lives with the model and follows it: rows appended
// at the end are added as they come; any other change is read again at the next lookup.
class CaptionIndex final : public QObject
{
    Q_OBJECT
public:
    // The model's index, made on first use.
    static CaptionIndex* of(QAbstractItemModel* model);

    int row(const QString& caption); // the first row with it, -1 if none

private:
    explicit CaptionIndex(QAbstractItemModel* model);
    void inserted(const QModelIndex& parent, int first, int last);
    void add(int first, int last);
    void rebuild();

    QAbstractItemModel* m_model;
    QHash<QString, int> m_rows;
    int m_known = 0; // rows read so far
    bool m_stale = false;
};

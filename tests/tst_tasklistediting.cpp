#include "engine/TaskRows.h"
#include "tasks/TaskListEditing.h"

#include "engine/TaskModel.h"

#include <QItemSelectionModel>
#include <QTest>

namespace {
using Rows = QList<int>;

// A list of tasks 0..count-1, each with texts that name it in every field, so that a row whose
// fields came from different tasks shows. Odd tasks failed, each for a reason of its own.
struct List
{
    TaskModel model;
    TaskRows rows{&model};
    QItemSelectionModel selection{&model};
    TaskListEditing editing{rows, &selection};

    explicit List(int count, const Rows& selected = {})
    {
        for (int task = 0; task < count; ++task) {
            const QString n = QString::number(task);
            ltvItemData record;
            record.InputFile = "/v/" + n + ".avi";
            record.Length = record.SourceEnd = record.EndTime = "00:00:0" + n;
            record.Size = " 32" + n + "x240";
            record.Status = task % 2 ? "Failed" : "OK";
            record.NewFileName = "name" + n;
            record.NewFileExt = ".e" + n;
            record.SourceStart = record.StartTime = "00:00:00." + n;
            record.ClipLength = "00:00:0" + n + ".5";
            const int row = rows.appendTask(QString());
            rows.WriteTask(row, TaskRows::WholeRecord, record);
            if (task % 2)
                rows.setState(row, TaskState::Failed, "why " + n);
        }
        for (int row : selected)
            selection.select(model.index(row, 0),
                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // The task each row holds, or -1 when its fields do not all belong to one task.
    Rows order() const
    {
        Rows result;
        for (int row = 0; row < rows.rowCount(); ++row) {
            const QString n = QFileInfo(rows.caption(row)).baseName();
            bool whole = true;
            for (int column = 1; column < TaskModel::ColumnCount; ++column) {
                const QString text = model.index(row, column).data().toString();
                if (column == 3)
                    whole = whole && text == (n.toInt() % 2 ? "Failed" : "OK") &&
                            rows.failureReason(row) == (n.toInt() % 2 ? "why " + n : QString());
                else
                    whole = whole && text.contains(n);
            }
            result << (whole ? n.toInt() : -1);
        }
        return result;
    }

    Rows selected() const
    {
        Rows result;
        for (int row = 0; row < rows.rowCount(); ++row) {
            if (editing.isSelected(row))
                result << row;
        }
        return result;
    }
};
} // namespace

class TestTaskListEditing final : public QObject
{
    Q_OBJECT

private slots:
    // clang-format off
    void moves_data()
    {
        QTest::addColumn<bool>("up");
        QTest::addColumn<Rows>("selected");
        QTest::addColumn<Rows>("order");
        QTest::addColumn<Rows>("selectedAfter");
        QTest::newRow("up: rows 2 and 3 move as a block") << true << Rows{2, 3}
            << Rows{0, 2, 3, 1, 4} << Rows{1, 2};
        QTest::newRow("up: rows 0 and 1 exchange, one stays selected") << true << Rows{0, 1}
            << Rows{1, 0, 2, 3, 4} << Rows{0};
        QTest::newRow("up: row 0 alone stays") << true << Rows{0}
            << Rows{0, 1, 2, 3, 4} << Rows{0};
        QTest::newRow("up: rows 0 and 2") << true << Rows{0, 2}
            << Rows{0, 2, 1, 3, 4} << Rows{0, 1};
        QTest::newRow("up: rows 1 and 3 apart") << true << Rows{1, 3}
            << Rows{1, 0, 3, 2, 4} << Rows{0, 2};
        QTest::newRow("up: nothing selected") << true << Rows{}
            << Rows{0, 1, 2, 3, 4} << Rows{};
        QTest::newRow("down: last two exchange, one stays selected") << false << Rows{3, 4}
            << Rows{0, 1, 2, 4, 3} << Rows{4};
        QTest::newRow("down: rows 1 and 2 move as a block") << false << Rows{1, 2}
            << Rows{0, 3, 1, 2, 4} << Rows{2, 3};
        QTest::newRow("down: row 0 alone") << false << Rows{0}
            << Rows{1, 0, 2, 3, 4} << Rows{1};
        QTest::newRow("down: last row alone stays") << false << Rows{4}
            << Rows{0, 1, 2, 3, 4} << Rows{4};
        QTest::newRow("down: nothing selected") << false << Rows{}
            << Rows{0, 1, 2, 3, 4} << Rows{};
    }
    // clang-format on
    void moves()
    {
        QFETCH(bool, up);
        QFETCH(Rows, selected);
        QFETCH(Rows, order);
        QFETCH(Rows, selectedAfter);
        List list(5, selected);
        up ? list.editing.MoveUp() : list.editing.MoveDown();
        QCOMPARE(list.order(), order);
        QCOMPARE(list.selected(), selectedAfter);
        QCOMPARE(list.editing.currentTask(), selectedAfter.value(0, -1));
    }

    void remove_data()
    {
        QTest::addColumn<Rows>("selected");
        QTest::addColumn<Rows>("order");
        QTest::newRow("rows 1 and 3 of five") << Rows{1, 3} << Rows{0, 2, 4};
        QTest::newRow("the first and the last") << Rows{0, 4} << Rows{1, 2, 3};
        QTest::newRow("nothing selected") << Rows{} << Rows{0, 1, 2, 3, 4};
        QTest::newRow("every row") << Rows{0, 1, 2, 3, 4} << Rows{};
    }
    void remove()
    {
        QFETCH(Rows, selected);
        QFETCH(Rows, order);
        List list(5, selected);
        list.editing.RemoveSelected();
        QCOMPARE(list.order(), order);
        QCOMPARE(list.selected(), Rows{});
    }

    void clear()
    {
        List list(3, {1});
        list.editing.Clear();
        QCOMPARE(list.rows.rowCount(), 0);
        QCOMPARE(list.editing.currentTask(), -1);
        list.editing.Clear(); // an empty list stays empty
        list.editing.MoveUp();
        list.editing.MoveDown();
        QCOMPARE(list.rows.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTaskListEditing)
#include "tst_tasklistediting.moc"

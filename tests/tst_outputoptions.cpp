#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "tasks/OutputOptions.h"

#include <QTest>

namespace {
// A task added for /v/clip.avi: the source runs from 0 to `source` (both empty when the probe
// failed), converted from `start` to `end`.
ltvItemData seed(const QString& source, const QString& start, const QString& end)
{
    ltvItemData task;
    task.InputFile = "/v/clip.avi";
    task.Length = task.SourceEnd = source;
    task.SourceStart = source.isEmpty() ? QString() : QStringLiteral("00:00:00.0");
    task.Size = " 320x240";
    task.Status = "OK";
    task.NewFileName = "clip";
    task.NewFileExt = ".mp4";
    task.StartTime = start;
    task.EndTime = end;
    task.ClipLength = "(before)";
    return task;
}
} // namespace

class TestOutputOptions final : public QObject
{
    Q_OBJECT

private slots:
    void validation_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("before"); // start and end before the edit
        QTest::addColumn<QStringList>("typed");  // New Filename, Start Time, End Time
        QTest::addColumn<QStringList>("stored"); // name, extension, start, end, clip length
        QTest::addColumn<bool>("told");          // the user hears of a time past the end
        const QString src = "00:01:40.00";       // 100 seconds
        const QStringList whole = {"00:00:00.0", src};
        const QStringList from10 = {"00:00:10", "00:01:00"};
        auto row = [&](const char* name, const QStringList& before, const QStringList& typed,
                       const QStringList& stored, const QString& source = "00:01:40.00",
                       bool told = false) {
            QTest::newRow(name) << source << before << typed << stored << told;
        };
        // clang-format off
        row("end 00:00:50", whole, {"clip.mp4", "00:00:00.0", "00:00:50"},
            {"clip", ".mp4", "00:00:00", "00:00:50", "00:00:50"});
        row("start after the end is refused", whole, {"clip.mp4", "00:02:00", src},
            {"clip", ".mp4", "00:00:00", "00:01:40", "00:01:40"}, src, true);
        row("end past the source is refused", whole, {"clip.mp4", "00:00:00.0", "00:02:30"},
            {"clip", ".mp4", "00:00:00", "00:01:40", "00:01:40"}, src, true);
        row("end far past the source is refused", whole, {"clip.mp4", "00:00:00.0", "2147483647:0:0"},
            {"clip", ".mp4", "00:00:00", "00:01:40", "00:01:40"}, src, true);
        row("start equal to the end keeps the start", whole, {"clip.mp4", "00:00:10", "00:00:10"},
            {"clip", ".mp4", "00:00:00", "00:00:10", "00:00:10"});
        row("start with one colon keeps the previous start", from10, {"clip.mp4", "1:30", "00:01:00"},
            {"clip", ".mp4", "00:00:10", "00:01:00", "00:00:50"});
        row("start in letters keeps the previous start", from10, {"clip.mp4", "abc", "00:01:00"},
            {"clip", ".mp4", "00:00:10", "00:01:00", "00:00:50"});
        row("empty times keep both", from10, {"clip.mp4", "", ""},
            {"clip", ".mp4", "00:00:10", "00:01:00", "00:00:50"});
        row("start and end past the source's end", whole, {"clip.mp4", "00:01:50", "00:03:00"},
            {"clip", ".mp4", "00:00:00", "00:01:40", "00:01:40"}, src, true);
        row("the end is checked against the start kept", whole, {"clip.mp4", "00:00:30", "00:00:20"},
            {"clip", ".mp4", "00:00:00", "00:00:20", "00:00:20"});
        row("zero end", from10, {"clip.mp4", "00:00:10", "00:00:00"},
            {"clip", ".mp4", "00:00:10", "00:01:00", "00:00:50"});
        row("end before the start", from10, {"clip.mp4", "00:00:30", "00:00:20"},
            {"clip", ".mp4", "00:00:10", "00:00:20", "00:00:10"});
        row("movie.avi", whole, {"movie.avi", "00:00:00.0", src},
            {"movie", ".avi", "00:00:00", "00:01:40", "00:01:40"});
        row("movie without extension", whole, {"movie", "00:00:00.0", src},
            {"movie", "", "00:00:00", "00:01:40", "00:01:40"});
        row("several dots", whole, {"a.b.mkv", "00:00:00.0", src},
            {"a.b", ".mkv", "00:00:00", "00:01:40", "00:01:40"});
        row("empty name refused, times still stored", whole, {"", "00:00:05", src},
            {"clip", ".mp4", "00:00:05", "00:01:40", "00:01:35"});
        row("name in a subfolder refused", whole, {"sub/x", "00:00:00.0", src},
            {"clip", ".mp4", "00:00:00", "00:01:40", "00:01:40"});
        row("name with a folder and extension refused", whole, {"sub/x.avi", "00:00:00.0", src},
            {"clip", ".mp4", "00:00:00", "00:01:40", "00:01:40"});
        row("extension alone refused", whole, {".avi", "00:00:00.0", src},
            {"clip", ".mp4", "00:00:00", "00:01:40", "00:01:40"});
        row("hundredths come back as tenths", {"00:00:00.0", "00:01:23.45"},
            {"clip.mp4", "00:00:00.0", "00:01:23.45"},
            {"clip", ".mp4", "00:00:00", "00:01:23.5", "00:01:23.5"}, "00:01:23.45");
        row("a task whose probe failed counts its length from 0", {"", ""},
            {"x.mp4", "00:00:05", "00:00:20"},
            {"x", ".mp4", "00:00:00", "00:00:20", "00:00:20"}, "");
        // clang-format on
    }
    void validation()
    {
        QFETCH(QString, source);
        QFETCH(QStringList, before);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, stored);
        QFETCH(bool, told);
        TaskModel model;
        TaskRows rows(&model);
        const ltvItemData seeded = seed(source, before.at(0), before.at(1));
        rows.WriteTask(rows.appendTask(QString()), TaskRows::WholeRecord, seeded);

        const QString said =
            OutputOptions{typed.at(0), typed.at(1), typed.at(2)}.storeInto(rows, 0);
        QCOMPARE(!said.isEmpty(), told);
        ltvItemData task;
        rows.ReadTask(0, TaskRows::WholeRecord, task);
        QCOMPARE((QStringList{task.NewFileName, task.NewFileExt, task.StartTime, task.EndTime,
                              task.ClipLength}),
                 stored);
        QCOMPARE(task.Length, seeded.Length);
        QCOMPARE(task.SourceEnd, seeded.SourceEnd);
        QCOMPARE(task.Status, seeded.Status);
    }

    void writesFiveFieldsInOrder()
    {
        TaskModel model;
        TaskRows rows(&model);
        rows.WriteTask(rows.appendTask(QString()), TaskRows::WholeRecord,
                       seed("00:01:40.00", "00:00:10", "00:01:00"));
        QList<int> columns;
        connect(&model, &TaskModel::dataChanged, this,
                [&](const QModelIndex& from, const QModelIndex& to) {
                    for (int column = from.column(); column <= to.column(); ++column)
                        columns << column;
                });
        OutputOptions{"new.avi", "00:00:20", "00:00:50"}.storeInto(rows, 0);
        // Sub-items 3, 4, 7, 8 and 9 sit in columns 4, 5, 8, 9 and 10.
        QCOMPARE(columns, (QList<int>{4, 5, 8, 9, 10}));

        columns.clear();
        OutputOptions{"other.avi", "00:00:01", "00:00:02"}.storeInto(rows, 1);
        OutputOptions{"other.avi", "00:00:01", "00:00:02"}.storeInto(rows, -1);
        QCOMPARE(columns, QList<int>());
    }

    void shown()
    {
        const ltvItemData task = seed("00:01:40.00", "00:00:00.0", "00:01:40.00");
        const OutputOptions shown = OutputOptions::Shown(task, ".mkv");
        QCOMPARE(shown.newFilename, QStringLiteral("clip.mkv"));
        QCOMPARE(shown.startTime, QStringLiteral("00:00:00.0"));
        QCOMPARE(shown.endTime, QStringLiteral("00:01:40.00"));
        QCOMPARE(OutputOptions::Shown(task, QString()).newFilename, QStringLiteral("clip"));
    }
};

QTEST_GUILESS_MAIN(TestOutputOptions)
#include "tst_outputoptions.moc"

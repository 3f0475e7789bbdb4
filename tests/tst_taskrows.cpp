#include "engine/TaskModel.h"
#include "engine/TaskRows.h"

#include <QTest>

#include <utility>

namespace {
#define FIELD(name)                                                                                \
    {                                                                                              \
#name, &ltvItemData::name                                                                  \
    }
const std::pair<const char*, QString ltvItemData::*> texts[] = {
    FIELD(InputFile),   FIELD(Length),     FIELD(Size),        FIELD(Status),
    FIELD(NewFileName), FIELD(NewFileExt), FIELD(SourceStart), FIELD(SourceEnd),
    FIELD(ClipLength),  FIELD(StartTime),  FIELD(EndTime)};
const std::pair<const char*, double ltvItemData::*> numbers[] = {
    FIELD(LengthSec),     FIELD(SourceStartSec), FIELD(SourceEndSec),
    FIELD(ClipLengthSec), FIELD(StartTimeSec),   FIELD(EndTimeSec)};
#undef FIELD

// Names of the record fields in which a and b differ.
QStringList differingFields(const ltvItemData& a, const ltvItemData& b)
{
    QStringList differing;
    for (const auto& [name, field] : texts) {
        if (a.*field != b.*field)
            differing << name;
    }
    for (const auto& [name, field] : numbers) {
        if (a.*field != b.*field)
            differing << name;
    }
    return differing;
}

QStringList withoutNumbers(QStringList fields)
{
    fields.removeIf([](const QString& field) { return field.endsWith("Sec"); });
    return fields;
}

ltvItemData sampleTask()
{
    ltvItemData task;
    task.InputFile = "/v/clip.avi";
    task.Length = "00:01:00.0";
    task.Size = " 320x240";
    task.Status = "OK";
    task.NewFileName = "clip";
    task.NewFileExt = ".mp4";
    task.SourceStart = "00:00:00.0";
    task.SourceEnd = "00:01:00.0";
    task.ClipLength = "00:00:50";
    task.StartTime = "00:00:10";
    task.EndTime = "00:01:00";
    return task;
}

// Every text different from the sample, every number a value no time text gives.
ltvItemData otherTask()
{
    ltvItemData task;
    task.InputFile = task.Length = task.Size = task.NewFileName = task.NewFileExt =
        task.SourceStart = task.SourceEnd = task.ClipLength = task.StartTime = task.EndTime = "old";
    task.Status = "Complete"; // a status is one of its words
    task.LengthSec = task.SourceStartSec = task.SourceEndSec = task.ClipLengthSec =
        task.StartTimeSec = task.EndTimeSec = 42;
    return task;
}

void addModeRows()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("changed");
    const QStringList all = differingFields(sampleTask(), otherTask());
    QTest::newRow("whole record") << -2 << all;
    QTest::newRow("caption") << -1 << QStringList{"InputFile"};
    const QStringList subItemFields = all.mid(1, 10);
    const QStringList numbers = {
        "LengthSec",    "",          "", "", "", "SourceStartSec", "SourceEndSec", "ClipLengthSec",
        "StartTimeSec", "EndTimeSec"};
    for (int mode = 0; mode < 10; ++mode) {
        QStringList changed{subItemFields.at(mode)};
        if (!numbers.at(mode).isEmpty())
            changed << numbers.at(mode);
        QTest::addRow("sub-item %d", mode) << mode << changed;
    }
    QTest::newRow("below range") << -3 << QStringList();
    QTest::newRow("above range") << 10 << QStringList();
}
} // namespace

class TestTaskRows final : public QObject
{
    Q_OBJECT

private slots:
    void appendTask()
    {
        TaskModel model;
        TaskRows rows(&model);
        QCOMPARE(model.columnCount(), 11);
        QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), QString("Status"));
        QCOMPARE(rows.appendTask("/v/a.avi"), 0);
        QCOMPARE(rows.appendTask("/v/b.avi"), 1);
        QCOMPARE(rows.caption(1), QString("/v/b.avi"));
        for (int column = 0; column < 11; ++column) {
            QVERIFY(!(model.flags(model.index(1, column)) & Qt::ItemIsEditable));
            QCOMPARE(model.index(1, column).data().toString().isEmpty(),
                     column != 0 && column != 3);
        }
    }

    void readTask_data() { addModeRows(); }
    void readTask()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, changed);
        TaskModel model;
        TaskRows rows(&model);
        rows.WriteTask(rows.appendTask(QString()), -2, sampleTask());
        ltvItemData record = otherTask();
        rows.ReadTask(0, mode, record);
        QCOMPARE(differingFields(record, otherTask()), changed);
        if (mode == -2) {
            QCOMPARE(record.LengthSec, 60.0);
            QCOMPARE(record.ClipLengthSec, 50.0);
            QCOMPARE(record.StartTimeSec, 10.0);
            QCOMPARE(record.SourceEndSec, 60.0);
            QVERIFY(withoutNumbers(differingFields(record, sampleTask())).isEmpty());
        }
    }

    void writeTask_data() { addModeRows(); }
    void writeTask()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, changed);
        TaskModel model;
        TaskRows rows(&model);
        rows.WriteTask(rows.appendTask(QString()), -2, otherTask());
        rows.WriteTask(0, mode, sampleTask());
        ltvItemData stored = otherTask();
        rows.ReadTask(0, -2, stored);
        // Reading the whole row derives every number again, so only the texts tell.
        QCOMPARE(withoutNumbers(differingFields(stored, otherTask())), withoutNumbers(changed));
    }

    void invalidRowsAndTimes()
    {
        TaskModel model;
        TaskRows rows(&model);
        ltvItemData record = otherTask();
        rows.ReadTask(0, -2, record);
        rows.WriteTask(0, -2, sampleTask());
        rows.WriteTask(-1, 2, sampleTask());
        QCOMPARE(rows.rowCount(), 0);
        QVERIFY(differingFields(record, otherTask()).isEmpty());
        QCOMPARE(rows.caption(0), QString());

        // A text that is not a time reads as -1.
        rows.appendTask("/v/a.avi");
        rows.ReadTask(0, 0, record);
        QCOMPARE(record.Length, QString());
        QCOMPARE(record.LengthSec, -1.0);
    }

    void indexOf_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("row");
        QTest::newRow("exact") << "/v/b.avi" << 1;
        QTest::newRow("other case") << "/v/B.avi" << -1;
        QTest::newRow("trailing blank") << "/v/b.avi " << -1;
        QTest::newRow("other form of same file") << "/v/../v/b.avi" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void indexOf()
    {
        QFETCH(QString, path);
        QFETCH(int, row);
        TaskModel model;
        TaskRows rows(&model);
        rows.appendTask("/v/a.avi");
        rows.appendTask("/v/b.avi");
        QCOMPARE(rows.indexOf(path), row);
    }
};

QTEST_GUILESS_MAIN(TestTaskRows)
#include "tst_taskrows.moc"

#include "FormFixture.h"
#include "ModalWatcher.h"
#include "TestFiles.h"
#include "app/ui/GettingStartedPanel.h"
#include "app/ui/PreviewPlayer.h"
#include "app/ui/TMainForm.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "engine/TimeText.h"
#include "platform/ui/MediaGraph.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/ValueListEditor.h"

#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTreeView>
#include <QWindow>
#include <QtTest>

// The preview plays real clips through the real media framework. Under the offscreen platform
// the video widget draws without a graphics device, and its window can still be grabbed.
// With FW_SCREENSHOTS naming a folder, pictures of the whole window are kept there; run under
// xvfb-run with QT_QPA_PLATFORM=xcb to see the picture as a user would.
namespace {
using State = PreviewPlayer::State;

// The bar's tick; a second in the program, too long to wait for here.
constexpr int kTickMs = 50;

qint64 positionOf(const TMainForm& form)
{
    qint64 ms = -1;
    const MediaGraph* graph = form.preview().graph();
    return graph && graph->position(ms) ? ms : -1;
}

qint64 durationOf(const TMainForm& form)
{
    qint64 ms = -1;
    const MediaGraph* graph = form.preview().graph();
    return graph && graph->duration(ms) ? ms : -1;
}

// Notes that a window has been asked to draw.
class UpdateWatch final : public QObject
{
public:
    bool seen = false;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        seen = seen || event->type() == QEvent::UpdateRequest;
        return false;
    }
};

// The picture in the preview area, taken from the video widget's own window once it has drawn
// what it holds now (it draws on its update requests, which may still be on their way).
QImage picture()
{
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (!window->inherits("QVideoWindow") || !window->isExposed())
            continue;
        UpdateWatch watch;
        window->installEventFilter(&watch);
        window->requestUpdate();
        const bool drawn = QTest::qWaitFor([&] { return watch.seen; });
        window->removeEventFilter(&watch);
        return drawn ? window->screen()->grabWindow(window->winId()).toImage() : QImage();
    }
    return QImage();
}

// The share of pixels that are not black; the test clips are bright and colourful.
double litShare(const QImage& grabbed)
{
    if (grabbed.isNull())
        return 0;
    // Row by row: pixel() at a time is slow under the sanitizers, and this runs while waiting.
    const QImage image = grabbed.convertToFormat(QImage::Format_ARGB32);
    int lit = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            lit += qRed(line[x]) + qGreen(line[x]) + qBlue(line[x]) > 60;
    }
    return double(lit) / (image.width() * image.height());
}

void keepScreenshot(TMainForm& form, const QString& name)
{
    const QString folder = qEnvironmentVariable("FW_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    form.screen()->grabWindow(form.winId()).save(QDir(folder).filePath(name + ".png"));
}

// True while some descriptor of this process is open on the file.
bool heldOpen(const QString& path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo& entry : descriptors.entryInfoList(QDir::Files | QDir::System)) {
        if (entry.symLinkTarget() == target)
            return true;
    }
    return false;
}

// What the message boxes said, for comparing with none.
QStringList texts(const ModalWatcher& watcher)
{
    QStringList result;
    for (const ModalWatcher::Seen& box : watcher.seen)
        result << box.text;
    return result;
}

QPoint thumbCentre(QSlider* bar)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.tickPosition = bar->tickPosition();
    return bar->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, bar)
        .center();
}
} // namespace

class TestPreview final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_media;
    QString m_long;  // 10 s, 320x240
    QString m_short; // 1.5 s, 160x120
    QString m_blink; // half a second
    QString m_text;  // a text file named .avi

    // A shown main window whose list holds these files, none selected.
    std::unique_ptr<FormFixture> shownForm(const QStringList& files)
    {
        auto fixture = std::make_unique<FormFixture>();
        fixture->form->preview().setTickInterval(kTickMs);
        for (const QString& file : files)
            fixture->form->rows().appendTask(file);
        if (!files.isEmpty())
            fixture->form->ui().panbg->hide(); // as adding a task does
        fixture->form->show();
        if (!QTest::qWaitForWindowExposed(fixture->form.get()))
            qWarning("the main window was not exposed");
        return fixture;
    }

    static void select(TMainForm& form, int row)
    {
        form.ui().ltvTask->selectionModel()->select(form.ui().taskModel->index(row, 0),
                                                    QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_media.isValid());
        m_long = m_media.filePath("long.avi");
        m_short = m_media.filePath("short.mp4");
        m_blink = m_media.filePath("blink.avi");
        m_text = m_media.filePath("text.avi");
        QVERIFY(MakeClip(m_long, 10));
        QVERIFY(MakeClip(m_short, 1.5, "160x120"));
        QVERIFY(MakeClip(m_blink, 0.5));
        QVERIFY(WriteFile(m_text, "These are not the pictures you are looking for.\n"));
    }

    // First: once anything has played, the framework stays loaded in this process.
    void startsBlackWithoutTheFramework()
    {
        ModalWatcher watcher;
        auto fixture = shownForm({m_long});
        TMainForm& form = *fixture->form;
        const TMainFormUi& ui = form.ui();
        QVERIFY(ui.VideoWindow1->findChildren<QWidget*>().isEmpty());
        QCOMPARE(ui.VideoWindow1->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(ui.labPreviewTime->text(), QStringLiteral("00:00:00"));
        QCOMPARE(ui.sbtnPlay->toolTip(), QStringLiteral("Play"));
        QCOMPARE(ui.sbtnPause->toolTip(), QStringLiteral("Pause / Resume"));
        QCOMPARE(ui.sbtnStop->toolTip(), QStringLiteral("Stop"));

        ui.sbtnPause->click(); // before anything was played: nothing
        ui.sbtnStop->click();
        QCOMPARE(form.preview().state(), State::Uninitialised);
        QVERIFY(!form.preview().graph());
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("libQt6Multimedia"));
        QCOMPARE(texts(watcher), QStringList());
    }

    void playTakesTheFirstTaskWhenNoneIsSelected()
    {
        ModalWatcher watcher;
        auto empty = shownForm({});
        empty->form->ui().sbtnPlay->click();
        QVERIFY(!empty->form->preview().graph());
        empty.reset();

        auto fixture = shownForm({m_short, m_long, m_long});
        TMainForm& form = *fixture->form;
        ltvItemData first;
        form.rows().ReadTask(0, TaskRows::WholeRecord, first);
        first.NewFileName = QStringLiteral("first");
        form.rows().WriteTask(0, TaskRows::WholeRecord, first);
        form.ui().sbtnPlay->click();
        QCOMPARE(form.currentTask(), 0);
        QCOMPARE(form.ui().ltvTask->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(form.grid(ParameterPanels::Output)->value(QStringLiteral("New Filename")),
                 QStringLiteral("first"));
        QCOMPARE(form.preview().state(), State::Running);
        QTRY_VERIFY(durationOf(form) > 1000 && durationOf(form) < 2000);
        QTRY_VERIFY(positionOf(form) > 300);
        QCOMPARE(texts(watcher), QStringList()); // no sound device here: silence, no complaint
    }

    void pauseResumeStop()
    {
        ModalWatcher watcher;
        auto fixture = shownForm({m_long});
        TMainForm& form = *fixture->form;
        const TMainFormUi& ui = form.ui();
        select(form, 0);
        ui.sbtnPlay->click();
        QTRY_VERIFY(ui.TrackBar->value() > 0); // a tick has come
        QCOMPARE(ui.TrackBar->maximum(), 10);
        QCOMPARE(ui.labPreviewTime->text(), SecondsToText(ui.TrackBar->value()));

        ui.sbtnPause->click();
        QCOMPARE(form.preview().state(), State::Paused);
        const qint64 paused = positionOf(form);
        ui.sbtnPause->click(); // resumes from where it was
        QCOMPARE(form.preview().state(), State::Running);
        QVERIFY(positionOf(form) >= paused);
        QTRY_VERIFY(positionOf(form) > paused + 300);
        const qint64 stoppedAt = positionOf(form);

        ui.sbtnStop->click();
        QCOMPARE(form.preview().state(), State::Stopped);
        const QString shown = ui.labPreviewTime->text();
        QVERIFY(shown != QStringLiteral("00:00:00"));
        ui.sbtnPause->click(); // stopped: nothing
        QCOMPARE(form.preview().state(), State::Stopped);
        QCOMPARE(positionOf(form), -1);
        QCOMPARE(ui.labPreviewTime->text(), shown);

        ui.sbtnPlay->click(); // from the beginning again
        QCOMPARE(form.preview().state(), State::Running);
        QCOMPARE(ui.labPreviewTime->text(), QStringLiteral("00:00:00"));
        QTRY_VERIFY(positionOf(form) >= 0);
        QVERIFY2(positionOf(form) < stoppedAt, qPrintable(QString::number(positionOf(form))));
        QCOMPARE(texts(watcher), QStringList());
    }

    void pictureStaysAfterStopAndAtTheEnd()
    {
        ModalWatcher watcher;
        auto fixture = shownForm({m_short});
        TMainForm& form = *fixture->form;
        const TMainFormUi& ui = form.ui();
        ui.sbtnPlay->click();
        QTRY_VERIFY(positionOf(form) > 700 && litShare(picture()) > 0.5);
        keepScreenshot(form, "playing");

        ui.sbtnStop->click();
        QVERIFY(!heldOpen(m_short));
        QTRY_VERIFY(picture().size() == ui.VideoWindow1->size());
        QVERIFY(litShare(picture()) > 0.5);
        keepScreenshot(form, "stopped");

        ui.sbtnPlay->click();
        QTRY_VERIFY_WITH_TIMEOUT(positionOf(form) > 0 && positionOf(form) == durationOf(form),
                                 10000);
        QCOMPARE(form.preview().state(), State::Running); // nothing reacts to the end
        QVERIFY(litShare(picture()) > 0.5);
        ui.sbtnPause->click(); // the end stays the end, and its last picture stays
        QCOMPARE(form.preview().state(), State::Paused);
        QCOMPARE(positionOf(form), durationOf(form));
        QVERIFY(litShare(picture()) > 0.5);
        keepScreenshot(form, "ended");
        QCOMPARE(texts(watcher), QStringList());
    }

    void seekToTheMiddleOfTheBar()
    {
        ModalWatcher watcher;
        auto fixture = shownForm({m_long});
        TMainForm& form = *fixture->form;
        QSlider* bar = form.ui().TrackBar;
        form.ui().sbtnPlay->click();
        QTRY_COMPARE(bar->maximum(), 10);

        const QPoint middle = bar->rect().center();
        QTest::mousePress(bar, Qt::LeftButton, {}, thumbCentre(bar));
        QTest::mouseMove(bar, middle);
        QCOMPARE(bar->value(), 5);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, middle);
        const qint64 seeked = positionOf(form);
        QVERIFY2(seeked >= 4900 && seeked < 5900, qPrintable(QString::number(seeked)));
        QTRY_VERIFY(positionOf(form) > seeked + 300); // and plays on from there
        QTRY_VERIFY(bar->value() > 5);
        QCOMPARE(texts(watcher), QStringList());
    }

    void heldThumbIsLeftAloneAndReleasingOtherButtonsDoesNotSeek()
    {
        ModalWatcher watcher;
        auto fixture = shownForm({m_long});
        TMainForm& form = *fixture->form;
        QSlider* bar = form.ui().TrackBar;
        form.ui().sbtnPlay->click();
        QTRY_COMPARE(bar->maximum(), 10);
        QTest::mousePress(bar, Qt::LeftButton, {}, thumbCentre(bar));
        bar->setValue(9);
        // A few ticks of playing: a tick has come, and would have moved the thumb back.
        const qint64 before = positionOf(form);
        QTRY_VERIFY(positionOf(form) > before + 4 * kTickMs);
        QCOMPARE(bar->value(), 9);
        QVERIFY(positionOf(form) < 8000);
        QTest::mouseRelease(bar, Qt::RightButton, {}, thumbCentre(bar));
        QVERIFY(positionOf(form) < 8000); // only the left button seeks
        QTRY_VERIFY(bar->value() < 9);    // but any button lets go of the thumb
        QCOMPARE(texts(watcher), QStringList());
    }

    void shortFileIsNotSeeked()
    {
        ModalWatcher watcher;
        auto fixture = shownForm({m_blink});
        TMainForm& form = *fixture->form;
        QSlider* bar = form.ui().TrackBar;
        form.ui().sbtnPlay->click();
        QTRY_VERIFY(durationOf(form) > 0);
        QTRY_VERIFY(positionOf(form) == durationOf(form)); // at its end
        QCOMPARE(bar->maximum(), 0);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->rect().center());
        QCOMPARE(positionOf(form), durationOf(form));
        QCOMPARE(texts(watcher), QStringList());
    }

    void timeShowsTheBarPosition_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << 0 << "00:00:00";
        QTest::newRow("65 s") << 65 << "00:01:05";
        QTest::newRow("an hour") << 3600 << "01:00:00";
    }
    void timeShowsTheBarPosition()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        FormFixture fixture;
        QSlider* bar = fixture.form->ui().TrackBar;
        bar->setRange(0, 4000);
        bar->setValue(seconds);
        fixture.form->preview().TrackBarTimer(7000, 9000000);
        QCOMPARE(fixture.form->ui().labPreviewTime->text(), text);
    }

    void doubleClickSwitchesTheFile()
    {
        ModalWatcher watcher;
        auto fixture = shownForm({m_long, m_short});
        TMainForm& form = *fixture->form;
        QTreeView* list = form.ui().ltvTask;
        form.ui().sbtnPlay->click();
        QTRY_VERIFY(durationOf(form) > 9500);

        const QPoint second = list->visualRect(form.ui().taskModel->index(1, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second); // the first click
        QCOMPARE(form.preview().state(), State::Running);
        QVERIFY(durationOf(form) > 9500);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(form.currentTask(), 1);
        QCOMPARE(form.preview().state(), State::Running);
        QTRY_VERIFY(durationOf(form) > 1000 && durationOf(form) < 2000);
        QTRY_VERIFY(positionOf(form) > 300);
        QCOMPARE(texts(watcher), QStringList());
    }

    void unplayableFileIsReportedAndNothingPlays_data()
    {
        QTest::addColumn<bool>("missing");
        QTest::newRow("text named .avi") << false;
        QTest::newRow("file gone") << true;
    }
    void unplayableFileIsReportedAndNothingPlays()
    {
        QFETCH(bool, missing);
        ModalWatcher watcher;
        const QString path = missing ? m_media.filePath("gone.avi") : m_text;
        auto fixture = shownForm({path});
        TMainForm& form = *fixture->form;
        form.ui().sbtnPlay->click();
        QTRY_COMPARE(watcher.seen.size(), 1);
        QCoreApplication::processEvents(); // what the player has still to say about that file
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Framewright"));
        const QRegularExpression framed(QStringLiteral("^\\S.* \\(\\$[0-9a-f]+\\)\\.$"));
        QVERIFY2(framed.match(watcher.seen[0].text).hasMatch(), qPrintable(watcher.seen[0].text));
        QCOMPARE(form.preview().state(), State::Stopped);
        QCOMPARE(positionOf(form), -1);
        QVERIFY(!heldOpen(path));
        QCOMPARE(form.ui().labPreviewTime->text(), QStringLiteral("00:00:00"));

        form.rows().appendTask(m_short); // the next file plays as usual
        select(form, 1);
        form.ui().sbtnPlay->click();
        QTRY_VERIFY(positionOf(form) > 300);
        QCOMPARE(watcher.seen.size(), 1);
    }

    void batchStartAndClosingStopAndReleaseTheFile()
    {
        ModalWatcher watcher;
        auto fixture = shownForm({m_long});
        TMainForm& form = *fixture->form;
        form.ui().sbtnPlay->click();
        QTRY_VERIFY(positionOf(form) > 300);
        QVERIFY(heldOpen(m_long));
        form.preview().Stop(); // what the Start handler calls before converting
        QCOMPARE(form.preview().state(), State::Stopped);
        QVERIFY(!heldOpen(m_long));

        form.ui().sbtnPlay->click();
        QTRY_VERIFY(positionOf(form) > 300);
        form.ui().taskModel->removeRows(0, form.ui().taskModel->rowCount());
        QCOMPARE(form.preview().state(), State::Running); // the list does not stop the preview
        form.close();
        QCOMPARE(form.preview().state(), State::Stopped);
        QVERIFY(!heldOpen(m_long));
        QCOMPARE(texts(watcher), QStringList());
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"

#include "ModalWatcher.h"
#include "app/ui/ErrorReport.h"
#include "app/ui/FwApplication.h"
#include "base/FwError.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

namespace {
// A control whose handlers fail the way file errors do.
class FailingButton final : public QPushButton
{
public:
    int after = 0;

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        throw FwError(QStringLiteral("Cannot write \"/x/Preferences.ini\": Permission denied"));
    }
    void keyPressEvent(QKeyEvent*) override { throw std::runtime_error("plain failure"); }
};
} // namespace

// An error that escapes an event handler is shown by the application and the program goes on.
class TestErrorHandling final : public QObject
{
    Q_OBJECT

private slots:
    void escapedErrorsAreShown()
    {
        ModalWatcher watcher;
        FailingButton button;
        button.show();
        QTest::mousePress(&button, Qt::LeftButton);
        QTRY_COMPARE(watcher.seen.size(), 1);
        QTest::keyClick(&button, Qt::Key_A);
        QTRY_COMPARE(watcher.seen.size(), 2);
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Framewright"));
        QCOMPARE(watcher.seen[0].text,
                 QStringLiteral("Cannot write \"/x/Preferences.ini\": Permission denied"));
        QCOMPARE(watcher.seen[1].text, QStringLiteral("plain failure"));
        // Still alive and answering.
        QTest::mouseRelease(&button, Qt::LeftButton);
        QVERIFY(button.isVisible());
    }

    // An error raised while a signal is delivered opens its box and returns: no nested event
    // loop runs, so nothing pending is delivered again from inside the handler.
    void errorBoxesDoNotWait()
    {
        ModalWatcher watcher;
        QTimer pending;
        pending.setSingleShot(true);
        int fired = 0;
        connect(&pending, &QTimer::timeout, this, [&] { ++fired; });
        QTimer failing;
        failing.setSingleShot(true);
        connect(&failing, &QTimer::timeout, this, [&] {
            pending.start(0);
            QVERIFY(!Guarded(nullptr, [] { throw FwError(QStringLiteral("Disk full")); }));
            QCOMPARE(fired, 0);
            QCOMPARE(watcher.seen.size(), 0); // not answered yet: it is still open
        });
        failing.start(0);
        QTRY_COMPARE(watcher.seen.size(), 1);
        QCOMPARE(fired, 1);
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Framewright"));
        QCOMPARE(watcher.seen[0].text, QStringLiteral("Disk full"));
        QCOMPARE(watcher.seen[0].icon, QMessageBox::Critical);
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }
};

int main(int argc, char** argv)
{
    FwApplication app(argc, argv);
    TestErrorHandling test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_errorhandling.moc"

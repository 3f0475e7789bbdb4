#include "ModalWatcher.h"
#include "app/FwApplication.h"
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
        QTest::keyClick(&button, Qt::Key_A);
        QCOMPARE(watcher.seen.size(), 2);
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Framewright"));
        QCOMPARE(watcher.seen[0].text,
                 QStringLiteral("Cannot write \"/x/Preferences.ini\": Permission denied"));
        QCOMPARE(watcher.seen[1].text, QStringLiteral("plain failure"));
        // Still alive and answering.
        QTest::mouseRelease(&button, Qt::LeftButton);
        QVERIFY(button.isVisible());
    }
};

int main(int argc, char** argv)
{
    FwApplication app(argc, argv);
    TestErrorHandling test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_errorhandling.moc"

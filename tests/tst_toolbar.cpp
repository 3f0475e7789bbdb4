#include "FormFixture.h"
#include "app/Pictures.h"
#include "app/ui/ImageButton.h"
#include "app/ui/ImageToolbar.h"
#include "app/ui/TMainForm.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

namespace {
void mouse(QWidget* widget, QEvent::Type type, const QPoint& at,
           Qt::MouseButton button = Qt::NoButton)
{
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Whether the image shows that look of its picture.
bool shows(ImageButton* image, int number, Pictures::Look look)
{
    return image->picture().toImage() ==
           Pictures::toolbar(number, look, image->devicePixelRatioF()).toImage();
}

bool showsStartStop(ImageButton* image, bool stop, Pictures::Look look)
{
    return image->picture().toImage() ==
           Pictures::startStop(stop, look, image->devicePixelRatioF()).toImage();
}
} // namespace

// The toolbar's and the Start image's looks as the mouse goes over them, in the window.
class TestToolbar final : public QObject
{
    Q_OBJECT

private slots:
    void hoverFollowsThePointer()
    {
        FormFixture fixture;
        const TMainFormUi& ui = fixture.form->ui();
        ImageToolbar& toolbar = fixture.form->toolbar();
        mouse(ui.Toolbar1, QEvent::MouseMove, QPoint(2, 2));
        mouse(ui.ibtnClear, QEvent::MouseMove, QPoint(27, 27));
        QCOMPARE(toolbar.lastState(), QStringLiteral("000100000"));
        QVERIFY(shows(ui.ibtnClear, 3, Pictures::Hover));
        QVERIFY(shows(ui.ibtnRemove, 2, Pictures::Normal));
        const int drawn = toolbar.picturesDrawn();
        mouse(ui.ibtnClear, QEvent::MouseMove, QPoint(28, 27)); // the same string again
        QCOMPARE(toolbar.picturesDrawn(), drawn);
        mouse(ui.ibtnClear, QEvent::MouseMove, QPoint(1, 1)); // a corner: outside the circle
        QCOMPARE(toolbar.lastState(), QStringLiteral("000000000"));
        QVERIFY(shows(ui.ibtnClear, 3, Pictures::Normal));

        mouse(ui.ibtnHelp, QEvent::MouseMove, QPoint(27, 27));
        QVERIFY(shows(ui.ibtnHelp, 8, Pictures::Hover));
        mouse(ui.Toolbar1, QEvent::MouseMove, QPoint(2, 2));
        QVERIFY(shows(ui.ibtnHelp, 8, Pictures::Normal));
    }

    void pressAndRelease()
    {
        FormFixture fixture;
        const TMainFormUi& ui = fixture.form->ui();
        QSignalSpy removes(ui.ibtnRemove, &ImageButton::clicked);
        mouse(ui.ibtnRemove, QEvent::MouseButtonPress, QPoint(27, 27), Qt::LeftButton);
        QVERIFY(shows(ui.ibtnRemove, 2, Pictures::Pressed));
        mouse(ui.ibtnRemove, QEvent::MouseButtonRelease, QPoint(27, 27), Qt::LeftButton);
        QVERIFY(shows(ui.ibtnRemove, 2, Pictures::Hover));
        QCOMPARE(removes.count(), 1);

        // Outside the circle a press changes no picture, yet the release there still clicks.
        mouse(ui.Toolbar1, QEvent::MouseMove, QPoint(2, 2));
        QSignalSpy clears(ui.ibtnClear, &ImageButton::clicked);
        mouse(ui.ibtnClear, QEvent::MouseButtonPress, QPoint(2, 52), Qt::LeftButton);
        QVERIFY(shows(ui.ibtnClear, 3, Pictures::Normal));
        mouse(ui.ibtnClear, QEvent::MouseButtonRelease, QPoint(2, 52), Qt::LeftButton);
        QCOMPARE(clears.count(), 1);
        QVERIFY(shows(ui.ibtnClear, 3, Pictures::Hover));
    }

    void disabledImagesKeepTheirLook()
    {
        FormFixture fixture;
        const TMainFormUi& ui = fixture.form->ui();
        ui.ibtnSetting->setEnabled(false); // as during a batch
        mouse(ui.Toolbar1, QEvent::MouseMove, QPoint(2, 2));
        const QImage before = ui.ibtnSetting->picture().toImage();
        const int count = fixture.form->toolbar().picturesDrawn();
        mouse(ui.ibtnSetting, QEvent::MouseMove, QPoint(27, 27));
        QCOMPARE(fixture.form->toolbar().lastState(), QStringLiteral("000000000"));
        QCOMPARE(fixture.form->toolbar().picturesDrawn(), count);
        QCOMPARE(ui.ibtnSetting->picture().toImage(), before);
        // Drawn as it is: not greyed the way a disabled control is.
        QImage drawn(ui.ibtnSetting->size() * ui.ibtnSetting->devicePixelRatioF(),
                     QImage::Format_ARGB32_Premultiplied);
        drawn.setDevicePixelRatio(ui.ibtnSetting->devicePixelRatioF());
        drawn.fill(Qt::transparent);
        ui.ibtnSetting->render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(drawn, before.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        mouse(ui.ibtnAbout, QEvent::MouseMove, QPoint(27, 27)); // About still answers
        QVERIFY(shows(ui.ibtnAbout, 7, Pictures::Hover));
    }

    void startImageLooks()
    {
        FormFixture fixture;
        const TMainFormUi& ui = fixture.form->ui();
        ImageToolbar& toolbar = fixture.form->toolbar();
        fixture.form->show();
        mouse(ui.imgStart, QEvent::MouseMove, QPoint(90, 30));
        QCOMPARE(toolbar.tag(ui.imgStart), 1);
        QVERIFY(showsStartStop(ui.imgStart, false, Pictures::Hover));
        mouse(ui.panBottomRight, QEvent::MouseMove, QPoint(5, 5));
        QCOMPARE(toolbar.tag(ui.imgStart), 0);
        QVERIFY(showsStartStop(ui.imgStart, false, Pictures::Normal));
        mouse(ui.imgStart, QEvent::MouseButtonPress, QPoint(90, 30), Qt::RightButton);
        QCOMPARE(toolbar.tag(ui.imgStart), 2);
        QVERIFY(showsStartStop(ui.imgStart, false, Pictures::Pressed));
        mouse(ui.imgStart, QEvent::MouseButtonRelease, QPoint(90, 30), Qt::RightButton);
        QCOMPARE(toolbar.tag(ui.imgStart), 1);
        QCOMPARE(toolbar.tag(ui.imgStop), 0); // hidden, untouched
    }
};

QTEST_MAIN(TestToolbar)
#include "tst_toolbar.moc"

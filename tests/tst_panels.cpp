#include "ExampleProfile.h"
#include "FormFixture.h"
#include "ModalWatcher.h"
#include "app/ui/TMainForm.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/TSettingForm.h"
#include "profiles/ui/TSizeForm.h"
#include "profiles/ui/ValueCellDelegate.h"
#include "profiles/ui/ValueListEditor.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {
FormFixture* exampleFixture(const QByteArray& profile = ExampleProfileText())
{
    return new FormFixture({}, [&](const QString& folder) {
        WriteExampleProfile(folder, QStringLiteral("Example"), profile);
    });
}

// Picks a profile as the user would, through the drop-down.
void chooseProfile(TMainForm& form, int index)
{
    form.ui().cmbProfile->setCurrentIndex(index);
    emit form.ui().cmbProfile->activated(index);
}

// Makes a row current in its value column, as a click would.
void makeCurrent(ValueListEditor* grid, const QString& key)
{
    grid->setCurrentCell(grid->rowOf(key), 1);
}

// Shows the main window with the example profile and picks "Custom Size" under "Video Size".
ValueListEditor* pickCustomSize(TMainForm& form)
{
    form.show();
    chooseProfile(form, 0);
    ValueListEditor* video = form.grid(ParameterPanels::Video);
    makeCurrent(video, QStringLiteral("Video Size"));
    video->setValue(QStringLiteral("Video Size"), QStringLiteral("Custom Size"));
    return video;
}
} // namespace

class TestPanels final : public QObject
{
    Q_OBJECT

private slots:
    void collapseAndExpand()
    {
        FormFixture fixture;
        ParameterPanels* panels = fixture.form->ui().panels;
        ValueListEditor* video = panels->grid(ParameterPanels::Video);
        QToolButton* button = panels->button(ParameterPanels::Video);
        button->click();
        QCOMPARE(video->height(), 1);
        QCOMPARE(button->text(), QStringLiteral("+"));
        button->click();
        QCOMPARE(video->height(), 6 * 18 + 1);
        QCOMPARE(button->text(), QStringLiteral("-"));
        // A double-click on the header bar does the same in the main window only.
        QTest::mouseDClick(panels->header(ParameterPanels::Audio), Qt::LeftButton);
        QCOMPARE(panels->grid(ParameterPanels::Audio)->height(), 1);
        ParameterPanels* dialogPanels = fixture.setting->panels;
        QTest::mouseDClick(dialogPanels->header(ParameterPanels::Audio), Qt::LeftButton);
        QCOMPARE(dialogPanels->grid(ParameterPanels::Audio)->height(), 108);
    }

    void profileLoadFillsPanelsAndKeepsCollapseButton()
    {
        std::unique_ptr<FormFixture> fixture(exampleFixture());
        TMainForm& form = *fixture->form;
        ParameterPanels* panels = form.ui().panels;
        panels->button(ParameterPanels::Video)->click(); // collapsed
        form.grid(ParameterPanels::Output)
            ->setValue(QStringLiteral("New Filename"), QStringLiteral("kept.mp4"));
        chooseProfile(form, 0);
        QCOMPARE(form.OutputExt(), QStringLiteral(".mp4"));
        ValueListEditor* video = form.grid(ParameterPanels::Video);
        QCOMPARE(video->rowCount(), 3);
        QCOMPARE(video->height(), 54);
        QCOMPARE(panels->button(ParameterPanels::Video)->text(), QStringLiteral("+"));
        QCOMPARE(video->value(QStringLiteral("Video Size")), QStringLiteral("320x240"));
        QCOMPARE(form.grid(ParameterPanels::Audio)->height(), 18);
        QCOMPARE(form.grid(ParameterPanels::Advanced)->rowCount(), 0);
        QCOMPARE(form.grid(ParameterPanels::Advanced)->height(), 18);
        // An empty panel opened again shows its one blank row.
        panels->button(ParameterPanels::Advanced)->click();
        panels->button(ParameterPanels::Advanced)->click();
        QCOMPARE(form.grid(ParameterPanels::Advanced)->height(), 19);
        QCOMPARE(panels->button(ParameterPanels::Advanced)->text(), QStringLiteral("-"));

        // A new choice of profile discards edits in the profile panels, not in Output.
        video->setValue(QStringLiteral("Bit Rate"), QStringLiteral("9999k"));
        chooseProfile(form, 0);
        QCOMPARE(video->value(QStringLiteral("Bit Rate")), QStringLiteral("768k"));
        QCOMPARE(form.grid(ParameterPanels::Output)->value(QStringLiteral("New Filename")),
                 QStringLiteral("kept.mp4"));
    }

    void faultyProfileIsReportedWithRowsSoFar()
    {
        QByteArray text = ExampleProfileText();
        text.replace("Index=2", "Index=5");
        std::unique_ptr<FormFixture> fixture(exampleFixture(text));
        TMainForm& form = *fixture->form;
        ModalWatcher watcher;
        chooseProfile(form, 0);
        QTRY_COMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Framewright"));
        QVERIFY2(watcher.seen[0].text.contains(QStringLiteral("Example")) &&
                     watcher.seen[0].text.contains(QStringLiteral("Video Size")),
                 qPrintable(watcher.seen[0].text));
        const ValueListEditor* video = form.grid(ParameterPanels::Video);
        QCOMPARE(video->rowCount(), 2); // the codec, and the faulty row where the load stopped
        QCOMPARE(video->value(QStringLiteral("Video Codec")), QStringLiteral("MPEG-4"));
    }

    void cellLooks()
    {
        std::unique_ptr<FormFixture> fixture(exampleFixture());
        TMainForm& form = *fixture->form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        chooseProfile(form, 0);
        ValueListEditor* video = form.grid(ParameterPanels::Video);
        auto* delegate = static_cast<ValueCellDelegate*>(video->itemDelegate());
        const auto cell = [&](const QString& key, int column) {
            return delegate->look(video->model()->index(video->rowOf(key), column));
        };
        QCOMPARE(cell("Video Codec", 1).text, ValueCellDelegate::readOnlyColour());
        QCOMPARE(cell("Video Size", 1).text, QColor(Qt::black)); // read-only pick list
        QCOMPARE(cell("Bit Rate", 1).text, QColor(Qt::black));

        makeCurrent(video, QStringLiteral("Bit Rate"));
        video->setFocus();
        QVERIFY(video->hasFocusWithin());
        QCOMPARE(cell("Bit Rate", 0).background, ValueCellDelegate::focusedKeyColour());
        QCOMPARE(cell("Bit Rate", 1).background, video->palette().color(QPalette::Base));
        QVERIFY(!cell("Video Codec", 0).background.isValid());
        form.grid(ParameterPanels::Audio)->setFocus();
        QVERIFY(!video->hasFocusWithin());
        QCOMPARE(cell("Bit Rate", 0).background, video->palette().color(QPalette::Base));
        QCOMPARE(cell("Bit Rate", 0).text, QColor(Qt::black));
    }

    void listedProfileIsTheOneLoaded()
    {
        QByteArray mkv = ExampleProfileText();
        mkv.replace("Type=mp4", "Type=mkv");
        FormFixture fixture({}, [&](const QString& folder) {
            WriteExampleProfile(folder, "b", mkv);
            WriteExampleProfile(folder, "A"); // listed first: names in order, case ignored
            QDir(folder + "Profiles").rename("b.cvp", "b.CVP");
        });
        TMainForm& form = *fixture.form;
        QCOMPARE(form.ui().cmbProfile->itemText(0), QStringLiteral("A"));
        QCOMPARE(form.ui().cmbProfile->itemText(1), QStringLiteral("b"));
        chooseProfile(form, 1);
        QCOMPARE(form.OutputExt(), QStringLiteral(".mkv"));
        QCOMPARE(form.grid(ParameterPanels::Video)->rowCount(), 3);
    }

    void profileStartingOnCustomSizeAsksForTheSize()
    {
        QByteArray text = ExampleProfileText();
        text.replace("Index=2", "Index=1");
        std::unique_ptr<FormFixture> fixture(exampleFixture(text));
        TMainForm& form = *fixture->form;
        form.show();
        ValueListEditor* video = form.grid(ParameterPanels::Video);
        makeCurrent(video, QStringLiteral("Video Size")); // the user was on that row
        chooseProfile(form, 0);
        QCOMPARE(video->value(QStringLiteral("Video Size")), QStringLiteral("Custom Size"));
        QVERIFY(fixture->size->isVisible());
        fixture->size->btnCancel->click();
    }

    void customSizeOpensDialogInMainWindowOnly()
    {
        std::unique_ptr<FormFixture> fixture(exampleFixture());
        TMainForm& form = *fixture->form;
        ValueListEditor* video = pickCustomSize(form);
        QVERIFY(fixture->size->isVisible());
        QVERIFY(!form.isEnabled());
        fixture->size->btnCancel->click();
        QVERIFY(!fixture->size->isVisible());
        QVERIFY(form.isEnabled());
        QCOMPARE(video->value(QStringLiteral("Video Size")), QStringLiteral("Original Size"));

        fixture->setting->cmbProfile->setCurrentIndex(0);
        fixture->setting->cmbProfileChange();
        ValueListEditor* dialogVideo = fixture->setting->panels->grid(ParameterPanels::Video);
        makeCurrent(dialogVideo, QStringLiteral("Video Size"));
        dialogVideo->setValue(QStringLiteral("Video Size"), QStringLiteral("Custom Size"));
        QVERIFY(!fixture->size->isVisible());
    }

    // clang-format off
    void sizeDialog_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<QString>("value");
        QTest::newRow("640 by 480") << "640" << "480" << "" << "640x480";
        QTest::newRow("letters") << "abc" << "480" << "Incorrect Width" << "Custom Size";
        QTest::newRow("empty height") << "640" << "" << "Incorrect Height" << "Custom Size";
        QTest::newRow("zero width") << "0" << "480" << "Incorrect Width" << "Custom Size";
        QTest::newRow("negative height") << "640" << "-2" << "Incorrect Height" << "Custom Size";
        QTest::newRow("too large") << "99999999999" << "480" << "Incorrect Width" << "Custom Size";
        QTest::newRow("trailing blank") << "640 " << "480" << "Incorrect Width" << "Custom Size";
        QTest::newRow("leading blank") << "640" << " 480" << "Incorrect Height" << "Custom Size";
        QTest::newRow("plus sign") << "+640" << "480" << "Incorrect Width" << "Custom Size";
    }
    // clang-format on
    void sizeDialog()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, message);
        QFETCH(QString, value);
        std::unique_ptr<FormFixture> fixture(exampleFixture());
        TMainForm& form = *fixture->form;
        ValueListEditor* video = pickCustomSize(form);
        TSizeForm& size = *fixture->size;
        QVERIFY(size.isVisible());
        size.edtWidth->setText(width);
        size.edtHeight->setText(height);
        ModalWatcher watcher;
        size.btnOKClick();
        QCOMPARE(video->value(QStringLiteral("Video Size")), value);
        if (message.isEmpty()) {
            QVERIFY(watcher.seen.isEmpty());
            QVERIFY(!size.isVisible());
            QVERIFY(form.isEnabled());
            return;
        }
        QCOMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, message);
        QCOMPARE(watcher.seen[0].icon, QMessageBox::Information);
        QVERIFY(size.isVisible());
        size.close(); // the close box: a leftover Custom Size becomes Original Size
        QCOMPARE(video->value(QStringLiteral("Video Size")), QStringLiteral("Original Size"));
        // The texts stay for the next time.
        QCOMPARE(size.edtWidth->text(), width);
    }
};

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"

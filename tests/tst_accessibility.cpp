#include "FormFixture.h"
#include "TestFiles.h"
#include "app/ui/ImageButton.h"
#include "app/ui/TMainForm.h"
#include "engine/TaskRows.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/ValueListEditor.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

// The main window as a screen reader and a keyboard meet it.
class TestAccessibility final : public QObject
{
    Q_OBJECT

    // The control, or the grid or list whose in-place editor has the focus.
    static QString focusName()
    {
        QWidget* focus = QApplication::focusWidget();
        while (focus && (focus->objectName().isEmpty() || focus->objectName().startsWith("qt_")))
            focus = focus->parentWidget();
        return focus ? focus->objectName() : QString();
    }

private slots:
    void everyControlIsNamed_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("name"); // "labelled by <label>": named by its label instead
        QTest::addColumn<bool>("focusable");
        using A = QAccessible;
        const std::pair<const char*, const char*> images[] = {
            {"ibtnAddFile", "Add File"}, {"ibtnAddDir", "Add Directory"},
            {"ibtnRemove", "Remove"},    {"ibtnClear", "Clear"},
            {"ibtnSetting", "Settings"}, {"ibtnAbout", "About"},
            {"ibtnHelp", "Help"},        {"imgStart", "Start"}};
        for (const auto& [image, name] : images)
            QTest::newRow(image) << image << A::Button << name << true;
        QTest::newRow("list") << "ltvTask" << A::Tree << "Tasks" << true;
        QTest::newRow("play") << "sbtnPlay" << A::Button << "Play" << true;
        QTest::newRow("pause") << "sbtnPause" << A::Button << "Pause / Resume" << true;
        QTest::newRow("preview stop") << "sbtnStop" << A::Button << "Stop" << true;
        QTest::newRow("collapse") << "btnVideo" << A::Button << "Collapse Video" << true;
        QTest::newRow("grid") << "vleAudio" << A::Table << "Audio" << true;
        QTest::newRow("profile") << "cmbProfile" << A::ComboBox << "labelled by labProfile" << true;
        QTest::newRow("output path") << "edtOutputdir" << A::EditableText << "Output Path:" << true;
        QTest::newRow("browse") << "bbtnBrowser" << A::Button << "Browse" << true;
        QTest::newRow("progress") << "pgbTotal" << A::ProgressBar << "Total Progress" << false;
    }
    void everyControlIsNamed()
    {
        QFETCH(QString, control);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, name);
        QFETCH(bool, focusable);
        FormFixture fixture;
        auto* widget = fixture.form->findChild<QWidget*>(control);
        QVERIFY(widget);
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(reader);
        QCOMPARE(reader->role(), role);
        QCOMPARE(reader->state().focusable, focusable);
        if (!name.startsWith("labelled by ")) {
            QCOMPARE(reader->text(QAccessible::Name), name);
            return;
        }
        const auto label = fixture.form->findChild<QLabel*>(name.mid(12));
        bool labelled = false;
        for (const auto& [other, relation] : reader->relations(QAccessible::Label))
            labelled = labelled || other->object() == label;
        QVERIFY(labelled);
    }

    // Tab reaches every command in the window's order and leaves every grid; Space and Enter
    // click a picture; the window's keys give the commands.
    void keyboardAlone()
    {
        FormFixture fixture;
        TMainForm& form = *fixture.form;
        int asked = 0;
        fixture.chooseFiles = [&asked](QWidget*, const QString&) {
            ++asked;
            return QStringList();
        };
        form.rows().appendTask(fixture.folder() + "a.avi");
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.ui().ltvTask->setFocus();
        QStringList reached{focusName()};
        for (int press = 0; press < 60; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (focusName() != reached.last())
                reached << focusName();
            if (focusName() == "ltvTask")
                break;
        }
        const QStringList order = {"ltvTask",    "ibtnAddFile", "ibtnAddDir",   "ibtnRemove",
                                   "ibtnClear",  "ibtnSetting", "ibtnAbout",    "ibtnHelp",
                                   "TrackBar",   "sbtnPlay",    "sbtnPause",    "sbtnStop",
                                   "btnOutput",  "vleOutput",   "btnVideo",     "vleVideo",
                                   "btnAudio",   "vleAudio",    "btnAdvanced",  "vleAdvanced",
                                   "cmbProfile", "bbtnSetting", "edtOutputdir", "bbtnBrowser",
                                   "bbtnOpen",   "imgStart",    "ltvTask"};
        QCOMPARE(reached, order);

        // Shift+Tab comes into a grid at its last value.
        form.ui().panels->grid(ParameterPanels::Advanced)->setCurrentCell(0, 0);
        form.ui().cmbProfile->setFocus();
        QTest::keyClick(form.ui().cmbProfile, Qt::Key_Backtab);
        QCOMPARE(form.ui().panels->grid(ParameterPanels::Advanced)->currentRow(), 1);

        // A collapsed grid is passed over.
        form.ui().panels->toggle(ParameterPanels::Audio);
        form.ui().panels->button(ParameterPanels::Audio)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), "btnAdvanced");

        form.ui().ibtnAddFile->setFocus();
        QTest::keyClick(form.ui().ibtnAddFile, Qt::Key_Space);
        QTest::keyClick(form.ui().ibtnAddFile, Qt::Key_Return);
        QTest::keyClick(form.ui().edtOutputdir, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(asked, 3);
        form.ui().ibtnAddFile->setEnabled(false); // as during a run
        QTest::keyClick(form.ui().edtOutputdir, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(asked, 3);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

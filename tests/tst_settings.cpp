#include "ExampleProfile.h"
#include "FormFixture.h"
#include "ModalWatcher.h"
#include "TestFiles.h"
#include "app/ui/ImageButton.h"
#include "app/ui/TAboutForm.h"
#include "app/ui/TMainForm.h"
#include "app/ui/TaskLogDialog.h"
#include "platform/ui/HelpBrowser.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/TSettingForm.h"
#include "profiles/ui/ValueListEditor.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

namespace {
// Two profiles: "A" (mp4) and "B" (mkv), both the small example.
std::function<void(const QString&)> twoProfiles(const QByteArray& preferences = {})
{
    return [preferences](const QString& folder) {
        QByteArray mkv = ExampleProfileText();
        mkv.replace("Type=mp4", "Type=mkv");
        WriteExampleProfile(folder, "A");
        WriteExampleProfile(folder, "B", mkv);
        if (!preferences.isEmpty())
            WriteFile(folder + "Preferences.ini", preferences);
    };
}

void choose(QComboBox* box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QString bitRate(ParameterPanels* panels)
{
    return panels->grid(ParameterPanels::Video)->value("Bit Rate");
}
} // namespace

class TestSettings final : public QObject
{
    Q_OBJECT

private slots:
    void dialogWithoutPreferences()
    {
        FormFixture fixture;
        TSettingForm& dialog = *fixture.setting;
        emit fixture.form->ui().ibtnSetting->clicked();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.pgcSetting->currentIndex(), 0);
        QVERIFY(!fixture.form->isEnabled());
        QCOMPARE(dialog.edtOutputDir->text(), fixture.folder());
        QCOMPARE(dialog.cmbSyn->currentText(), QStringLiteral("Auto"));
        QVERIFY(dialog.chkOpenDir->isChecked());
        QVERIFY(!dialog.chkExit->isChecked() && !dialog.chkTurnoff->isChecked());
        QVERIFY(dialog.rdbOverWrite->isChecked() && !dialog.rdbRename->isChecked());
        dialog.btnCancel->click();
        QVERIFY(fixture.form->isEnabled());
    }

    void loadDefaultAsksFirst()
    {
        FormFixture fixture;
        TSettingForm& dialog = *fixture.setting;
        dialog.showOn(0);
        ModalWatcher watcher(QMessageBox::No);
        dialog.btnDefault->click();
        QCOMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Load Default"));
        QCOMPARE(watcher.seen[0].text,
                 QStringLiteral("Are you sure to load the default preferences?"));
        QCOMPARE(watcher.seen[0].icon, QMessageBox::Question);
        QVERIFY(dialog.chkOpenDir->isChecked()); // No changes nothing
        watcher.setAnswer(QMessageBox::Yes);
        dialog.btnDefault->click();
        QVERIFY(!dialog.chkOpenDir->isChecked()); // no [Default]: its own default, off
        QVERIFY(!QFile::exists(fixture.folder() + "Preferences.ini") ||
                !ReadFile(fixture.folder() + "Preferences.ini").contains("Auto"));
    }

    void cancelAndCloseBoxTakeChangesBack()
    {
        FormFixture fixture;
        TSettingForm& dialog = *fixture.setting;
        for (const bool viaCloseBox : {false, true}) {
            dialog.showOn(0);
            dialog.chkExit->setChecked(true);
            dialog.rdbRename->setChecked(true);
            dialog.edtOutputDir->setText("/elsewhere/");
            if (viaCloseBox)
                dialog.close();
            else
                dialog.btnCancel->click();
            QVERIFY(!dialog.isVisible());
            QVERIFY(!dialog.general().exitProgram);
            QVERIFY(dialog.rdbOverWrite->isChecked());
            QCOMPARE(fixture.form->ui().edtOutputdir->text(), fixture.folder());
        }
    }

    void okSavesAndIsInForce()
    {
        FormFixture fixture({}, twoProfiles());
        TSettingForm& dialog = *fixture.setting;
        fixture.chooseFolder = [](QWidget*, const QString&) { return QStringLiteral("/"); };
        dialog.showOn(0);
        dialog.sbtnBrowse->click();
        QCOMPARE(dialog.edtOutputDir->text(), QStringLiteral("/")); // the root keeps one "/"
        dialog.chkTurnoff->setChecked(true);
        dialog.btnOK->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(fixture.form->ui().edtOutputdir->text(), QStringLiteral("/"));
        QVERIFY(dialog.general().turnOff);
        const QByteArray stored = ReadFile(fixture.folder() + "Preferences.ini");
        QVERIFY2(stored.contains("Auto Turn Off=1\r\n") && stored.contains("Output Path=/\r\n"),
                 stored.constData());
    }

    // Saving in the dialog rewrites the main panels only when both show the same profile.
    void okWithTheMainProfileOrAnother()
    {
        FormFixture fixture({}, twoProfiles());
        TMainForm& form = *fixture.form;
        TSettingForm& dialog = *fixture.setting;
        choose(form.ui().cmbProfile, 0);
        form.grid(ParameterPanels::Video)->setValue("Bit Rate", "9999k");

        emit form.ui().bbtnSetting->clicked(); // opens on Profiles, with the main profile loaded
        QCOMPARE(dialog.pgcSetting->currentIndex(), 1);
        QCOMPARE(dialog.cmbProfile->currentText(), QStringLiteral("A"));
        QCOMPARE(bitRate(dialog.panels), QStringLiteral("768k"));
        choose(dialog.cmbProfile, 1);
        dialog.panels->grid(ParameterPanels::Video)->setValue("Bit Rate", "500k");
        dialog.btnOK->click();
        QCOMPARE(bitRate(form.ui().panels), QStringLiteral("9999k")); // left alone
        QVERIFY(ReadFile(fixture.folder() + "Profiles/B.cvp").contains("Caption=500k"));

        emit form.ui().bbtnSetting->clicked();
        dialog.panels->grid(ParameterPanels::Video)->setValue("Bit Rate", "700k");
        dialog.btnOK->click();
        QCOMPARE(bitRate(form.ui().panels), QStringLiteral("700k")); // reloaded from the file
    }

    void saveAsReachesBothLists_data()
    {
        QTest::addColumn<QString>("target"); // in the profiles folder; "<file>/x": unwritable
        QTest::addColumn<QString>("listed"); // empty: an error and no new entry
        QTest::newRow("name without extension") << "Mine"
                                                << "Mine";
        QTest::newRow("with extension") << "Other.cvp"
                                        << "Other";
        QTest::newRow("onto itself") << "A.cvp"
                                     << "A";
        QTest::newRow("folder that cannot be written") << "A.cvp/sub/x.cvp"
                                                       << "";
    }
    void saveAsReachesBothLists()
    {
        QFETCH(QString, target);
        QFETCH(QString, listed);
        FormFixture fixture({}, twoProfiles());
        TMainForm& form = *fixture.form;
        TSettingForm& dialog = *fixture.setting;
        QString filter;
        fixture.chooseSaveFile = [&](QWidget*, const QString& f, const QString& folder) {
            filter = f;
            return folder + target;
        };
        choose(form.ui().cmbProfile, 1);
        emit form.ui().bbtnSetting->clicked();
        choose(dialog.cmbProfile, 0);
        dialog.panels->grid(ParameterPanels::Video)->setValue("Bit Rate", "321k");
        ModalWatcher watcher;
        dialog.btnSaveAs->click();
        QCOMPARE(filter, QStringLiteral("Profiles (*.cvp)"));
        if (listed.isEmpty()) {
            QTRY_COMPARE(watcher.seen.size(), 1);
            QVERIFY2(watcher.seen[0].text.contains("Cannot save"),
                     qPrintable(watcher.seen[0].text));
            QCOMPARE(form.ui().cmbProfile->count(), 2);
            return;
        }
        QVERIFY(watcher.seen.isEmpty());
        const QString file = fixture.folder() + "Profiles/" + listed + ".cvp";
        QVERIFY(ReadFile(file).contains("Caption=321k"));
        for (QComboBox* box : {form.ui().cmbProfile, dialog.cmbProfile})
            QVERIFY(box->findText(listed) >= 0);
        QCOMPARE(form.ui().cmbProfile->currentText(), QStringLiteral("B")); // choices kept
        QCOMPARE(dialog.cmbProfile->currentText(), QStringLiteral("A"));
    }

    // What the window's close writes, and what the next start makes of it.
    void preferencesAcrossStarts_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("chosen"); // empty: no profile chosen
        QTest::newRow("second profile") << QByteArray("[Main]\r\nProfile=1\r\n") << "B";
        QTest::newRow("beyond the list") << QByteArray("[Main]\r\nProfile=9\r\n") << "";
        QTest::newRow("nothing chosen") << QByteArray("[Main]\r\nProfile=-1\r\n") << "";
        QTest::newRow("no number") << QByteArray("[Main]\r\nProfile=x\r\n") << "A";
        QTest::newRow("its file before its position")
            << QByteArray("[Main]\r\nProfileFile=B.cvp\r\nProfile=0\r\n") << "B";
        QTest::newRow("Latin-1 folder that does not exist")
            << QByteArray("[Main]\r\nOutput Path=/no/Vid\xe9os/\r\nProfile=0\r\n") << "A";
    }
    void preferencesAcrossStarts()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, chosen);
        FormFixture fixture({}, twoProfiles(stored));
        TMainForm& form = *fixture.form;
        form.show();
        QCOMPARE(form.ui().cmbProfile->currentText(), chosen);
        QCOMPARE(form.OutputExt(),
                 chosen.isEmpty() ? QString() : "." + QString(chosen == "B" ? "mkv" : "mp4"));
        form.close();
        const QByteArray after = ReadFile(fixture.folder() + "Preferences.ini");
        QVERIFY2(after.endsWith("Profile=" +
                                QByteArray::number(form.ui().cmbProfile->currentIndex()) + "\r\n"),
                 after.constData());
        QVERIFY(after.contains("ProfileFile=" + form.ui().cmbProfile->currentData().toByteArray()));
        if (stored.contains("Vid\xe9os"))
            QVERIFY(after.contains("Output Path=/no/Vid\xe9os/\r\n")); // byte for byte
    }

    // A profile that is no text is listed greyed and never loaded: choosing it says why, once,
    // and leaves the choice, the panels and every file as they were.
    void unusableProfile()
    {
        const QByteArray binary = ExampleProfileText() + QByteArray(64, '\0');
        const QByteArray utf16 =
            QStringEncoder(QStringEncoder::Utf16BE,
                           QStringEncoder::Flag::WriteBom)(QString::fromUtf8(ExampleProfileText()));
        FormFixture fixture({}, [&](const QString& folder) {
            WriteExampleProfile(folder, "A");
            WriteExampleProfile(folder, "B", utf16);
            WriteExampleProfile(folder, "C", binary);
            WriteFile(folder + "Preferences.ini", "[Main]\r\nProfile=2\r\n");
        });
        const QString profiles = fixture.folder() + "Profiles/";
        QComboBox* box = fixture.form->ui().cmbProfile;
        QCOMPARE(box->itemText(2), QStringLiteral("C (unusable)"));
        QVERIFY(!qobject_cast<QStandardItemModel*>(box->model())->item(2)->isEnabled());
        ModalWatcher watcher;
        fixture.form->show(); // the remembered profile is C
        QTRY_COMPARE(watcher.seen.size(), 1);
        choose(box, 1);
        fixture.form->grid(ParameterPanels::Video)->setValue("Bit Rate", "1k");
        QVERIFY(WriteFile(profiles + "A.cvp", binary)); // broken after it was listed
        emit fixture.form->ui().bbtnSetting->clicked();
        for (const auto& [list, index] :
             {std::pair{box, 2}, {box, 0}, {fixture.setting->cmbProfile, 2}}) {
            const int told = int(watcher.seen.size());
            choose(list, index);
            QCOMPARE(list->currentText(), QStringLiteral("B"));
            QTRY_COMPARE(watcher.seen.size(), told + 1);
        }
        QCOMPARE(box->itemText(0), QStringLiteral("A (unusable)"));
        QCOMPARE(bitRate(fixture.form->ui().panels), QStringLiteral("1k"));
        fixture.setting->btnCancel->click();
        fixture.form->close();
        QTest::qWait(100);
        QCOMPARE(watcher.seen.size(), 4);
        QCOMPARE(watcher.seen[0].text,
                 "\"" + profiles + "C.cvp\" is not a text file and is left as it is.");
        for (const auto& [name, bytes] : {std::pair{"A", binary}, {"B", utf16}, {"C", binary}})
            QCOMPARE(ReadFile(profiles + name + ".cvp"), bytes);
    }

    void firstRunWritesItsFile()
    {
        FormFixture fixture;
        fixture.form->show();
        fixture.form->close();
        QCOMPARE(ReadFile(fixture.folder() + "Preferences.ini"),
                 "[Main]\r\nOverwrite=1\r\nAuto Turn Off=0\r\nAuto Exit=0\r\nAuto Open "
                 "Dir=1\r\nSyn Mode=0\r\nOutput Path=" +
                     fixture.folder().toUtf8() + "\r\nProfile=-1\r\nProfileFile=\r\n");
    }

    void outputFolderBrowseAndOpen()
    {
        FormFixture fixture;
        TMainForm& form = *fixture.form;
        QString answer = "/media/clips";
        QString title;
        fixture.chooseFolder = [&](QWidget*, const QString& t) {
            title = t;
            return answer;
        };
        form.ui().bbtnBrowser->click();
        QCOMPARE(title, QStringLiteral("Select the output directory."));
        QCOMPARE(form.ui().edtOutputdir->text(), QStringLiteral("/media/clips/"));
        answer.clear(); // cancelled
        form.ui().bbtnBrowser->click();
        QCOMPARE(form.ui().edtOutputdir->text(), QStringLiteral("/media/clips/"));

        form.ui().bbtnOpen->click(); // no such folder: nothing
        QVERIFY(fixture.opened.isEmpty());
        form.ui().edtOutputdir->setText(fixture.folder());
        form.ui().bbtnOpen->click();
        QCOMPARE(fixture.opened, QStringList{fixture.folder()});
    }

    void helpOpensWhatTheDesktopCanShow_data()
    {
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<bool>("htmlGuide");
        QTest::addColumn<bool>("answerLater"); // the desktop answers after the click
        QTest::addColumn<QString>("opened");   // by the desktop; empty: the pages in our window
        QTest::newRow("a CHM viewer") << true << true << false << "Framewright.chm";
        QTest::newRow("none: the HTML guide") << false << true << false << "";
        QTest::newRow("none, and no HTML guide") << false << false << false << "Framewright.chm";
        QTest::newRow("a CHM viewer, told late") << true << true << true << "Framewright.chm";
        QTest::newRow("none, told late") << false << true << true << "";
    }
    void helpOpensWhatTheDesktopCanShow()
    {
        QFETCH(bool, viewer);
        QFETCH(bool, htmlGuide);
        QFETCH(bool, answerLater);
        QFETCH(QString, opened);
        FormFixture fixture({}, [&](const QString& folder) {
            if (htmlGuide) {
                QDir(folder).mkdir("help");
                WriteFile(folder + "help/index.html", "<html></html>");
            }
        });
        fixture.chmViewer = viewer;
        fixture.chmViewerLater = answerLater;
        emit fixture.form->ui().ibtnHelp->clicked();
        if (answerLater) {
            QCOMPARE(fixture.opened, QStringList());
            QVERIFY(!FormFixture::helpWindow());
            QCOMPARE(fixture.chmQuestions.size(), 1);
            fixture.chmQuestions.takeFirst()(viewer);
        }
        QCOMPARE(fixture.opened,
                 opened.isEmpty() ? QStringList() : QStringList{fixture.folder() + opened});
        HelpBrowser* window = FormFixture::helpWindow();
        QCOMPARE(window && window->isVisible(), opened.isEmpty());
        if (window)
            QCOMPARE(window->brwPage->source().toLocalFile(), fixture.folder() + "help/index.html");
    }

    void aboutBox()
    {
        FormFixture fixture({}, [](const QString& folder) {
            WriteFile(folder + "Preferences.ini", "[Main]\r\nVersion=<b>3.5</b>\r\n");
        });
        TAboutForm& about = *fixture.about;
        QCOMPARE(about.labProgramName->text(), QStringLiteral("Framewright"));
        QCOMPARE(about.labVersion->text(), QStringLiteral("Version <b>3.5</b>"));
        QCOMPARE(about.labVersion->textFormat(), Qt::PlainText); // as written, not bold
        fixture.form->ui().tbtnAbout->click();
        QVERIFY(about.isVisible());
        QVERIFY(!fixture.form->isEnabled());
        about.btnOK->click();
        QVERIFY(!about.isVisible());
        QVERIFY(fixture.form->isEnabled());
    }

    // What a screen reader says each dialog/control is for; each is a Tab stop.
    void controlsNamed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("TSettingForm/edtOutputDir") << "Default Output Path:";
        QTest::newRow("TSettingForm/sbtnBrowse") << "Browse"; // shows "..."
        QTest::newRow("TSettingForm/cmbSyn") << "Synchronization Mode:";
        QTest::newRow("TSettingForm/cmbProfile") << "Profile:";         // no label shown
        QTest::newRow("TSettingForm/qt_tabwidget_tabbar") << "General"; // tabs widened by spaces
        QTest::newRow("TSizeForm/edtHeight") << "Height:";
        QTest::newRow("TaskLogDialog/memLog") << "Encoder output";
    }
    void controlsNamed()
    {
        QFETCH(QString, name);
        FormFixture fixture;
        new TaskLogDialog("/v/a.avi", {}, fixture.form.get());
        const QString path = QTest::currentDataTag();
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(
            fixture.form->findChild<QDialog*>(path.section('/', 0, 0))
                ->findChild<QWidget*>(path.section('/', 1)));
        QVERIFY(access && access->state().focusable);
        // Here a list's own name is the item it shows: the reader takes its label's.
        const auto labels = access->relations(QAccessible::Label);
        QCOMPARE(labels.isEmpty() ? access->text(QAccessible::Name)
                                  : labels.first().first->text(QAccessible::Name),
                 name);
    }

    // Each showing starts at the dialog/first field; closing with Escape, then the key or hide()
    // (0), gives the main window back its keyboard where it was.
    void dialogsByKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("TSettingForm/edtOutputDir") << int(Qt::Key_Escape);
        QTest::newRow("TSettingForm/cmbProfile") << int(Qt::Key_Return); // OK, not Save as
        QTest::newRow("TSizeForm/edtWidth") << int(Qt::Key_Escape);
        QTest::newRow("TAboutForm/btnOK") << 0;
    }
    void dialogsByKeyboard()
    {
        QFETCH(int, key);
        const QString path = QTest::currentDataTag();
        FormFixture fixture;
        auto* box = fixture.form->findChild<QDialog*>(path.section('/', 0, 0));
        fixture.form->show();
        QTRY_COMPARE(QApplication::activeWindow(), fixture.form.get());
        QWidget* before = fixture.form->ui().edtOutputdir;
        before->setFocus();
        for (int round = 0; round < 2; ++round) {
            const int close = round ? key : int(Qt::Key_Escape);
            path.endsWith("cmbProfile") ? fixture.setting->showOn(1) : box->show();
            QTRY_COMPARE(QApplication::activeWindow(), box);
            QCOMPARE(QApplication::focusWidget()->objectName(), path.section('/', 1));
            QVERIFY(!fixture.form->isEnabled());
            if (!round)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // left elsewhere
            if (close)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(close));
            else
                box->hide();
            QVERIFY(!box->isVisible() && fixture.form->isEnabled());
            QCOMPARE(box->result(),
                     close == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
            QTRY_COMPARE(QApplication::activeWindow(), fixture.form.get());
            QCOMPARE(QApplication::focusWidget(), before);
        }
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"

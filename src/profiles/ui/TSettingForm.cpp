#include "TSettingForm.h"

#include "ParameterPanels.h"
#include "ProfileBox.h"
#include "base/FwError.h"
#include "base/PathText.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

TSettingForm::TSettingForm(QWidget* mainWindow, SettingsLink link)
    : OwnerLockingDialog(mainWindow), m_link(std::move(link))
{
    setObjectName(QStringLiteral("TSettingForm"));
    setWindowTitle(QStringLiteral("Settings"));
    setFixedSize(391, 498);

    auto* layout = new QVBoxLayout(this);
    pgcSetting = new QTabWidget(this);
    pgcSetting->setObjectName(QStringLiteral("pgcSetting"));
    pgcSetting->addTab(buildGeneralTab(), QStringLiteral("     General     "));
    pgcSetting->addTab(buildProfilesTab(), QStringLiteral("     Profiles     "));
    // The spaces only widen the tabs; a screen reader gets the words.
    pgcSetting->tabBar()->setAccessibleTabName(0, QStringLiteral("General"));
    pgcSetting->tabBar()->setAccessibleTabName(1, QStringLiteral("Profiles"));
    layout->addWidget(pgcSetting, 1);

    auto* buttons = new QHBoxLayout;
    btnDefault = new QPushButton(QStringLiteral("&Load Default"), this);
    btnDefault->setObjectName(QStringLiteral("btnDefault"));
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    // Without a default of its own, the dialog would make the first button after the focus
    // the default, and Enter would load the defaults or save a profile as.
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(btnDefault);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);

    // The main window's list; the owner then runs LoadPreferences, and shows its errors.
    FillProfileBox(cmbProfile, m_link.dataFolder, m_link.profileFiles);
}

QWidget* TSettingForm::buildGeneralTab()
{
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);

    auto* pathRow = new QHBoxLayout;
    auto* pathLabel = new QLabel(QStringLiteral("Default Output Path:"), page);
    pathRow->addWidget(pathLabel);
    edtOutputDir = new QLineEdit(page);
    edtOutputDir->setObjectName(QStringLiteral("edtOutputDir"));
    pathLabel->setBuddy(edtOutputDir);
    pathRow->addWidget(edtOutputDir, 1);
    sbtnBrowse = new QToolButton(page);
    sbtnBrowse->setObjectName(QStringLiteral("sbtnBrowse"));
    sbtnBrowse->setText(QStringLiteral("..."));
    sbtnBrowse->setAccessibleName(QStringLiteral("Browse"));
    pathRow->addWidget(sbtnBrowse);
    column->addLayout(pathRow);

    auto* synRow = new QHBoxLayout;
    auto* synLabel = new QLabel(QStringLiteral("Synchronization Mode:"), page);
    synRow->addWidget(synLabel);
    cmbSyn = new QComboBox(page);
    cmbSyn->setObjectName(QStringLiteral("cmbSyn"));
    synLabel->setBuddy(cmbSyn);
    cmbSyn->addItems(
        {QStringLiteral("Auto"), QStringLiteral("Force Mode"), QStringLiteral("Progressive Mode")});
    synRow->addWidget(cmbSyn, 1);
    column->addLayout(synRow);

    auto* line = new QFrame(page);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    column->addWidget(line);

    chkOpenDir = new QCheckBox(
        QStringLiteral("Open the output directory when the task is completed. "), page);
    chkOpenDir->setObjectName(QStringLiteral("chkOpenDir"));
    chkExit = new QCheckBox(QStringLiteral("Exit the program when the task is completed."), page);
    chkExit->setObjectName(QStringLiteral("chkExit"));
    chkTurnoff =
        new QCheckBox(QStringLiteral("Turn off the computer when the task is completed."), page);
    chkTurnoff->setObjectName(QStringLiteral("chkTurnoff"));
    for (QCheckBox* box : {chkOpenDir, chkExit, chkTurnoff})
        column->addWidget(box);

    auto* tasksRow = new QHBoxLayout;
    auto* tasksLabel = new QLabel(QStringLiteral("Tasks at once:"), page);
    tasksRow->addWidget(tasksLabel);
    cmbTasks = new QComboBox(page);
    cmbTasks->setObjectName(QStringLiteral("cmbTasks"));
    tasksLabel->setBuddy(cmbTasks);
    cmbTasks->addItem(QStringLiteral("Automatic"));
    for (int n = 1; n <= std::max(1, QThread::idealThreadCount()); ++n)
        cmbTasks->addItem(QString::number(n));
    tasksRow->addWidget(cmbTasks);
    tasksRow->addStretch();
    column->addLayout(tasksRow);
    chkSkipCompleted = new QCheckBox(QStringLiteral("Skip completed tasks"), page);
    chkSkipCompleted->setObjectName(QStringLiteral("chkSkipCompleted"));
    column->addWidget(chkSkipCompleted);

    auto* overwrite = new QGroupBox(QStringLiteral("Output File Overwrite"), page);
    auto* choices = new QVBoxLayout(overwrite);
    rdbOverWrite = new QRadioButton(QStringLiteral("Overwrite"), overwrite);
    rdbOverWrite->setObjectName(QStringLiteral("rdbOverWrite"));
    rdbOverWrite->setChecked(true);
    rdbRename =
        new QRadioButton(QStringLiteral("Not overwrite (Rename to <Filename> + Index"), overwrite);
    rdbRename->setObjectName(QStringLiteral("rdbRename"));
    choices->addWidget(rdbOverWrite);
    choices->addWidget(rdbRename);
    column->addWidget(overwrite);
    column->addStretch();
    return page;
}

QWidget* TSettingForm::buildProfilesTab()
{
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    cmbProfile = new QComboBox(page);
    cmbProfile->setObjectName(QStringLiteral("cmbProfile"));
    cmbProfile->setEditable(false);
    // No label shows beside the list. Here a screen reader names a list by the label it is
    // the buddy of (its own name is the item shown), so it has one that stays hidden.
    auto* profileLabel = new QLabel(QStringLiteral("Profile:"), page);
    profileLabel->setObjectName(QStringLiteral("labProfile"));
    profileLabel->setBuddy(cmbProfile);
    profileLabel->hide();
    row->addWidget(cmbProfile, 1);
    btnSaveAs = new QPushButton(QStringLiteral("&Save as..."), page);
    btnSaveAs->setObjectName(QStringLiteral("btnSaveAs"));
    row->addWidget(btnSaveAs);
    column->addLayout(row);

    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(QStringLiteral("scbProfiles"));
    scroll->setFixedWidth(362);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The area only holds the grids; a stop of its own would read nothing.
    scroll->setFocusPolicy(Qt::NoFocus);
    panels = new ParameterPanels(false, 160, 200, scroll);
    scroll->setWidget(panels);
    column->addWidget(scroll, 1);
    return page;
}

QString TSettingForm::profilePath() const
{
    return ChosenProfilePath(cmbProfile, m_link.dataFolder);
}

Preferences TSettingForm::preferences() const
{
    return Preferences::InFolder(m_link.dataFolder, m_link.defaultOutput);
}

GeneralSettings TSettingForm::general() const
{
    GeneralSettings settings;
    settings.outputPath = edtOutputDir->text();
    settings.synMode = cmbSyn->currentIndex();
    settings.openDir = chkOpenDir->isChecked();
    settings.exitProgram = chkExit->isChecked();
    settings.turnOff = chkTurnoff->isChecked();
    settings.overwrite = rdbOverWrite->isChecked();
    settings.tasksAtOnce = cmbTasks->currentIndex(); // "Automatic" is 0, then 1, 2...
    settings.skipCompleted = chkSkipCompleted->isChecked();
    return settings;
}

void TSettingForm::setGeneral(const GeneralSettings& settings)
{
    edtOutputDir->setText(settings.outputPath);
    cmbSyn->setCurrentIndex(settings.synMode);
    chkOpenDir->setChecked(settings.openDir);
    chkExit->setChecked(settings.exitProgram);
    chkTurnoff->setChecked(settings.turnOff);
    rdbOverWrite->setChecked(settings.overwrite);
    rdbRename->setChecked(!settings.overwrite);
    // More than this machine's cores (a setting brought from another): as many as it has.
    cmbTasks->setCurrentIndex(std::min(settings.tasksAtOnce, int(cmbTasks->count()) - 1));
    chkSkipCompleted->setChecked(settings.skipCompleted);
}

bool TSettingForm::withPreferences(const std::function<void()>& body)
{
    if (m_link.withPreferences)
        return m_link.withPreferences(body);
    body();
    return true;
}

void TSettingForm::LoadPreferences()
{
    withPreferences([this] { setGeneral(preferences().General()); });
}

void TSettingForm::SavePreferences()
{
    withPreferences([this] { preferences().SaveGeneral(general()); });
}

void TSettingForm::LoadDefaults()
{
    withPreferences([this] { setGeneral(preferences().Defaults()); });
}

void TSettingForm::showOn(int tab)
{
    pgcSetting->setCurrentIndex(tab);
    show();
    raise();
    activateWindow();
}

QWidget* TSettingForm::firstField() const
{
    return firstTabStop(pgcSetting->currentWidget());
}

void TSettingForm::FormShow()
{
    edtOutputDir->setText(m_link.mainOutput());
    m_shown = general();
}

void TSettingForm::FormClose(int result)
{
    // Cancel, or the title bar's close button: what was changed is taken back.
    if (result != Accepted)
        setGeneral(m_shown);
}

void TSettingForm::btnOKClick()
{
    m_link.setMainOutput(edtOutputDir->text());
    SavePreferences();
    if (QFileInfo(profilePath()).isFile())
        SaveProfile(profilePath(), panels->shownRows());
    if (m_link.mainProfile() == cmbProfile->currentText())
        m_link.reloadMainProfile();
    accept();
}

void TSettingForm::btnCancelClick()
{
    reject();
}

void TSettingForm::btnDefaultClick()
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Load Default"),
                    QStringLiteral("Are you sure to load the default preferences?"),
                    QMessageBox::Yes | QMessageBox::No, this);
    if (box.exec() == QMessageBox::Yes)
        LoadDefaults();
}

QString ChooseOutputFolder(const std::function<QString(QWidget*, const QString&)>& choose,
                           QWidget* owner)
{
    const QString folder =
        choose ? choose(owner, QStringLiteral("Select the output directory.")) : QString();
    return folder.isEmpty() ? QString() : WithBackslash(folder);
}

void TSettingForm::sbtnBrowseClick()
{
    const QString folder = ChooseOutputFolder(m_link.chooseFolder, this);
    if (!folder.isEmpty())
        edtOutputDir->setText(folder);
}

void TSettingForm::cmbProfileChange()
{
    const LoadedProfile profile = LoadChosenProfile(cmbProfile, m_link.dataFolder, m_chosenFile);
    m_chosenFile = cmbProfile->currentData().toString();
    if (!profile.exists)
        return;
    panels->loadProfile(profile.panels);
    if (!profile.error.isEmpty())
        throw FwError(profile.error);
}

void TSettingForm::btnSaveAsClick()
{
    const QString source = profilePath();
    if (!QFileInfo(source).isFile() || !m_link.chooseSaveFile)
        return;
    QString target = m_link.chooseSaveFile(this, QStringLiteral("Profiles (*.cvp)"),
                                           ProfilesFolder(m_link.dataFolder));
    if (target.isEmpty())
        return;
    if (FileExtension(target).compare(QLatin1String(".cvp"), Qt::CaseInsensitive) != 0)
        target += QStringLiteral(".cvp");
    SaveProfileAs(source, target, panels->shownRows());
    refreshProfiles();
    if (m_link.profilesChanged)
        m_link.profilesChanged();
}

void TSettingForm::refreshProfiles()
{
    RefillProfileBox(cmbProfile, m_link.dataFolder);
}

#include "TSettingForm.h"

#include "ParameterPanels.h"
#include "ProfileBox.h"
#include "ProfileFile.h"
#include "ProfileText.h"
#include "base/FwError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

TSettingForm::TSettingForm(QWidget* mainWindow, const QString& programFolder,
                           const QStringList& profiles)
    : QDialog(mainWindow), m_mainWindow(mainWindow), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("TSettingForm"));
    setWindowTitle(QStringLiteral("Settings"));
    setFixedSize(391, 498);

    auto* layout = new QVBoxLayout(this);
    pgcSetting = new QTabWidget(this);
    pgcSetting->setObjectName(QStringLiteral("pgcSetting"));
    pgcSetting->addTab(buildGeneralTab(), QStringLiteral("     General     "));
    pgcSetting->addTab(buildProfilesTab(), QStringLiteral("     Profiles     "));
    layout->addWidget(pgcSetting, 1);

    auto* buttons = new QHBoxLayout;
    btnDefault = new QPushButton(QStringLiteral("&Load Default"), this);
    btnDefault->setObjectName(QStringLiteral("btnDefault"));
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(btnDefault);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);

    FillProfileBox(cmbProfile, profiles);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* TSettingForm::buildGeneralTab()
{
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(QStringLiteral("Default Output Path:"), page));
    edtOutputDir = new QLineEdit(page);
    edtOutputDir->setObjectName(QStringLiteral("edtOutputDir"));
    pathRow->addWidget(edtOutputDir, 1);
    sbtnBrowse = new QToolButton(page);
    sbtnBrowse->setObjectName(QStringLiteral("sbtnBrowse"));
    sbtnBrowse->setText(QStringLiteral("..."));
    pathRow->addWidget(sbtnBrowse);
    column->addLayout(pathRow);

    auto* synRow = new QHBoxLayout;
    synRow->addWidget(new QLabel(QStringLiteral("Synchronization Mode:"), page));
    cmbSyn = new QComboBox(page);
    cmbSyn->setObjectName(QStringLiteral("cmbSyn"));
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
    panels = new ParameterPanels(false, 160, 200, scroll);
    scroll->setWidget(panels);
    column->addWidget(scroll, 1);
    return page;
}

QString TSettingForm::profilePath() const
{
    return ChosenProfilePath(cmbProfile, m_programFolder);
}

void TSettingForm::cmbProfileChange()
{
    const LoadedProfile profile = LoadProfile(profilePath());
    if (!profile.exists)
        return;
    panels->loadRows(ParameterPanels::Video, profile.panels.video);
    panels->loadRows(ParameterPanels::Audio, profile.panels.audio);
    panels->loadRows(ParameterPanels::Advanced, profile.panels.advanced);
    if (!profile.error.isEmpty())
        throw FwError(profile.error);
}

void TSettingForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_mainWindow->setEnabled(false);
    setEnabled(true);
}

void TSettingForm::done(int result)
{
    QDialog::done(result);
    m_mainWindow->setEnabled(true);
}

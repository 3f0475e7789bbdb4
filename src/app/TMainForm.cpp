#include "TMainForm.h"

#include "Command.h"
#include "ErrorReport.h"
#include "ImageButton.h"
#include "InputCommands.h"
#include "OutputPanel.h"
#include "PreviewPlayer.h"
#include "ProfileChoice.h"
#include "WindowFrame.h"
#include "base/PathText.h"
#include "engine/TaskRows.h"
#include "profiles/ParameterPanels.h"
#include "profiles/TNewInifile.h"
#include "profiles/TSettingForm.h"
#include "profiles/ValueListEditor.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

TMainForm::TMainForm(const AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    m_context.programFolder = WithBackslash(m_context.programFolder);
    m_encoderPath = m_context.programFolder + QStringLiteral("wmaspi.dll");
    m_ui.setupUi(this);
    resize(790, 505);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_frame = new WindowFrame(this, m_ui);
    m_profiles = new ProfileChoice(this, m_ui, m_context.programFolder);
    m_output = new OutputPanel(this, m_ui, [this] { return OutputExt(); });
    m_inputs =
        new InputCommands(this, m_ui, m_context, m_encoderPath,
                          {[this] { return OutputExt(); }, [this] { m_output->ltvTaskClick(); }});
    m_preview =
        new PreviewPlayer(this, m_ui, m_context.moduleFolder,
                          {[this] { return currentTask(); }, [this] { m_output->ltvTaskClick(); }});
    wireCommands();
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::setDialogs(TAboutForm* about, TSettingForm* setting, TSizeForm* size)
{
    m_about = about;
    m_setting = setting;
    m_size = size;
    m_profiles->setSizeDialog(size);
    if (setting)
        (new Command(setting, [setting] {
            setting->cmbProfileChange();
        }))->on(setting->cmbProfile, &QComboBox::activated);
}

Command& TMainForm::command(std::function<void()> handler)
{
    return *new Command(this, std::move(handler));
}

void TMainForm::wireCommands()
{
    command([this] { m_inputs->tbtnAddFileClick(); })
        .on(m_ui.ibtnAddFile, &ImageButton::clicked)
        .on(m_ui.tbtnAddFile, &QToolButton::clicked);
    command([this] { m_inputs->tbtnAddDirClick(); })
        .on(m_ui.ibtnAddDir, &ImageButton::clicked)
        .on(m_ui.tbtnAddDir, &QToolButton::clicked);
    command([this] { tbtnSettingClick(); })
        .on(m_ui.ibtnSetting, &ImageButton::clicked)
        .on(m_ui.tbtnSetting, &QToolButton::clicked);
    command([this] { bbtnSettingClick(); }).on(m_ui.bbtnSetting, &QPushButton::clicked);
    command([this] { m_profiles->cmbProfileChange(); }).on(m_ui.cmbProfile, &QComboBox::activated);
    command([this] {
        m_profiles->vleVideoStringsChange();
    }).on(grid(ParameterPanels::Video), &QTableWidget::itemChanged);
    command([this] { m_output->ltvTaskClick(); }).on(m_ui.ltvTask, &QTreeView::clicked);
    command([this] { m_preview->PlaySelectedTask(); }).on(m_ui.ltvTask, &QTreeView::doubleClicked);
    command([this] { m_preview->sbtnPlayClick(); }).on(m_ui.sbtnPlay, &QPushButton::clicked);
    command([this] { m_preview->sbtnPauseClick(); }).on(m_ui.sbtnPause, &QPushButton::clicked);
    command([this] { m_preview->sbtnStopClick(); }).on(m_ui.sbtnStop, &QPushButton::clicked);
}

QString TMainForm::preferencesPath() const
{
    return m_context.programFolder + QStringLiteral("Preferences.ini");
}

TaskRows& TMainForm::rows()
{
    return m_inputs->rows();
}

QString TMainForm::OutputExt() const
{
    return m_profiles->OutputExt();
}

int TMainForm::currentTask() const
{
    return m_output->currentTask();
}

ValueListEditor* TMainForm::grid(int panel) const
{
    return m_ui.panels->grid(panel);
}

QStringList TMainForm::profileNames() const
{
    return m_profiles->profileNames();
}

void TMainForm::FormCreate()
{
    m_ui.edtOutputdir->setText(m_context.programFolder);
    m_ui.ltvTask->header()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(253, 228, 204); }"));
    ReadVersion();
    m_helpFile = m_context.programFolder + QStringLiteral("Framewright.chm");
    setWindowTitle(QStringLiteral("Framewright V") + m_version);
    m_profiles->FillProfileList();
    m_inputs->AddCommandLineInputs(m_context.arguments);
    setAcceptDrops(true);
    m_ui.panBottomLeft->hide();
    const int widths[4] = {260, 90, 80, 100};
    for (int column = 0; column < 4; ++column)
        m_ui.ltvTask->setColumnWidth(column, widths[column]);
    // Hidden only now: hiding before the header's style is set leaves their widths counted.
    for (int column = 4; column < TaskRows::ColumnCount; ++column)
        m_ui.ltvTask->setColumnHidden(column, true);
    SetHints();
}

void TMainForm::ReadVersion()
{
    m_version = QStringLiteral("3.0");
    // A preferences file that cannot be read or written is reported; the program goes on
    // with the defaults rather than with a half-built window.
    Guarded(nullptr, [this] {
        TNewInifile ini(preferencesPath());
        m_version = ini.ReadString(QStringLiteral("Main"), QStringLiteral("Version"),
                                   QStringLiteral("3.0"));
        ini.Release();
    });
}

void TMainForm::SetHints()
{
    const std::pair<ImageButton*, const char*> hints[] = {
        {m_ui.ibtnAddFile, "Add File"}, {m_ui.ibtnAddDir, "Add Directory"},
        {m_ui.ibtnRemove, "Remove"},    {m_ui.ibtnClear, "Clear"},
        {m_ui.ibtnSetting, "Settings"}, {m_ui.ibtnAbout, "About"},
        {m_ui.ibtnHelp, "Help"}};
    for (const auto& [image, hint] : hints)
        image->setToolTip(QLatin1String(hint));
}

void TMainForm::tbtnSettingClick()
{
    if (!m_setting)
        return;
    m_setting->pgcSetting->setCurrentIndex(0);
    m_setting->show();
}

void TMainForm::bbtnSettingClick()
{
    if (!m_setting)
        return;
    m_setting->pgcSetting->setCurrentIndex(1);
    m_setting->cmbProfile->setCurrentIndex(m_ui.cmbProfile->currentIndex());
    m_setting->show();
    m_setting->cmbProfileChange();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    // Refused while a batch runs, so such a drop never arrives.
    if (event->mimeData()->hasUrls() && m_ui.ltvTask->isEnabled())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    Guarded(this, [&] { m_inputs->drop(urls); });
}

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TMainForm::FormShow()
{
    Guarded(this, [this] { LoadPreferences(); });
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TMainForm::FormClose()
{
    m_preview->Stop(); // no sound outlives the window
    Guarded(this, [this] { SavePreferences(); });
}

void TMainForm::LoadPreferences()
{
    TNewInifile ini(preferencesPath());
    const QString main = QStringLiteral("Main");
    m_ui.edtOutputdir->setText(
        ini.ReadString(main, QStringLiteral("Output Path"), m_context.programFolder));
    const int profile = ini.ReadInteger(main, QStringLiteral("Profile"), 0);
    ini.Release();
    if (m_ui.cmbProfile->count() == 0)
        return;
    m_ui.cmbProfile->setCurrentIndex(profile < m_ui.cmbProfile->count() ? profile : -1);
    m_profiles->cmbProfileChange();
}

void TMainForm::SavePreferences()
{
    TNewInifile ini(preferencesPath());
    const QString main = QStringLiteral("Main");
    ini.WriteInteger(main, QStringLiteral("Profile"), m_ui.cmbProfile->currentIndex());
    ini.WriteString(main, QStringLiteral("Output Path"), m_ui.edtOutputdir->text());
    ini.Release();
}

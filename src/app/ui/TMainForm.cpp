#include "TMainForm.h"

#include "BatchPanel.h"
#include "Command.h"
#include "ErrorReport.h"
#include "FileDrops.h"
#include "GettingStartedPanel.h"
#include "ImageButton.h"
#include "ImageToolbar.h"
#include "InputCommands.h"
#include "KeptQueue.h"
#include "OutputPanel.h"
#include "PreviewPlayer.h"
#include "ProfileChoice.h"
#include "SettingsCommands.h"
#include "ShellCommands.h"
#include "StartingList.h"
#include "TAboutForm.h"
#include "TaskListCommands.h"
#include "WindowAccess.h"
#include "WindowFrame.h"
#include "base/PathText.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "platform/HelpViewer.h"
#include "platform/StartMarks.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/TSettingForm.h"
#include "profiles/ui/ValueListEditor.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

TMainForm::TMainForm(const AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    m_context.programFolder = WithBackslash(m_context.programFolder);
    m_context.dataFolder = WithBackslash(m_context.dataFolder.isEmpty() ? m_context.programFolder
                                                                        : m_context.dataFolder);
    if (m_context.defaultOutput.isEmpty())
        m_context.defaultOutput = m_context.programFolder;
    m_encoderPath = m_context.programFolder + QStringLiteral("wmaspi.dll");
    m_ui.setupUi(this);
    StartMark("controls made");
    resize(790, 505);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_frame = new WindowFrame(this, m_ui);
    m_toolbar = new ImageToolbar(this, m_ui);
    m_profiles = new ProfileChoice(this, m_ui, m_context.dataFolder);
    m_settings = new SettingsCommands(this, m_ui, m_context, *m_profiles);
    m_output = new OutputPanel(this, m_ui,
                               {[this] { return OutputExt(); },
                                [this](const QString& path, const OutputOptions& typed) {
                                    m_inputs->holdEdit(path, typed);
                                },
                                [this](const QString& path) { return m_inputs->heldEdit(path); }});
    m_inputs =
        new InputCommands(this, m_ui, m_context, m_encoderPath,
                          {[this] { return OutputExt(); }, [this] { m_output->ltvTaskClick(); },
                           [this] { return m_output->currentTask(); }});
    m_shell = new ShellCommands(this, m_ui, m_context);
    BatchPanel::Hooks batchHooks;
    batchHooks.outputExt = [this] { return OutputExt(); };
    batchHooks.profilePath = [this] { return m_profiles->profilePath(); };
    batchHooks.stopPreview = [this] { m_preview->Stop(); };
    batchHooks.reading = [this] { return m_inputs->reading(); };
    batchHooks.waitingForReading = [this](bool waiting) { m_inputs->setStartWaiting(waiting); };
    m_batch = new BatchPanel(this, m_ui, m_context, m_inputs->rows(), m_encoderPath, batchHooks);
    connect(m_inputs, &InputCommands::readingFinished, m_batch, &BatchPanel::afterReading);
    m_list = new TaskListCommands(this, m_ui, [this] { m_output->clearValues(); });
    m_queue = new KeptQueue(this, m_ui.taskModel, m_context.dataFolder);
    m_preview =
        new PreviewPlayer(this, m_ui, m_context.moduleFolder,
                          {[this] { return currentTask(); }, [this] { m_output->ltvTaskClick(); }});
    StartMark("parts made");
    wireCommands();
    FormCreate();
}

TMainForm::~TMainForm()
{
    m_queue->flush(); // while the list is still there: a window destroyed unclosed loses nothing
}

void TMainForm::setDialogs(TAboutForm* about, TSettingForm* setting, TSizeForm* size)
{
    m_about = about;
    m_setting = setting;
    m_size = size;
    m_profiles->setSizeDialog(size);
    // A profile restored on "Custom Size" asks for the size now that the dialog exists.
    m_profiles->vleVideoStringsChange();
    m_shell->setAboutBox(about);
    m_batch->setSettingForm(setting);
    if (setting)
        m_settings->setDialog(setting);
}

Command& TMainForm::command(std::function<void()> handler)
{
    return *new Command(this, std::move(handler));
}

void TMainForm::wireCommands()
{
    command([this] { m_inputs->tbtnAddFileClick(); })
        .on(m_ui.ibtnAddFile, &ImageButton::clicked)
        .on(m_ui.tbtnAddFile, &QToolButton::clicked)
        .on(m_ui.mniAddFiles, &QAction::triggered);
    command([this] { m_inputs->tbtnAddDirClick(); })
        .on(m_ui.ibtnAddDir, &ImageButton::clicked)
        .on(m_ui.tbtnAddDir, &QToolButton::clicked)
        .on(m_ui.mniAddDir, &QAction::triggered);
    command([this] { m_settings->tbtnSettingClick(); })
        .on(m_ui.ibtnSetting, &ImageButton::clicked)
        .on(m_ui.tbtnSetting, &QToolButton::clicked);
    command([this] { m_settings->bbtnSettingClick(); }).on(m_ui.bbtnSetting, &QPushButton::clicked);
    command([this] { m_profiles->cmbProfileChange(); }).on(m_ui.cmbProfile, &QComboBox::activated);
    command([this] {
        m_profiles->vleVideoStringsChange();
    }).on(grid(ParameterPanels::Video), &QTableWidget::itemChanged);
    command([this] { m_output->ltvTaskClick(); })
        .on(m_ui.ltvTask, &QTreeView::clicked)
        .on(m_list, &TaskListCommands::emptyAreaClicked);
    command([this] { m_list->tbtnRemoveClick(); })
        .on(m_ui.ibtnRemove, &ImageButton::clicked)
        .on(m_ui.tbtnRemove, &QToolButton::clicked)
        .on(m_ui.mniRemove, &QAction::triggered)
        .key(m_ui.ltvTask, Qt::Key_Delete);
    command([this] { m_list->tbtnClearClick(); })
        .on(m_ui.ibtnClear, &ImageButton::clicked)
        .on(m_ui.tbtnClear, &QToolButton::clicked)
        .on(m_ui.mniClear, &QAction::triggered)
        .key(m_ui.ltvTask, Qt::Key_Backspace);
    command([this] { m_list->ltvTaskDblClick(); }).on(m_ui.mniOpen, &QAction::triggered);
    // The cell counts: a failed task's Status opens its log.
    connect(m_ui.ltvTask, &QTreeView::doubleClicked, this, [this](const QModelIndex& cell) {
        Guarded(this, [&] { m_list->ltvTaskDblClick(cell); });
    });
    command([this] { m_list->mniShowLogClick(); }).on(m_ui.mniShowLog, &QAction::triggered);
    command([this] {
        m_list->mniConvertAgainClick();
    }).on(m_ui.mniConvertAgain, &QAction::triggered);
    command([this] { m_list->mniResetFailedClick(); }).on(m_ui.mniResetFailed, &QAction::triggered);
    command([this] { m_list->tbtnUpClick(); }).on(m_ui.tbtnUp, &QToolButton::clicked);
    command([this] { m_list->tbtnDownClick(); }).on(m_ui.tbtnDown, &QToolButton::clicked);
    command([this] {
        m_output->vleOutputValidate();
    }).on(grid(ParameterPanels::Output), &ValueListEditor::valueEdited);
    command([this] { m_shell->bbtnBrowserClick(); }).on(m_ui.bbtnBrowser, &QPushButton::clicked);
    command([this] { m_shell->bbtnOpenClick(); }).on(m_ui.bbtnOpen, &QPushButton::clicked);
    command([this] { m_shell->tbtnHelpClick(); })
        .on(m_ui.ibtnHelp, &ImageButton::clicked)
        .on(m_ui.tbtnHelp, &QToolButton::clicked);
    command([this] { m_shell->tbtnAboutClick(); })
        .on(m_ui.ibtnAbout, &ImageButton::clicked)
        .on(m_ui.tbtnAbout, &QToolButton::clicked);
    command([this] { m_batch->imgStartClick(); }).on(m_ui.imgStart, &ImageButton::clicked);
    command([this] { m_batch->tbtnStartClick(); }).on(m_ui.tbtnStart, &QToolButton::clicked);
    command([this] { m_batch->imgStopClick(); }).on(m_ui.imgStop, &ImageButton::clicked);
    command([this] { m_batch->tbtnStopClick(); }).on(m_ui.tbtnStop, &QToolButton::clicked);
    connect(m_list, &TaskListCommands::playSelectedTask, m_preview,
            [this] { Guarded(this, [this] { m_preview->PlaySelectedTask(); }); });
    command([this] { m_preview->sbtnPlayClick(); }).on(m_ui.sbtnPlay, &QPushButton::clicked);
    command([this] { m_preview->sbtnPauseClick(); }).on(m_ui.sbtnPause, &QPushButton::clicked);
    command([this] { m_preview->sbtnStopClick(); }).on(m_ui.sbtnStop, &QPushButton::clicked);
}

void TMainForm::openFiles(const QString& currentFolder, const QStringList& arguments,
                          const QStringList& unreadable)
{
    // To the front first: a box that tells of refused files then opens above it.
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    Guarded(this, [&] { m_inputs->handOver(currentFolder, arguments, unreadable); });
}

TaskRows& TMainForm::rows()
{
    return m_inputs->rows();
}

bool TMainForm::reading() const
{
    return m_inputs->reading();
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

QStringList TMainForm::profileFiles() const
{
    return m_profiles->profileFiles();
}

void TMainForm::FormCreate()
{
    m_ui.edtOutputdir->setText(m_context.defaultOutput);
    QPalette header = m_ui.ltvTask->header()->palette();
    header.setColor(QPalette::Button, QColor(253, 228, 204));
    m_ui.ltvTask->header()->setPalette(header);
    m_version = m_settings->ReadVersion();
    m_helpFile = HelpTarget(m_context.programFolder, true); // the compiled help's path
    setWindowTitle(QStringLiteral("Framewright V") + m_version);
    m_profiles->FillProfileList();
    FillStartingList(m_context, *m_queue, *m_inputs, *m_ui.panbg);
    new FileDrops(
        this, [this] { return m_ui.ltvTask->isEnabled(); },
        [this](const QList<QUrl>& urls) { Guarded(this, [&] { m_inputs->drop(urls); }); });
    m_ui.panBottomLeft->hide();
    const int widths[4] = {260, 90, 80, 100};
    for (int column = 0; column < 4; ++column)
        m_ui.ltvTask->setColumnWidth(column, widths[column]);
    // Hidden only now: hiding before the header's style is set leaves their widths counted.
    for (int column = TaskModel::VisibleColumns; column < TaskModel::ColumnCount; ++column)
        m_ui.ltvTask->setColumnHidden(column, true);
    SetHints();
}

void TMainForm::SetHints()
{
    (new WindowAccess(this, m_ui, m_batch->run()))->SetHints();
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
    Guarded(this, [this] { m_settings->LoadPreferences(); });
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!m_batch->mayClose()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TMainForm::FormClose()
{
    m_inputs->abandon();
    m_preview->Stop(); // no sound outlives the window
    m_queue->flush();
    Guarded(this, [this] { m_settings->SavePreferences(); });
}

SettingsLink TMainForm::settingsLink()
{
    return m_settings->link();
}

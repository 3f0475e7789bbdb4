#include "TMainForm.h"

#include "GettingStartedPanel.h"
#include "ImageButton.h"
#include "SplitterBar.h"
#include "engine/FwError.h"
#include "engine/PathText.h"
#include "platform/ErrorReport.h"
#include "profiles/ParameterPanels.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileText.h"
#include "profiles/TNewInifile.h"
#include "profiles/TSettingForm.h"
#include "profiles/TSizeForm.h"
#include "profiles/ValueListEditor.h"
#include "tasks/InputTypes.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

TMainForm::TMainForm(const AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context),
      m_encoderPath(WithBackslash(context.programFolder) + QStringLiteral("wmaspi.dll")),
      m_rows(nullptr),
      m_probe(m_encoderPath, [this](const QString& text) { m_ui.Memo1->setPlainText(text); }),
      m_adder(m_rows, m_probe, InputExtensions(),
              {[this] { return OutputExt; }, [this] { HideGettingStarted(); }})
{
    m_ui.setupUi(this);
    m_rows = TaskRows(m_ui.taskModel);
    resize(790, 505);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_ui.panMain->installEventFilter(this);
    connect(m_ui.panSplitter, &SplitterBar::mouseMoved, this,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x) {
                panSplitterMouseMove(buttons, modifiers, x);
            });
    connect(m_ui.cmbProfile, &QComboBox::activated, this,
            [this] { Guarded(this, [this] { cmbProfileChange(); }); });
    connect(grid(ParameterPanels::Video), &QTableWidget::itemChanged, this,
            [this] { vleVideoStringsChange(); });
    connect(m_ui.bbtnSetting, &QPushButton::clicked, this,
            [this] { Guarded(this, [this] { bbtnSettingClick(); }); });
    connect(m_ui.ibtnAddFile, &ImageButton::clicked, this, [this] { tbtnAddFileClick(); });
    connect(m_ui.tbtnAddFile, &QToolButton::clicked, this, [this] { tbtnAddFileClick(); });
    connect(m_ui.ibtnAddDir, &ImageButton::clicked, this, [this] { tbtnAddDirClick(); });
    connect(m_ui.tbtnAddDir, &QToolButton::clicked, this, [this] { tbtnAddDirClick(); });
    connect(m_ui.ltvTask, &QTreeView::clicked, this, [this] { ltvTaskClick(); });
    connect(m_ui.ibtnSetting, &ImageButton::clicked, this, [this] { tbtnSettingClick(); });
    connect(m_ui.tbtnSetting, &QToolButton::clicked, this, [this] { tbtnSettingClick(); });
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::setDialogs(TAboutForm* about, TSettingForm* setting, TSizeForm* size)
{
    m_about = about;
    m_setting = setting;
    m_size = size;
}

QString TMainForm::preferencesPath() const
{
    return m_context.programFolder + QStringLiteral("Preferences.ini");
}

void TMainForm::FormCreate()
{
    m_context.programFolder = WithBackslash(m_context.programFolder);
    m_ui.edtOutputdir->setText(m_context.programFolder);
    // EncoderPath is fixed with the members, since the probe is built on it.
    m_ui.ltvTask->header()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(253, 228, 204); }"));
    ReadVersion();
    m_helpFile = m_context.programFolder + QStringLiteral("Framewright.chm");
    setWindowTitle(QStringLiteral("Framewright V") + m_version);
    BuildInputTypes();
    FillProfileList();
    AddCommandLineInputs();
    setAcceptDrops(true);
    m_ui.panBottomCenter->resize(607, m_ui.panBottomCenter->height());
    m_ui.panBottomLeft->resize(607, m_ui.panBottomLeft->height());
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

void TMainForm::BuildInputTypes()
{
    m_filter = QtNameFilters(OpenDialogFilter(m_adder.extensions())).join(QStringLiteral(";;"));
}

void TMainForm::FillProfileList()
{
    m_ui.cmbProfile->addItems(ProfileNames(m_context.programFolder));
    m_ui.cmbProfile->setCurrentIndex(-1);
}

QStringList TMainForm::profileNames() const
{
    QStringList names;
    for (int i = 0; i < m_ui.cmbProfile->count(); ++i)
        names << m_ui.cmbProfile->itemText(i);
    return names;
}

ValueListEditor* TMainForm::grid(int panel) const
{
    return m_ui.panels->grid(panel);
}

void TMainForm::cmbProfileChange()
{
    const LoadedProfile profile =
        LoadProfile(ProfilePath(m_context.programFolder, m_ui.cmbProfile->currentText()));
    if (!profile.exists)
        return;
    m_ui.panels->loadRows(ParameterPanels::Video, profile.panels.video);
    m_ui.panels->loadRows(ParameterPanels::Audio, profile.panels.audio);
    m_ui.panels->loadRows(ParameterPanels::Advanced, profile.panels.advanced);
    OutputExt = OutputExtFor(profile.type);
    vleVideoStringsChange();
    if (!profile.error.isEmpty())
        throw FwError(profile.error);
}

void TMainForm::vleVideoStringsChange()
{
    const ValueListEditor* video = grid(ParameterPanels::Video);
    const int current = video->currentRow();
    if (current < 0 || current >= video->rowCount() ||
        video->rowData(current).key != QLatin1String("Video Size"))
        return;
    if (video->value(QStringLiteral("Video Size")) == QLatin1String("Custom Size") && m_size &&
        !m_size->isVisible())
        m_size->show();
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

void TMainForm::AddCommandLineInputs()
{
    m_adder.AddCommandLine(m_context.arguments);
    EnableListCommands();
}

void TMainForm::EnableListCommands()
{
    if (m_rows.rowCount() == 0)
        return;
    for (QToolButton* button :
         {m_ui.tbtnUp, m_ui.tbtnDown, m_ui.tbtnRemove, m_ui.tbtnClear, m_ui.tbtnStart})
        button->setEnabled(true);
}

int TMainForm::currentTask() const
{
    const QModelIndexList selected = m_ui.ltvTask->selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex& index : selected) {
        if (first < 0 || index.row() < first)
            first = index.row();
    }
    return first;
}

void TMainForm::tbtnAddFileClick()
{
    const QStringList chosen =
        m_context.chooseFiles ? m_context.chooseFiles(this, m_filter) : QStringList();
    // The first chosen file goes last, after all the others.
    for (int i = 1; i < chosen.size(); ++i)
        m_adder.AddTask(chosen.at(i));
    if (!chosen.isEmpty())
        m_adder.AddTask(chosen.first());
    if (m_rows.rowCount() == 1) {
        m_ui.ltvTask->selectionModel()->select(m_ui.taskModel->index(0, 0),
                                               QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
        ltvTaskClick();
    }
    m_ui.ltvTask->setFocus();
    EnableListCommands();
}

void TMainForm::tbtnAddDirClick()
{
    const QString folder =
        m_context.chooseFolder
            ? m_context.chooseFolder(this, QStringLiteral("Add a directory to the Task List"))
            : QString();
    if (!folder.isEmpty())
        m_adder.AddFolder(folder);
    m_ui.ltvTask->setFocus();
    EnableListCommands();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && m_ui.ltvTask->isEnabled())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    if (!m_ui.ltvTask->isEnabled())
        return; // a batch is running
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            m_adder.AddPath(url.toLocalFile());
    }
    EnableListCommands();
}

void TMainForm::ltvTaskClick()
{
    ValueListEditor* output = grid(ParameterPanels::Output);
    const int row = currentTask();
    ltvItemData task;
    if (row >= 0) {
        m_rows.ReadTask(row, TaskRows::WholeRecord, task);
        task.NewFileName += OutputExt;
    }
    output->setValue(QStringLiteral("New Filename"), row < 0 ? QString() : task.NewFileName);
    output->setValue(QStringLiteral("Start Time"), task.StartTime);
    output->setValue(QStringLiteral("End Time"), task.EndTime);
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

void TMainForm::HideGettingStarted()
{
    m_ui.panbg->hide();
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
    cmbProfileChange();
}

void TMainForm::SavePreferences()
{
    TNewInifile ini(preferencesPath());
    const QString main = QStringLiteral("Main");
    ini.WriteInteger(main, QStringLiteral("Profile"), m_ui.cmbProfile->currentIndex());
    ini.WriteString(main, QStringLiteral("Output Path"), m_ui.edtOutputdir->text());
    ini.Release();
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // The bottom strip follows the task area, also when the splitter bar changes its width.
    if (watched == m_ui.panMain && event->type() == QEvent::Resize)
        FormResize();
    return QWidget::eventFilter(watched, event);
}

void TMainForm::FormResize()
{
    const int width = m_ui.panMain->width();
    m_ui.panBottomCenter->resize(width, m_ui.panBottomCenter->height());
    m_ui.panBottomLeft->resize(width, m_ui.panBottomLeft->height());

    const int center = m_ui.panBottomCenter->width();
    m_ui.bbtnSetting->move(center - 90, m_ui.bbtnSetting->y());
    m_ui.cmbProfile->resize(m_ui.bbtnSetting->x() - 83, m_ui.cmbProfile->height());
    m_ui.bbtnOpen->move(center - 90, m_ui.bbtnOpen->y());
    m_ui.bbtnBrowser->move(m_ui.bbtnOpen->x() - 85, m_ui.bbtnBrowser->y());
    m_ui.edtOutputdir->resize(m_ui.bbtnBrowser->x() - 83, m_ui.edtOutputdir->height());

    const int left = m_ui.panBottomLeft->width();
    m_ui.labCurProgress->move(left - 27, m_ui.labCurProgress->y());
    m_ui.pgbCurrent->resize(m_ui.labCurProgress->x() - 123, m_ui.pgbCurrent->height());
    m_ui.labTotalProgress->move(left - 27, m_ui.labTotalProgress->y());
    m_ui.pgbTotal->resize(m_ui.labTotalProgress->x() - 123, m_ui.pgbTotal->height());
}

void TMainForm::panSplitterMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                     int x)
{
    if (buttons != Qt::LeftButton || modifiers != Qt::NoModifier || x == 0)
        return;
    // Keep the panel between nothing and the whole window, so a wild drag cannot break the
    // layout.
    const int widest = qMax(0, width() - m_ui.panSplitter->width());
    m_ui.panProfile->setFixedWidth(qBound(0, m_ui.panProfile->width() - x + 5, widest));
}

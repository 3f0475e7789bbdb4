#include "BatchPanel.h"

#include "AppContext.h"
#include "DesktopLink.h"
#include "ImageButton.h"
#include "Notice.h"
#include "SplitterBar.h"
#include "TMainFormUi.h"
#include "engine/BatchSettings.h"
#include "engine/TaskRows.h"
#include "profiles/ProfileFile.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/TSettingForm.h"
#include "profiles/ui/ValueListEditor.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

BatchPanel::BatchPanel(QWidget* form, const TMainFormUi& ui, const AppContext& context,
                       TaskRows& rows, const QString& encoderPath, Hooks hooks)
    : QObject(form), m_form(form), m_ui(ui), m_context(context), m_rows(rows),
      m_hooks(std::move(hooks)), m_run(rows, encoderPath),
      // Connected first: it asks whether the window is active before any box can show.
      m_desktop(new DesktopLink(form, m_run, context))
{
    connect(&m_run, &BatchRun::started, this, &BatchPanel::showStarted);
    connect(&m_run, &BatchRun::clockRunning, this, [this](bool running) {
        if (running)
            m_ui.timerTime->start();
        else
            m_ui.timerTime->stop();
    });
    connect(&m_run, &BatchRun::convertingFile, m_ui.labConvertingFile, &QLabel::setText);
    connect(&m_run, &BatchRun::convertingFile, this, &BatchPanel::followWork);
    connect(m_ui.ltvTask->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!m_following && m_run.state() != BatchRun::Idle)
            m_scrolledAway = true;
    });
    connect(&m_run, &BatchRun::outputRead, m_ui.Memo1, &QPlainTextEdit::setPlainText);
    connect(&m_run, &BatchRun::progressShown, this, &BatchPanel::showProgress);
    connect(&m_run, &BatchRun::ended, this, &BatchPanel::showEnd);
    connect(m_ui.timerTime, &QTimer::timeout, this, &BatchPanel::timerTimeTimer);
}

void BatchPanel::imgStartClick()
{
    if (m_rows.rowCount() == 0 || m_run.state() != BatchRun::Idle)
        return;
    // Pressed from the keyboard, Stop takes the focus in Start's place: pressed again, it stops.
    const bool keyboard = m_form->focusWidget() == m_ui.imgStart;
    m_ui.imgStart->hide();
    m_ui.imgStop->show();
    tbtnStartClick();
    if (keyboard && m_ui.imgStop->isVisible())
        m_ui.imgStop->setFocus();
}

void BatchPanel::tbtnStartClick()
{
    if (m_run.state() != BatchRun::Idle || m_waiting)
        return;
    m_ui.ltvTask->setFocus();
    if (!mayStart())
        return;
    if (m_rows.rowCount() == 0)
        return;
    lock(true);
    // A task whose file is not read yet has no length: never convert it so.
    if (m_hooks.reading && m_hooks.reading()) {
        waitForReading(true);
        return;
    }
    convert();
}

bool BatchPanel::mayStart()
{
    const auto refuse = [this](const QString& caption, const QString& text, QWidget* focus) {
        ShowNotice(m_form, caption, text, QMessageBox::Information, [this, focus] {
            swapToStart();
            FocusWhenActive(focus);
        });
        return false;
    };
    switch (CheckOutputFolder(m_ui.edtOutputdir->text())) {
    case OutputFolderState::NotFullPath:
        return refuse(QStringLiteral("Output path is not a full path"),
                      QStringLiteral("The output path \"%1\" is not a full path. Please specify "
                                     "a folder from the root, for example with Browse.")
                          .arg(m_ui.edtOutputdir->text()),
                      m_ui.edtOutputdir);
    case OutputFolderState::Missing:
    case OutputFolderState::NotFolder:
        return refuse(QStringLiteral("Output path does not exist"),
                      QStringLiteral("The output path does not exist. Please specify another one."),
                      m_ui.edtOutputdir);
    case OutputFolderState::Usable:
        break;
    }
    // Without a profile there is neither an output type nor an argument string.
    if (m_rows.rowCount() > 0 && m_hooks.profilePath().isEmpty())
        return refuse(
            QStringLiteral("Framewright"),
            QStringLiteral("No profile is chosen. Please choose one in the Profile list."),
            m_ui.cmbProfile);
    // Otherwise the run would skip every task and still say the conversion completed.
    if (m_setting && m_setting->general().skipCompleted && m_rows.rowCount() > 0) {
        bool allComplete = true;
        for (int row = 0; row < m_rows.rowCount() && allComplete; ++row)
            allComplete = m_rows.task(row).state == TaskState::Complete;
        if (allComplete)
            return refuse(QStringLiteral("Framewright"),
                          QStringLiteral("Every task is already complete, and completed tasks are "
                                         "skipped. Choose Convert Again on the tasks to convert "
                                         "them once more."),
                          m_ui.ltvTask);
    }
    return true;
}

void BatchPanel::waitForReading(bool waiting)
{
    m_waiting = waiting;
    if (m_hooks.waitingForReading)
        m_hooks.waitingForReading(waiting);
}

void BatchPanel::afterReading()
{
    if (!m_waiting)
        return;
    waitForReading(false);
    convert();
}

void BatchPanel::convert()
{
    // Checked again now that converting begins: a wait for files being read may have been long.
    if (!mayStart()) {
        lock(false);
        return;
    }
    QString arguments;
    try {
        arguments = BuildArguments(m_hooks.profilePath(), m_ui.panels->shownRows());
    } catch (...) {
        lock(false); // a profile that cannot be read must not leave the window locked
        throw;
    }
    GeneralSettings general;
    if (m_setting)
        general = m_setting->general();
    else
        general.openDir = false; // without the dialog, nothing was chosen to follow a run
    m_run.RunBatch(arguments,
                   RunSettings(general, m_ui.edtOutputdir->text(), m_hooks.outputExt(), arguments));
}

void BatchPanel::imgStopClick()
{
    swapToStart();
    tbtnStopClick();
}

void BatchPanel::swapToStart()
{
    const bool keyboard = m_form->focusWidget() == m_ui.imgStop;
    m_ui.imgStop->hide();
    m_ui.imgStart->show();
    if (keyboard)
        m_ui.imgStart->setFocus();
}

void BatchPanel::tbtnStopClick()
{
    if (m_waiting) { // nothing converts yet: the start is called off
        waitForReading(false);
        lock(false);
        return;
    }
    m_run.Stop();
}

void BatchPanel::timerTimeTimer()
{
    m_run.clock().tick(m_run.totalPosition());
    m_ui.labElapsed->setText(m_run.clock().elapsedText());
    m_ui.labRemaining->setText(m_run.clock().remainingText());
}

bool BatchPanel::mayClose()
{
    if (m_run.state() == BatchRun::Idle)
        return true;
    if (!m_closeQuestion) {
        m_closeQuestion = AskQuestion(m_form, QStringLiteral("Framewright"),
                                      QStringLiteral("A conversion is running. Stop it and exit?"),
                                      [this](bool yes) {
                                          if (!yes)
                                              return;
                                          m_run.abandon();
                                          m_desktop->release();
                                          restore();
                                          m_form->close();
                                      });
    }
    return false;
}

void BatchPanel::lock(bool locked)
{
    if (locked && m_hooks.stopPreview)
        m_hooks.stopPreview();
    // The output folder and the profile too: a Start that waits for files being read reads
    // them only when converting begins.
    const std::initializer_list<QWidget*> controls = {
        m_ui.ibtnAddFile, m_ui.ibtnAddDir,  m_ui.ibtnRemove,   m_ui.ibtnClear,
        m_ui.ibtnSetting, m_ui.ltvTask,     m_ui.panSplitter,  m_ui.gpbProfile,
        m_ui.cmbProfile,  m_ui.bbtnSetting, m_ui.edtOutputdir, m_ui.bbtnBrowser};
    // The keyboard focus in a control about to be locked would wander to the next one still
    // enabled; it goes to Stop instead, which is what the keyboard can do during a run.
    const QWidget* focus = m_form->focusWidget();
    const bool displaced =
        locked && focus && std::any_of(controls.begin(), controls.end(), [focus](QWidget* c) {
            return c == focus || c->isAncestorOf(focus);
        });
    for (QWidget* control : controls)
        control->setEnabled(!locked);
    if (displaced)
        m_ui.imgStop->setFocus();
    if (!locked)
        swapToStart();
}

void BatchPanel::followWork()
{
    const QList<int> rows = m_run.convertingRows();
    if (m_scrolledAway || rows.isEmpty())
        return;
    m_following = true;
    m_ui.ltvTask->scrollTo(m_ui.ltvTask->model()->index(rows.first(), 0));
    m_following = false;
}

void BatchPanel::showStarted()
{
    m_scrolledAway = false;
    m_ui.labConvertingFile->clear();
    // The clock's first tick is a second away: it shows where it starts from meanwhile.
    m_ui.labElapsed->setText(m_run.clock().elapsedText());
    m_ui.labRemaining->setText(m_run.clock().remainingText());
    showProgress(0, 0);
    m_ui.panBottomCenter->hide();
    m_ui.panBottomLeft->show();
}

void BatchPanel::showProgress(int current, int total)
{
    m_ui.pgbCurrent->setValue(current);
    m_ui.pgbTotal->setValue(total);
    m_ui.labCurProgress->setText(QString::number(m_ui.pgbCurrent->value()) + QLatin1Char('%'));
    m_ui.labTotalProgress->setText(QString::number(m_ui.pgbTotal->value()) + QLatin1Char('%'));
}

void BatchPanel::showEnd(const BatchOutcome& outcome)
{
    // The user asked to exit while it ran: the question is moot now, and the window closes.
    if (m_closeQuestion) {
        delete m_closeQuestion.data();
        restore();
        m_form->close();
        return;
    }
    switch (outcome.kind) {
    case BatchOutcome::Stopped:
        ShowNotice(m_form, outcome.caption, outcome.text, QMessageBox::Information,
                   [this] { restore(); });
        return;
    case BatchOutcome::CannotStart:
        ShowNotice(m_form, outcome.caption, outcome.text, QMessageBox::NoIcon,
                   [this] { restore(); });
        return;
    case BatchOutcome::Completed:
        break;
    }
    // The box opens over the run as it ended, not as its last report left it.
    showProgress(100, 100);
    m_ui.labRemaining->setText(QStringLiteral("00:00:00"));
    m_ui.labConvertingFile->clear();
    swapToStart();
    if (outcome.action != BatchOutcome::Report) {
        if (outcome.action == BatchOutcome::PowerOff && m_context.powerOff) {
            const QString refused = m_context.powerOff();
            if (!refused.isEmpty()) {
                ShowNotice(
                    m_form, QStringLiteral("Framewright"),
                    QStringLiteral("The computer could not be switched off: %1").arg(refused),
                    QMessageBox::Warning, [this] { restore(); });
                return;
            }
        }
        m_form->close();
        lock(false);
        return;
    }
    ShowNotice(m_form, outcome.caption, outcome.text,
               outcome.failed == 0 ? QMessageBox::Information : QMessageBox::Warning,
               [this, open = outcome.openFolder, folder = outcome.folder] {
                   if (open && m_context.openPath)
                       m_context.openPath(folder);
                   restore();
               });
}

void BatchPanel::restore()
{
    m_ui.panBottomLeft->hide();
    m_ui.panBottomCenter->show();
    lock(false);
}

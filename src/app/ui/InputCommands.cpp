#include "InputCommands.h"

#include "AppContext.h"
#include "ErrorReport.h"
#include "GettingStartedPanel.h"
#include "Notice.h"
#include "TMainFormUi.h"
#include "engine/TaskModel.h"
#include "tasks/InputScan.h"
#include "tasks/InputTypes.h"

#include <QDir>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSet>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>

InputCommands::InputCommands(QWidget* form, const TMainFormUi& ui, const AppContext& context,
                             const QString& encoderPath, Hooks hooks)
    : QObject(form), m_form(form), m_ui(ui), m_context(context), m_encoderPath(encoderPath),
      m_hooks(std::move(hooks)),
      m_filter(QtNameFilters(OpenDialogFilter(InputExtensions())).join(QStringLiteral(";;"))),
      m_rows(ui.taskModel), m_probes(encoderPath, ProbeQueue::DefaultParallel()),
      m_adder(m_rows, InputExtensions(),
              {[this] { return m_hooks.outputExt(); }, [this] { m_ui.panbg->hide(); },
               [this](const QString& path) {
                   ++m_asked;
                   m_probes.enqueue(path);
                   showProgressSoon();
               }})
{
    // Thousands of files are read in seconds: what the window shows of it follows at its own
    // pace, a few times a second, not once a file.
    m_paced.setSingleShot(true);
    m_paced.setInterval(200);
    connect(&m_paced, &QTimer::timeout, this, &InputCommands::showProgress);
    connect(&m_probes, &ProbeQueue::read, this, [this](const QString& text) {
        m_lastReport = text;
        m_reportShown = false;
        showProgressSoon();
    });
    connect(&m_probes, &ProbeQueue::probed, this, &InputCommands::probed);
    connect(&m_probes, &ProbeQueue::encoderFailed, this, &InputCommands::encoderFailed);
    // Remove and Clear call off the reading of the rows they take away: files added next
    // would wait behind them.
    connect(m_ui.taskModel, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                QStringList paths;
                for (int row = first; row <= last; ++row)
                    paths << m_rows.caption(row);
                for (const QString& path : paths)
                    m_adder.Forget(path);
                // Reading may have ended with them, which starts the count afresh.
                m_asked = std::max(0, m_asked - m_probes.cancel(paths));
                showProgress();
            });
    m_ui.ltvTask->installEventFilter(this);
    connect(&m_probes, &ProbeQueue::idle, this, [this] {
        m_asked = m_read = 0;
        showProgress();
        emit readingFinished();
    });
}

void InputCommands::tbtnAddFileClick()
{
    const QStringList chosen =
        m_context.chooseFiles ? m_context.chooseFiles(m_form, m_filter) : QStringList();
    // The first chosen file goes last, after all the others.
    for (int i = 1; i < chosen.size(); ++i)
        m_adder.AddTask(chosen.at(i));
    if (!chosen.isEmpty())
        m_adder.AddTask(chosen.first());
    if (m_rows.rowCount() == 1) {
        m_ui.ltvTask->selectionModel()->select(m_ui.taskModel->index(0, 0),
                                               QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
        m_hooks.showCurrentTask();
    }
    m_ui.ltvTask->setFocus();
    EnableListCommands();
    tellRefused();
}

void InputCommands::tbtnAddDirClick()
{
    const QString folder =
        m_context.chooseFolder
            ? m_context.chooseFolder(m_form, QStringLiteral("Add a directory to the Task List"))
            : QString();
    if (!folder.isEmpty())
        m_adder.AddFolder(folder);
    m_ui.ltvTask->setFocus();
    EnableListCommands();
    tellRefused();
}

void InputCommands::drop(const QList<QUrl>& urls)
{
    if (!m_ui.ltvTask->isEnabled())
        return;
    QStringList paths;
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    addPaths(paths);
}

void InputCommands::addPaths(const QStringList& paths, const QList<RefusedInput>& refused)
{
    m_adder.AddPaths(paths);
    EnableListCommands();
    tellRefused(refused);
}

namespace {
QList<RefusedInput> unreadableArguments(const QStringList& names)
{
    QList<RefusedInput> refused;
    for (const QString& name : names)
        refused.append({name, Refusal::NameNotText});
    return refused;
}
} // namespace

void InputCommands::handOver(const QString& currentFolder, const QStringList& arguments,
                             const QStringList& unreadable)
{
    QList<RefusedInput> refused = unreadableArguments(unreadable);
    m_handedOver += CommandLinePaths(arguments, currentFolder, &refused);
    if (m_ui.ltvTask->isEnabled())
        addPaths(std::exchange(m_handedOver, {}), refused);
    else
        tellRefused(refused);
}

bool InputCommands::eventFilter(QObject* watched, QEvent* event)
{
    // The run has ended: what was handed over meanwhile joins the list.
    if (watched == m_ui.ltvTask && event->type() == QEvent::EnabledChange &&
        m_ui.ltvTask->isEnabled() && !m_handedOver.isEmpty())
        QTimer::singleShot(0, this, [this] {
            if (m_ui.ltvTask->isEnabled() && !m_handedOver.isEmpty())
                addPaths(std::exchange(m_handedOver, {}));
        });
    return QObject::eventFilter(watched, event);
}

void InputCommands::AddCommandLineInputs(const QStringList& arguments,
                                         const QStringList& unreadable)
{
    const QString folder = QDir::currentPath();
    const auto add = [this, unreadable](const TaskAdder::LookedPaths& looked) {
        m_adder.AddLooked(looked);
        EnableListCommands();
        tellRefused(unreadableArguments(unreadable));
    };
    if (!NamesListFile(arguments)) {
        add(TaskAdder::LookAtCommandLine(arguments, folder));
        return;
    }
    m_looking = std::async(std::launch::async, [this, arguments, folder, add] {
        TaskAdder::LookedPaths looked = TaskAdder::LookAtCommandLine(arguments, folder);
        QMetaObject::invokeMethod(
            this,
            [this, add] {
                add(m_looking.get());
                // A Start that waited for the list and found no file in it to read goes on.
                if (!reading())
                    emit readingFinished();
            },
            Qt::QueuedConnection);
        return looked;
    });
}

void InputCommands::restore(const QList<TaskRecord>& tasks)
{
    // One row per file, as adding keeps it: a hand-edited file may name one twice.
    QList<TaskRecord> fresh;
    QSet<QString> seen;
    for (const TaskRecord& task : tasks) {
        if (m_rows.indexOf(task.inputPath) >= 0 || seen.contains(task.inputPath))
            continue;
        seen.insert(task.inputPath);
        fresh << task;
    }
    if (fresh.isEmpty())
        return;
    m_ui.taskModel->append(fresh);
    m_ui.panbg->hide();
    EnableListCommands();
    for (const TaskRecord& task : fresh) {
        if (task.length.isEmpty())
            m_adder.Probe(task.inputPath);
    }
    showProgress();
}

void InputCommands::tellRefused(QList<RefusedInput> refusals)
{
    // The end of every road: the count of files to read is shown as it now is.
    showProgress();
    // A path that names nothing, or a file of another type, is passed over without a word, as
    // the open dialog would not have offered it.
    refusals += m_adder.takeRefused();
    QStringList refused;
    QStringList unreadable;
    for (const RefusedInput& refusal : std::as_const(refusals)) {
        if (refusal.why == Refusal::NotRegularFile)
            refused << refusal.path;
        else if (refusal.why == Refusal::NameNotText)
            unreadable << refusal.path;
    }
    QStringList parts;
    if (!refused.isEmpty()) {
        constexpr int Named = 5;
        QStringList named;
        for (const QString& path : refused.mid(0, Named))
            named << QDir::toNativeSeparators(path);
        QString text = QStringLiteral("These items are not regular files (a pipe, a device or "
                                      "a socket) and cannot be converted:\n%1")
                           .arg(named.join(QLatin1Char('\n')));
        if (refused.size() > Named)
            text += QStringLiteral("\nand %1 more.").arg(refused.size() - Named);
        parts << text;
    }
    // Said once for the whole road, with one example: such names come in whole folders.
    if (!unreadable.isEmpty())
        parts << QStringLiteral("%1 file(s) left out: their names are not valid UTF-8 text, so "
                                "they cannot be opened by name. For example:\n%2")
                     .arg(unreadable.size())
                     .arg(unreadable.first());
    if (!parts.isEmpty())
        ShowNotice(m_form, QStringLiteral("Framewright"), parts.join(QStringLiteral("\n\n")),
                   QMessageBox::Information);
}

void InputCommands::EnableListCommands()
{
    if (m_rows.rowCount() == 0)
        return;
    for (QToolButton* button : m_ui.listCommands())
        button->setEnabled(true);
}

bool InputCommands::reading() const
{
    return m_probes.pending() > 0 || m_looking.valid();
}

void InputCommands::abandon()
{
    m_probes.cancel();
}

void InputCommands::probed(const QString& path, const MediaProbe::Facts& facts)
{
    ++m_read;
    const int row = m_adder.Apply(path, facts);
    // The Output panel shows this task with its times missing until now.
    if (row >= 0 && row == m_hooks.currentTask())
        m_hooks.showCurrentTask();
    showProgressSoon();
}

void InputCommands::setStartWaiting(bool waiting)
{
    m_startWaiting = waiting;
    showProgress();
}

void InputCommands::showProgressSoon()
{
    if (!m_paced.isActive())
        m_paced.start();
}

void InputCommands::showProgress()
{
    m_paced.stop();
    if (!m_reportShown) {
        m_ui.Memo1->setPlainText(m_lastReport);
        m_reportShown = true;
    }
    const bool busy = m_asked > 0;
    m_ui.labReading->setVisible(busy);
    if (!busy)
        return;
    QString text = QStringLiteral("Reading files: %1 of %2").arg(m_read).arg(m_asked);
    if (m_startWaiting)
        text += QStringLiteral(". Converting starts when all are read.");
    // A wrapped label measures itself again for every new text.
    if (text != m_ui.labReading->text())
        m_ui.labReading->setText(text);
}

void InputCommands::encoderFailed(const QString& reason)
{
    if (m_toldEncoderFailed)
        return;
    m_toldEncoderFailed = true; // once: every further file would say the same
    ShowError(m_form, QStringLiteral("The encoder \"%1\" cannot be started (%2). Files are added "
                                     "without their length and size.")
                          .arg(QDir::toNativeSeparators(m_encoderPath), reason));
}

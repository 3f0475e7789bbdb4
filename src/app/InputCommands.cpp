#include "InputCommands.h"

#include "AppContext.h"
#include "ErrorReport.h"
#include "GettingStartedPanel.h"
#include "TMainFormUi.h"
#include "tasks/InputTypes.h"

#include <QCoreApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QStandardItemModel>
#include <QToolButton>
#include <QTreeView>

InputCommands::InputCommands(QWidget* form, const TMainFormUi& ui, const AppContext& context,
                             const QString& encoderPath, Hooks hooks)
    : QObject(form), m_form(form), m_ui(ui), m_context(context), m_hooks(std::move(hooks)),
      m_filter(QtNameFilters(OpenDialogFilter(InputExtensions())).join(QStringLiteral(";;"))),
      m_rows(ui.taskModel),
      m_probe(encoderPath, [this](const QString& text) { m_ui.Memo1->setPlainText(text); }),
      m_adder(m_rows, m_probe, InputExtensions(),
              {[this] { return m_hooks.outputExt(); }, [this] { m_ui.panbg->hide(); },
               [this] {
                   QCoreApplication::processEvents();
                   return !m_abandoned;
               },
               [this, encoderPath](const QString& reason) { encoderFailed(encoderPath, reason); }})
{}

void InputCommands::abandon()
{
    m_abandoned = true;
}

void InputCommands::encoderFailed(const QString& encoderPath, const QString& reason)
{
    if (m_toldEncoderFailed)
        return;
    m_toldEncoderFailed = true; // once: every further file would say the same
    ShowError(m_form, QStringLiteral("The encoder \"%1\" cannot be started (%2). Files are added "
                                     "without their length and size.")
                          .arg(QDir::toNativeSeparators(encoderPath), reason));
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
}

void InputCommands::drop(const QList<QUrl>& urls)
{
    if (!m_ui.ltvTask->isEnabled())
        return;
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            m_adder.AddPath(url.toLocalFile());
    }
    EnableListCommands();
}

void InputCommands::AddCommandLineInputs(const QStringList& arguments)
{
    m_adder.AddCommandLine(arguments);
    EnableListCommands();
}

void InputCommands::EnableListCommands()
{
    if (m_rows.rowCount() == 0)
        return;
    for (QToolButton* button :
         {m_ui.tbtnUp, m_ui.tbtnDown, m_ui.tbtnRemove, m_ui.tbtnClear, m_ui.tbtnStart})
        button->setEnabled(true);
}

#include "WindowAccess.h"

#include "ImageButton.h"
#include "SplitterBar.h"
#include "TMainFormUi.h"
#include "engine/BatchRun.h"
#include "engine/TaskModel.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/ValueListEditor.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSlider>
#include <QToolButton>
#include <QTreeView>

namespace {
// A key that clicks the button while the window is active; a disabled button ignores it.
void clickOn(QWidget* form, const QKeySequence& keys, QAbstractButton* button)
{
    auto* shortcut = new QShortcut(keys, form);
    QObject::connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
}

QString withKeys(const QString& hint, const QKeySequence& keys)
{
    return keys.isEmpty() ? hint
                          : hint + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) +
                                QLatin1Char(')');
}
} // namespace

WindowAccess::WindowAccess(QWidget* form, const TMainFormUi& ui, const BatchRun& run)
    : QObject(form), m_form(form), m_ui(ui)
{
    setTabOrder();
    setNames();
    setListKeys();
    connect(&run, &BatchRun::taskStarted, this, &WindowAccess::tellStatus);
    connect(&run, &BatchRun::taskEnded, this, [this](int row) { tellStatus(row); });
}

void WindowAccess::SetHints()
{
    enum Reach { Nowhere, InWindow, InList };
    struct Command
    {
        ImageButton* image;
        const char* name;
        QKeySequence keys;
        Reach reach;    // where the key works: the list's keys are the list's own
        QAction* entry; // the popup menu's, which shows the key too; none when missing
    };
    const QKeySequence startStop(Qt::CTRL | Qt::Key_Return);
    // Settings has its button's Alt+S.
    const Command commands[] = {
        {m_ui.ibtnAddFile, "Add File", QKeySequence(Qt::CTRL | Qt::Key_O), InWindow,
         m_ui.mniAddFiles},
        {m_ui.ibtnAddDir, "Add Directory", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), InWindow,
         m_ui.mniAddDir},
        {m_ui.ibtnRemove, "Remove", QKeySequence(Qt::Key_Delete), InList, m_ui.mniRemove},
        {m_ui.ibtnClear, "Clear", QKeySequence(Qt::Key_Backspace), InList, m_ui.mniClear},
        {m_ui.ibtnSetting, "Settings", QKeySequence(), Nowhere, nullptr},
        {m_ui.ibtnAbout, "About", QKeySequence(), Nowhere, nullptr},
        {m_ui.ibtnHelp, "Help", QKeySequence(Qt::Key_F1), InWindow, nullptr},
        {m_ui.imgStart, "Start", startStop, Nowhere, nullptr},
        {m_ui.imgStop, "Stop", startStop, Nowhere, nullptr}};
    for (const Command& command : commands) {
        command.image->setAccessibleName(QLatin1String(command.name));
        command.image->setToolTip(withKeys(QLatin1String(command.name), command.keys));
        if (command.reach == InWindow)
            clickOn(m_form, command.keys, command.image);
        // While the menu is open its keys run its entries.
        if (command.entry) {
            command.entry->setShortcut(command.keys);
            command.entry->setShortcutContext(Qt::WidgetShortcut);
        }
    }
    // One key for both: Start shows while nothing converts, Stop while a run does.
    for (const QKeySequence& keys : {startStop, QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(keys, m_form);
        connect(shortcut, &QShortcut::activated, this,
                [this] { (m_ui.imgStop->isVisible() ? m_ui.imgStop : m_ui.imgStart)->click(); });
    }
}

void WindowAccess::setTabOrder()
{
    QList<QWidget*> chain = {m_ui.ltvTask,   m_ui.ibtnAddFile, m_ui.ibtnAddDir, m_ui.ibtnRemove,
                             m_ui.ibtnClear, m_ui.ibtnSetting, m_ui.ibtnAbout,  m_ui.ibtnHelp,
                             m_ui.TrackBar,  m_ui.sbtnPlay,    m_ui.sbtnPause,  m_ui.sbtnStop};
    for (int panel = ParameterPanels::Output; panel <= ParameterPanels::Advanced; ++panel)
        chain << m_ui.panels->button(panel) << m_ui.panels->grid(panel);
    chain << m_ui.cmbProfile << m_ui.bbtnSetting << m_ui.edtOutputdir << m_ui.bbtnBrowser
          << m_ui.bbtnOpen << m_ui.imgStart << m_ui.imgStop;
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    // The area only holds the parameters; a stop of its own would read nothing.
    m_ui.scbParameters->setFocusPolicy(Qt::NoFocus);
}

void WindowAccess::setNames()
{
    m_ui.ltvTask->setAccessibleName(QStringLiteral("Tasks"));
    m_ui.labProfile->setBuddy(m_ui.cmbProfile);
    m_ui.labOutputPath->setBuddy(m_ui.edtOutputdir);
    m_ui.TrackBar->setAccessibleName(QStringLiteral("Preview position"));
    for (QPushButton* button : {m_ui.sbtnPlay, m_ui.sbtnPause, m_ui.sbtnStop})
        button->setAccessibleName(button->toolTip());
    m_ui.sbtnStop->setAccessibleDescription(QStringLiteral("Stops the preview"));
    m_ui.imgStop->setAccessibleDescription(QStringLiteral("Stops converting"));
    m_ui.pgbCurrent->setAccessibleName(QStringLiteral("Current Progress"));
    m_ui.pgbTotal->setAccessibleName(QStringLiteral("Total Progress"));
    m_ui.panSplitter->setAccessibleName(QStringLiteral("Divider"));
    m_ui.panSplitter->setAccessibleDescription(
        QStringLiteral("Drag to share the width between the task list and the parameters"));
}

void WindowAccess::setListKeys()
{
    const std::pair<QKeySequence, QToolButton*> moves[] = {
        {QKeySequence(Qt::ALT | Qt::Key_Up), m_ui.tbtnUp},
        {QKeySequence(Qt::ALT | Qt::Key_Down), m_ui.tbtnDown}};
    for (const auto& [keys, button] : moves) {
        auto* shortcut = new QShortcut(keys, m_ui.ltvTask, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
    }
}

void WindowAccess::tellStatus(int row)
{
    // The list tells a reader nothing of a cell's new text by itself: a task's new status is
    // told as a new name of its Status cell, which a reader hears of as of any control's.
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(m_ui.ltvTask);
    QAccessibleTableInterface* table = list ? list->tableInterface() : nullptr;
    if (QAccessibleInterface* cell = table ? table->cellAt(row, TaskModel::StatusColumn) : nullptr) {
        QAccessibleEvent event(cell, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

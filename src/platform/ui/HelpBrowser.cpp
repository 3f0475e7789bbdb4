#include "HelpBrowser.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("Framewright Help");
}

HelpBrowser::HelpBrowser(const QString& contentsPage, QWidget* parent)
    : QWidget(parent, Qt::Window), m_contents(contentsPage)
{
    setObjectName(QStringLiteral("HelpBrowser"));
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* back =
        new QAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"), this);
    back->setShortcut(QKeySequence::Back);
    auto* forward = new QAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                QStringLiteral("Forward"), this);
    forward->setShortcut(QKeySequence::Forward);
    auto* contents = new QAction(style()->standardIcon(QStyle::SP_DirHomeIcon),
                                 QStringLiteral("Contents"), this);
    contents->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    auto* close = new QAction(this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    for (QAction* action : {back, forward, contents, close})
        action->setShortcutContext(Qt::WindowShortcut);
    addAction(close);

    brwPage = new QTextBrowser(this);
    brwPage->setObjectName(QStringLiteral("brwPage"));
    brwPage->setAccessibleName(QStringLiteral("Help page"));
    brwPage->setOpenExternalLinks(true);
    // The pages name their style sheet the way browsers read it, without the type this view
    // needs; it is taken in here instead.
    QFile css(QFileInfo(contentsPage).dir().filePath(QStringLiteral("style.css")));
    if (css.open(QIODevice::ReadOnly))
        brwPage->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
    tbtnBack = button(back);
    tbtnBack->setObjectName(QStringLiteral("tbtnBack"));
    tbtnForward = button(forward);
    tbtnForward->setObjectName(QStringLiteral("tbtnForward"));
    tbtnContents = button(contents);
    tbtnContents->setObjectName(QStringLiteral("tbtnContents"));
    back->setEnabled(false);
    forward->setEnabled(false);

    connect(back, &QAction::triggered, brwPage, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, brwPage, &QTextBrowser::forward);
    connect(contents, &QAction::triggered, this, &HelpBrowser::showContents);
    connect(close, &QAction::triggered, this, &QWidget::close);
    connect(brwPage, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(brwPage, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(brwPage, &QTextBrowser::sourceChanged, this, &HelpBrowser::pageChanged);

    auto* bar = new QHBoxLayout;
    for (QToolButton* tool : {tbtnBack, tbtnForward, tbtnContents})
        bar->addWidget(tool);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(brwPage, 1);
    setTabOrder(tbtnContents, brwPage);
    resize(760, 600);
}

QToolButton* HelpBrowser::button(QAction* action)
{
    auto* tool = new QToolButton(this);
    tool->setDefaultAction(action);
    tool->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tool->setAutoRaise(true);
    tool->setAccessibleName(action->text());
    action->setToolTip(QStringLiteral("%1 (%2)").arg(
        action->text(), action->shortcut().toString(QKeySequence::NativeText)));
    return tool;
}

void HelpBrowser::showContents()
{
    const QUrl page = QUrl::fromLocalFile(m_contents);
    if (!QFileInfo(m_contents).isFile()) {
        brwPage->setPlainText(
            QStringLiteral("The help pages are not installed: %1 is missing.").arg(m_contents));
    } else if (brwPage->source() != page) {
        brwPage->setSource(page);
    } else {
        brwPage->moveCursor(QTextCursor::Start);
    }
    show();
    raise();
    activateWindow();
    brwPage->setFocus();
}

void HelpBrowser::pageChanged()
{
    const QString title = brwPage->documentTitle();
    setWindowTitle(title.isEmpty() || title == kTitle ? kTitle : title + " \u2013 " + kTitle);
}

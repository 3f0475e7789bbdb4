#pragma once

#include <QWidget>

class QAction;
class QTextBrowser;
class QToolButton;

// The guide's HTML pages in a window of the program's own, in the place of the compiled guide's
// viewer: Back, Forward and Contents (Alt+Left, Alt+Right, Alt+Home), links between pages
// followed in the window, Escape closes it. It needs nothing of the desktop, so Help works
// where no viewer or launcher answers. A window of its own: it stays usable while a dialog locks
// the main window, and does not keep the program running once the main window has closed.
class HelpBrowser final : public QWidget
{
    Q_OBJECT
public:
    explicit HelpBrowser(const QString& contentsPage, QWidget* parent = nullptr);

    // Shows the window, raised, on the contents page.
    void showContents();

    QTextBrowser* brwPage = nullptr;
    QToolButton* tbtnBack = nullptr;
    QToolButton* tbtnForward = nullptr;
    QToolButton* tbtnContents = nullptr;

private:
    QToolButton* button(QAction* action);
    void pageChanged();

    QString m_contents;
};

#pragma once

#include <QObject>

#include <memory>

struct AppContext;
struct TMainFormUi;
class QWidget;
class TAboutForm;
class HelpBrowser;

// The main window's small services: the output folder's Browse and Open, Help and About.
class ShellCommands final : public QObject
{
    Q_OBJECT
public:
    ShellCommands(QWidget* form, const TMainFormUi& ui, const AppContext& context);
    ~ShellCommands() override;

    void setAboutBox(TAboutForm* about) { m_about = about; }

    void bbtnBrowserClick();
    void bbtnOpenClick();
    void tbtnHelpClick();
    void tbtnAboutClick();

private:
    void openHelp(bool chmViewer);

    QWidget* m_form;
    const TMainFormUi& m_ui;
    const AppContext& m_context;
    TAboutForm* m_about = nullptr;
    std::unique_ptr<HelpBrowser> m_help; // made on the first Help that needs it
};

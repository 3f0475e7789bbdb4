#pragma once

#include <QObject>

struct TMainFormUi;
class QWidget;

// The main window's frame rules at work: the bottom strip follows the task area's width and
// the splitter bar resizes the right panel.
class WindowFrame final : public QObject
{
    Q_OBJECT
public:
    WindowFrame(QWidget* form, const TMainFormUi& ui);

    void FormResize();
    void panSplitterMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_form;
    const TMainFormUi& m_ui;
};

#include "Notice.h"

#include <QEvent>
#include <QPointer>

namespace {
// Waits for the window's activation, which restores the window's own focus first.
class FocusOnActivation final : public QObject
{
public:
    explicit FocusOnActivation(QWidget* widget) : QObject(widget->window()), m_widget(widget)
    {
        widget->window()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate) {
            if (m_widget)
                m_widget->setFocus();
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_widget;
};

QMessageBox* openBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                     const QString& text, QMessageBox::StandardButtons buttons,
                     std::function<void(QMessageBox*)> answered)
{
    auto* box = new QMessageBox(icon, caption, text, buttons, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box,
                     [box, answered = std::move(answered)] { answered(box); });
    box->open();
    return box;
}
} // namespace

void ShowNotice(QWidget* owner, const QString& caption, const QString& text, QMessageBox::Icon icon,
                std::function<void()> then)
{
    openBox(owner, icon, caption, text, QMessageBox::Ok, [then = std::move(then)](QMessageBox*) {
        if (then)
            then();
    });
}

QMessageBox* AskQuestion(QWidget* owner, const QString& caption, const QString& text,
                         std::function<void(bool yes)> answered)
{
    QMessageBox* box =
        openBox(owner, QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                [answered = std::move(answered)](QMessageBox* closed) {
                    answered(closed->standardButton(closed->clickedButton()) == QMessageBox::Yes);
                });
    box->setDefaultButton(QMessageBox::No);
    return box;
}

void FocusWhenActive(QWidget* widget)
{
    // Set now as well: a window that is never activated again still has it as its focus.
    widget->setFocus();
    if (!widget->window()->isActiveWindow())
        new FocusOnActivation(widget);
}

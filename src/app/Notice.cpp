#include "Notice.h"

namespace {
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

void AskQuestion(QWidget* owner, const QString& caption, const QString& text,
                 std::function<void(bool yes)> answered)
{
    QMessageBox* box =
        openBox(owner, QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                [answered = std::move(answered)](QMessageBox* closed) {
                    answered(closed->standardButton(closed->clickedButton()) == QMessageBox::Yes);
                });
    box->setDefaultButton(QMessageBox::No);
}

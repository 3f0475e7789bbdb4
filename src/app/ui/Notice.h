#pragma once

#include <QMessageBox>

#include <functional>

// Message boxes that do not hold up the caller: no nested event loop runs. The box is shown
// modal to its owner's window and the continuation runs once it has been answered.

// A box with an OK button; `then` runs when it is closed.
void ShowNotice(QWidget* owner, const QString& caption, const QString& text, QMessageBox::Icon icon,
                std::function<void()> then = {});

// A question with Yes and No (the default); `answered` learns which. The box is returned so
// that a question overtaken by events can be taken back (deleting it answers nothing).
QMessageBox* AskQuestion(QWidget* owner, const QString& caption, const QString& text,
                         std::function<void(bool yes)> answered);

// Gives the widget the keyboard focus once its window is active again, as it becomes when a
// box over it closes; at once when it is active already.
void FocusWhenActive(QWidget* widget);

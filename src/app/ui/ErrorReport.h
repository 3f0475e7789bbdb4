#pragma once

#include <functional>

#include <QString>

class QWidget;

// The application's default error handling: a message box titled "Framewright" with the error
// text. Handlers that can fail run their body through Guarded, so an error skips the rest of the
// handler and the program carries on. The box opens and ShowError returns at once: an error
// raised while a signal is being delivered must not run that delivery again from a nested loop.
void ShowError(QWidget* owner, const QString& text);

bool Guarded(QWidget* owner, const std::function<void()>& body);

#pragma once

#include <stdexcept>

#include <QString>

// An error a handler does not handle itself: the application shows its text in a message box
// titled "Framewright" and skips the rest of the handler.
class FwError final : public std::runtime_error
{
public:
    explicit FwError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

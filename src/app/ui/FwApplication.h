#pragma once

#include <QApplication>

// The last line of the default error handling: an error that escapes an event handler is shown
// instead of ending the program.
class FwApplication final : public QApplication
{
public:
    FwApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

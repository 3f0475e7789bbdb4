#include "FwApplication.h"

#include "ErrorReport.h"
#include "app/Pictures.h"

#include <QFont>
#include <QStyleFactory>

FwApplication::FwApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Framewright"));
    // The desktop groups the windows with the launcher of this name.
    setDesktopFileName(QStringLiteral("framewright"));
    setWindowIcon(Pictures::applicationIcon());
    setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The window is laid out in pixels for a small 11-pixel face.
    QFont face = font();
    face.setPixelSize(11);
    setFont(face);
}

bool FwApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    Guarded(activeWindow(), [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

// A later start of the window, without the window: claims the data folder given first, with the
// patience given second and the remaining arguments as its command line, and prints how that
// went. With "hold" as its patience it claims and then waits for ever, as an open window does.
#include "app/ui/WindowHandOff.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.size() < 2)
        return 2;
    const bool hold = arguments[1] == QLatin1String("hold");
    WindowHandOff handOff(arguments[0]);
    const WindowHandOff::Outcome outcome =
        handOff.claim({QDir::currentPath(), arguments.mid(2), {}}, hold ? 0 : arguments[1].toInt());
    const char* const words[] = {"first", "handed", "alone"};
    std::printf("%s\n", words[outcome]);
    std::fflush(stdout);
    while (hold)
        QThread::sleep(60);
    return 0;
}

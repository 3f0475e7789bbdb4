// The yardsticks for start-up: a plain Qt window of the main window's size, nothing in it; with
// --text, the same window with one line of text, which makes it load the font configuration as
// any window that shows a word must.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(790, 505);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        new QLabel(QStringLiteral("Getting started:"), &window);
    window.show();
    return app.exec();
}

// The yardstick for start-up: a plain Qt window of the main window's size, nothing in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(790, 505);
    window.show();
    return app.exec();
}

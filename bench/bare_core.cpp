// The yardstick for the console program's start: a bare QCoreApplication that prints a line.
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::puts("bare core");
    return 0;
}

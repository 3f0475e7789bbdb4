// Starts the program named by its argument as an encoder and waits for ever: a test kills this
// host to see that the encoder does not outlive it.
#include "platform/EncoderProcess.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    EncoderProcess encoder;
    if (!encoder.launch(QString::fromLocal8Bit(argv[1]), QString()))
        return 1;
    return app.exec();
}

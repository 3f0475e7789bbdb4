// Starts the program named by its second argument as one of the helpers this program runs, the
// first argument telling which, and waits for ever: a test kills this host to see that the
// helper does not outlive it.
#include "engine/ProbeQueue.h"
#include "platform/ChmViewerQuery.h"
#include "platform/EncoderProcess.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QByteArray helper = argv[1];
    const QString program = QString::fromLocal8Bit(argv[2]);
    // None of them is given up on before the test is done.
    constexpr int Patience = 600000;
    EncoderProcess encoder;
    ProbeQueue probes(program, 1, Patience);
    probes.setBackground(true);
    ChmViewerQuery viewer(program, Patience);
    if (helper == "conversion") {
        if (!encoder.launch(program, QString()))
            return 1;
    } else if (helper == "probe") {
        // The program's answer to the capability query tells which form probes the file.
        probes.enqueue(QStringLiteral("/in.avi"));
    } else if (helper == "xdg-mime") {
        viewer.start();
    } else {
        return 2;
    }
    return app.exec();
}

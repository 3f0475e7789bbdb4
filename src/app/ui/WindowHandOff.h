#pragma once

#include <QLockFile>
#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// One window per data folder, whatever the number of starts: the task list kept there has one
// owner. The first window started on a data folder holds its lock and listens; a later start
// hands its command line to that window and ends. Windows of other data folders (another
// install, tests side by side) never meet.
class WindowHandOff final : public QObject
{
    Q_OBJECT
public:
    enum Outcome {
        First,     // this window owns the data folder's list
        HandedOff, // the window that owns it took the command line: this start ends
        Alone      // that window did not answer: this one must not save the list
    };
    // A command line as its start saw it: relative names are read in its current folder.
    struct CommandLine
    {
        QString currentFolder;
        QStringList arguments;
        QStringList unreadable; // arguments that were no valid text, escaped
    };

    explicit WindowHandOff(const QString& dataFolder, QObject* parent = nullptr);
    ~WindowHandOff() override;

    // Becomes the data folder's first window, or hands the command line to the window that is,
    // trying again until `patienceMs` have passed (a window that is closing lets go meanwhile).
    Outcome claim(const CommandLine& line, int patienceMs = 5000);
    // The window is closing: what arrives from now on is not taken, so that its sender tries
    // again and becomes the first window once this one has ended.
    void close();

signals:
    // A later start's command line. Its sender ends once the handlers have returned, so a
    // list file it names must be read by then.
    void handedOver(const WindowHandOff::CommandLine& line);

private:
    bool handTo(const CommandLine& line, int waitMs) const;
    void listen();
    void receive(QLocalSocket* socket);

    QString m_serverName;
    QLockFile m_lock;
    QLocalServer* m_server = nullptr;
};

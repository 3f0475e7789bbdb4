#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QProcess;

// One long-lived reader of inputs: the encoder front in its list form, fed one path at a time,
// which reads each file in its own process without starting a new one. A reader that dies, or
// spends longer than the limit on one file, is ended; that file is told with an empty report
// and the reader starts afresh with the next file it is fed.
class ProbeReader final : public QObject
{
    Q_OBJECT
public:
    // The line the front writes after each report.
    static const QByteArray ReportEnd;

    ProbeReader(const QString& encoderPath, int limitMs, bool background,
                QObject* parent = nullptr);
    ~ProbeReader() override; // ends the reader

    // Whether a file is being read; then path() names it.
    bool busy() const { return !m_path.isEmpty(); }
    const QString& path() const { return m_path; }

    // Reads the file; not while busy. A path holding a line break cannot be fed.
    void read(const QString& path);
    // Ends the reader at once: nothing is told of the file it was reading.
    void stop();

signals:
    // The file's report as the one-file form writes it; empty when the reader failed on it.
    void reported(const QString& path, const QByteArray& report);
    void failedToStart(const QString& reason);

private:
    bool launch();
    void take();
    void lost();
    void endProcess();
    void tell(const QByteArray& report);

    QString m_encoderPath;
    bool m_background;
    QProcess* m_process = nullptr;
    QByteArray m_output;
    QString m_path;
    QTimer m_limit;
};

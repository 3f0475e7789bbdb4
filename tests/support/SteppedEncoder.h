#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A fake encoder whose output the test hands over piece by piece. Every start of the program
// is a run, numbered from 1; a run writes each piece in one write, in order, as soon as the
// test sends it, and ends when told to. What a run was started with is kept for the test.
// With endAtOnce set, every run ends at once with that status after writing `output`.
class SteppedEncoder final
{
public:
    explicit SteppedEncoder(const QString& folder, const QString& name = "stepped");

    QString program() const { return m_program; }

    void send(int run, const QByteArray& bytes);
    void exit(int run, int status);
    void endAtOnce(int status, const QByteArray& output = QByteArray());

    int runs() const;                     // how many runs have started
    qint64 pid(int run) const;            // 0 until the run has started
    QStringList arguments(int run) const; // its arguments, once started

private:
    void step(int run, const QString& kind, const QByteArray& bytes);

    QString m_folder;
    QString m_program;
    QList<int> m_steps; // steps handed to each run so far
};

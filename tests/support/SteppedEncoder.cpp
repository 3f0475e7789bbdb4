#include "SteppedEncoder.h"

#include "FakeEncoder.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>

SteppedEncoder::SteppedEncoder(const QString& folder, const QString& name) : m_folder(folder)
{
    const QByteArray d = QFile::encodeName(folder);
    // A run claims its number by creating a folder, which only one run can do. The arguments are
    // in place before the pid file appears. Pieces are files renamed into place whole.
    m_program = WriteFakeEncoder(
        folder, name,
        "d='" + d +
            "'\n"
            "n=1\n"
            "while ! mkdir \"$d/run$n\" 2>/dev/null; do n=$((n+1)); done\n"
            "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$d/run$n/args\"\n"
            "echo $$ > \"$d/run$n/pid.tmp\"; mv \"$d/run$n/pid.tmp\" \"$d/run$n/pid\"\n"
            "if [ -e \"$d/auto\" ]; then\n"
            "  cat \"$d/auto.out\"; exit \"$(cat \"$d/auto\")\"\n"
            "fi\n"
            "i=1\n"
            "while :; do\n"
            "  if [ -e \"$d/$n.$i.out\" ]; then cat \"$d/$n.$i.out\"; i=$((i+1))\n"
            "  elif [ -e \"$d/$n.$i.exit\" ]; then exit \"$(cat \"$d/$n.$i.exit\")\"\n"
            "  else sleep 0.005; fi\n"
            "done");
}

void SteppedEncoder::step(int run, const QString& kind, const QByteArray& bytes)
{
    while (m_steps.size() < run)
        m_steps.append(0);
    const int number = ++m_steps[run - 1];
    const QString path = QStringLiteral("%1/%2.%3.%4").arg(m_folder).arg(run).arg(number).arg(kind);
    WriteFile(path + QStringLiteral(".tmp"), bytes);
    QFile::rename(path + QStringLiteral(".tmp"), path);
}

void SteppedEncoder::send(int run, const QByteArray& bytes)
{
    step(run, QStringLiteral("out"), bytes);
}

void SteppedEncoder::exit(int run, int status)
{
    step(run, QStringLiteral("exit"), QByteArray::number(status));
}

void SteppedEncoder::endAtOnce(int status, const QByteArray& output)
{
    WriteFile(m_folder + QStringLiteral("/auto.out"), output);
    WriteFile(m_folder + QStringLiteral("/auto"), QByteArray::number(status));
}

int SteppedEncoder::runs() const
{
    int run = 0;
    while (QFile::exists(QStringLiteral("%1/run%2/pid").arg(m_folder).arg(run + 1)))
        ++run;
    return run;
}

qint64 SteppedEncoder::pid(int run) const
{
    QFile file(QStringLiteral("%1/run%2/pid").arg(m_folder).arg(run));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

QStringList SteppedEncoder::arguments(int run) const
{
    if (pid(run) == 0)
        return {};
    QString text =
        QString::fromUtf8(ReadFile(QStringLiteral("%1/run%2/args").arg(m_folder).arg(run)));
    text.chop(1);
    return text.split(QLatin1Char('\n'));
}

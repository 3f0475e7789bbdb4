#pragma once

#include <QByteArray>
#include <QList>

// The two argument shapes the window uses, told apart from anything else.
struct CommandLine
{
    enum class Form { Usage, Probe, Convert };

    Form form = Form::Usage;
    // The input path exactly as received (raw bytes, so the report can echo it).
    QByteArray input;
    // Every received argument, in order; a conversion hands them to ffmpeg unchanged.
    QList<QByteArray> arguments;

    static CommandLine parse(const QList<QByteArray>& arguments);
    static QByteArray usage();
};

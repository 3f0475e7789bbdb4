// The encoder front wmaspi.dll: its text shaping on its own, then the built program on
// clips made with ffmpeg's lavfi sources.
#include "ExpectedLength.h"
#include "FakeEncoder.h"
#include "InputFacts.h"
#include "Libav.h"
#include "MessageFilter.h"
#include "MessageWatch.h"
#include "OutputCheck.h"
#include "ProbeReport.h"
#include "ProgressLine.h"
#include "ProgressTranslator.h"
#include "TestFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdint>
#include <optional>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The text shaping works on standard strings; the checks speak Qt.
std::string_view view(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

const QByteArray WritesOutput = "cp \"$CLIP\" \"$last\"\n";

struct Run
{
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QByteArray output;
};

QString encoder()
{
    return qEnvironmentVariable("FW_ENCODER");
}

Run runFront(const QStringList& arguments,
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
             const QString& workingDirectory = {})
{
    QProcess front;
    front.setProcessChannelMode(QProcess::MergedChannels);
    front.setProcessEnvironment(environment);
    front.setWorkingDirectory(workingDirectory);
    front.start(encoder(), arguments);
    if (!front.waitForFinished(60000))
        front.kill();
    front.waitForFinished();
    return {front.exitCode(), front.exitStatus(), front.readAll()};
}

// The window's reading of a probe report: the text after the path, "Duration" and ": "
// up to ","; then after "Video" the third comma-separated item.
struct WindowReading
{
    QByteArray duration;
    QByteArray frameSize;
};

std::optional<WindowReading> readAsWindow(const QByteArray& output, const QByteArray& path)
{
    const qsizetype at = output.indexOf(path);
    if (at < 0)
        return std::nullopt;
    QByteArray rest = output.mid(at + path.size());
    const qsizetype duration = rest.indexOf("Duration: ");
    if (duration < 0)
        return std::nullopt;
    rest = rest.mid(duration + 10);
    WindowReading reading;
    reading.duration = rest.left(rest.indexOf(','));
    const qsizetype video = rest.indexOf("Video");
    if (video < 0)
        return reading;
    const QByteArrayList items = rest.mid(video).split(',');
    if (items.size() > 3)
        reading.frameSize = items[2];
    return reading;
}

double clockSeconds(const QByteArray& text)
{
    const QByteArrayList parts = text.split(':');
    if (parts.size() != 3)
        return -1;
    return parts[0].toDouble() * 3600 + parts[1].toDouble() * 60 + parts[2].toDouble();
}

// The values of the front's own progress texts, each a line "time=<seconds> ".
QList<double> progressValues(const QByteArray& output, bool* allNumbers)
{
    static const QRegularExpression text(QStringLiteral("^time=(\\S*) $"),
                                         QRegularExpression::MultilineOption);
    QList<double> values;
    *allNumbers = true;
    for (const QRegularExpressionMatch& match : text.globalMatch(QString::fromUtf8(output))) {
        bool ok = false;
        values << match.captured(1).toDouble(&ok);
        *allNumbers = *allNumbers && ok;
    }
    return values;
}

bool nonDecreasing(const QList<double>& values)
{
    return std::is_sorted(values.begin(), values.end());
}

// ffmpeg processes whose command line mentions `mention`; a zombie has no command line.
QList<qint64> ffmpegsMentioning(const QByteArray& mention)
{
    QList<qint64> found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        QFile file(QStringLiteral("/proc/") + entry + QStringLiteral("/cmdline"));
        if (!ok || !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArrayList argv = file.readAll().split('\0');
        if (argv.first().endsWith("ffmpeg") && argv.join(' ').contains(mention))
            found << pid;
    }
    return found;
}

QByteArray checksum(const QString& file)
{
    return QCryptographicHash::hash(ReadFile(file), QCryptographicHash::Sha256).toHex();
}

// Reads the front's output until its first progress text, so that ffmpeg is under way.
QByteArray readUntilProgress(QProcess& front)
{
    QByteArray output;
    QElapsedTimer clock;
    clock.start();
    while (!output.contains("time=") && clock.elapsed() < 20000) {
        front.waitForReadyRead(100);
        output += front.readAll();
    }
    return output;
}

QStringList hiddenFiles(const QString& folder)
{
    return QDir(folder).entryList({".*"}, QDir::Files | QDir::Hidden);
}

using Stream = InputFacts::Stream;

InputFacts input(const char* format, std::optional<std::int64_t> duration,
                 std::optional<std::int64_t> start = std::nullopt, std::int64_t bitRate = 0)
{
    InputFacts facts;
    facts.formatName = format;
    facts.duration = duration;
    facts.start = start;
    facts.bitRate = bitRate;
    return facts;
}

Stream video(int index, const char* codec, const char* pixelFormat, int width, int height,
             double averageRate, double baseRate = 0)
{
    Stream stream;
    stream.index = index;
    stream.kind = Stream::Kind::Video;
    stream.codec = codec;
    stream.pixelFormat = pixelFormat;
    stream.width = width;
    stream.height = height;
    stream.averageFrameRate = averageRate;
    stream.baseFrameRate = baseRate;
    return stream;
}

Stream audio(int index, const char* codec, int sampleRate, const char* layout, int channels,
             std::int64_t bitRate = 0)
{
    Stream stream;
    stream.index = index;
    stream.kind = Stream::Kind::Audio;
    stream.codec = codec;
    stream.sampleRate = sampleRate;
    stream.channelLayout = layout;
    stream.channels = channels;
    stream.bitRate = bitRate;
    return stream;
}

Stream other(int index, Stream::Kind kind, const char* codec)
{
    Stream stream;
    stream.index = index;
    stream.kind = kind;
    stream.codec = codec;
    return stream;
}

InputFacts with(InputFacts facts, const std::vector<Stream>& streams)
{
    facts.streams = streams;
    return facts;
}

} // namespace

Q_DECLARE_METATYPE(InputFacts)

class TestEncoder final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void report_data();
    void report();
    void reportFitsOneRead();
    void durationText_data();
    void durationText();
    void startText_data();
    void startText();
    void progressSeconds_data();
    void progressSeconds();
    void progressTranslator();
    void restateTimes_data();
    void restateTimes();
    void messageFilterHoldsPartialLines();
    void inputLength_data();
    void inputLength();
    void expectedLength_data();
    void expectedLength();
    void verdict_data();
    void verdict();
    void vouched_data();
    void vouched();

    void usage_data();
    void usage();
    void loadsNeitherQtNorLibav();
    void probeContainer_data();
    void probeContainer();
    void probeCoverArt();
    void probeOddPath_data();
    void probeOddPath();
    void probeUnreadable_data();
    void probeUnreadable();
    void probeWithoutLibraries();
    void convert_data();
    void convert();
    void progressEveryHalfSecond();
    void failure_data();
    void failure();
    void commandReachesFfmpeg();
    void ffmpegOutcome_data();
    void ffmpegOutcome();
    void heartbeatWhileFfmpegIsSilent();
    void noOrphan_data();
    void noOrphan();
    void keepsExistingOutput_data();
    void keepsExistingOutput();
    void sweepsUnheldLeftovers_data();
    void sweepsUnheldLeftovers();
    void refusesSpecialInput_data();
    void refusesSpecialInput();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QProcessEnvironment withFakeFfmpeg(const QByteArray& body);

    QTemporaryDir m_dir;
    QString m_clip;     // 2 s, mpeg4/mp3 in avi
    QString m_longClip; // 10 s, same codecs
    int m_fakes = 0;
    int m_folders = 0;
};

// A shell script named ffmpeg first on the path, for exact control over what the front
// receives and when. A good output is a copy of the clip.
QProcessEnvironment TestEncoder::withFakeFfmpeg(const QByteArray& body)
{
    const QString folder = path(QString("fake-%1").arg(++m_fakes));
    QDir().mkpath(folder);
    // $last: the file the front has ffmpeg write.
    WriteFakeEncoder(folder, "ffmpeg", "for last; do :; done\n" + body);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", folder + ":" + environment.value("PATH"));
    environment.insert("CLIP", m_clip);
    return environment;
}

void TestEncoder::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo(encoder()).isExecutable(), qPrintable("FW_ENCODER: " + encoder()));
    m_clip = path("clip.avi");
    m_longClip = path("long.avi");
    const QStringList codecs{"-c:v", "mpeg4", "-c:a", "libmp3lame"};
    QVERIFY(MakeClip(m_clip, 2, "320x240", codecs));
    QVERIFY(MakeClip(m_longClip, 10, "320x240", codecs));
}

void TestEncoder::report_data()
{
    QTest::addColumn<InputFacts>("facts");
    QTest::addColumn<QByteArrayList>("present");
    QTest::addColumn<QByteArrayList>("absent");

    QTest::newRow("video and audio")
        << with(input("avi", 5040000, 0, 407000), {video(0, "mpeg4", "yuv420p", 320, 240, 25, 25),
                                                   audio(1, "mp3", 44100, "stereo", 2, 128000)})
        << QByteArrayList{"Input #0, avi, from '/v/a.avi':\n"
                          "  Duration: 00:00:05.04, start: 0.000000, bitrate: 407 kb/s\n"
                          "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25.00 fps\n"
                          "    Stream #0.1: Audio: mp3, 44100 Hz, stereo, 128 kb/s\n"}
        << QByteArrayList{};
    QTest::newRow("unknown duration, start and bitrate")
        << with(input("mpeg", std::nullopt), {video(0, "mpeg2video", "yuv420p", 720, 576, 0, 25)})
        << QByteArrayList{"  Duration: N/A, bitrate: N/A\n",
                          "Video: mpeg2video, yuv420p, 720x576, 25.00 fps\n"}
        << QByteArrayList{"start:"};
    QTest::newRow("fractional rate, no rate at all")
        << with(input("mov,mp4,m4a,3gp,3g2,mj2", 1000000),
                {video(0, "h264", "yuv420p", 640, 480, 30000.0 / 1001, 60),
                 video(1, "png", "", 16, 16, 0)})
        << QByteArrayList{"Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '/v/a.avi':",
                          "Stream #0.0: Video: h264, yuv420p, 640x480, 29.97 fps\n",
                          "Stream #0.1: Video: png, none, 16x16, N/A fps\n"}
        << QByteArrayList{};
    Stream cover = video(1, "mjpeg", "yuvj420p", 500, 500, 0, 90000);
    cover.attachedPicture = true;
    QTest::newRow("audio with cover art has no Video line")
        << with(input("mp3", 3500000), {audio(0, "mp3", 48000, "", 6), cover})
        << QByteArrayList{"Audio: mp3, 48000 Hz, 6 channels\n", "Stream #0.1: Attachment: mjpeg\n"}
        << QByteArrayList{"Video"};
    QTest::newRow("other kinds keep their codec only")
        << with(input("matroska,webm", 2000000),
                {audio(0, "", 0, "", 0), other(1, Stream::Kind::Subtitle, "subrip"),
                 other(2, Stream::Kind::Attachment, "ttf"), other(3, Stream::Kind::Data, "")})
        << QByteArrayList{"Stream #0.0: Audio: none\n", "Stream #0.1: Subtitle: subrip\n",
                          "Stream #0.2: Attachment: ttf\n", "Stream #0.3: Data: none\n"}
        << QByteArrayList{"Video", "Hz", "kb/s\n"};
    QTest::newRow("no format name, no streams")
        << input("", 0, 0)
        << QByteArrayList{"Input #0, unknown, from '/v/a.avi':\n"
                          "  Duration: 00:00:00.00, start: 0.000000, bitrate: N/A\n"}
        << QByteArrayList{"Stream"};
}

void TestEncoder::report()
{
    QFETCH(InputFacts, facts);
    QFETCH(QByteArrayList, present);
    QFETCH(QByteArrayList, absent);

    const QByteArray report = bytes(ProbeReport::text(facts, "/v/a.avi"));
    for (const QByteArray& text : present)
        QVERIFY2(report.contains(text), report.constData());
    for (const QByteArray& text : absent)
        QVERIFY2(!report.contains(text), report.constData());
}

void TestEncoder::reportFitsOneRead()
{
    // A disc image with a hundred audio tracks ahead of its video.
    InputFacts disc = input("mpeg", 60000000);
    for (int i = 0; i < 100; ++i)
        disc.streams.push_back(audio(i, "ac3", 48000, "5.1(side)", 6, 448000));
    disc.streams.push_back(video(100, "mpeg2video", "yuv420p", 720, 480, 30000.0 / 1001));
    const QByteArray report = bytes(ProbeReport::text(disc, "/v/disc.vob"));

    QVERIFY(report.size() <= 4095);
    const std::optional<WindowReading> reading = readAsWindow(report, "/v/disc.vob");
    QVERIFY(reading);
    QCOMPARE(reading->duration, QByteArray("00:01:00.00"));
    QCOMPARE(reading->frameSize, QByteArray(" 720x480"));
}

void TestEncoder::durationText_data()
{
    QTest::addColumn<bool>("known");
    QTest::addColumn<qint64>("microseconds");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("hundredths") << true << qint64(5040000) << QByteArray("00:00:05.04");
    QTest::newRow("rounds down") << true << qint64(2004999) << QByteArray("00:00:02.00");
    QTest::newRow("rounds half up") << true << qint64(2005000) << QByteArray("00:00:02.01");
    QTest::newRow("carries into the hour")
        << true << qint64(3599996000) << QByteArray("01:00:00.00");
    QTest::newRow("over a day") << true << qint64(90061500000) << QByteArray("25:01:01.50");
    QTest::newRow("zero") << true << qint64(0) << QByteArray("00:00:00.00");
    QTest::newRow("missing") << false << qint64(0) << QByteArray("N/A");
    QTest::newRow("negative") << true << qint64(-1000000) << QByteArray("N/A");
}

void TestEncoder::durationText()
{
    QFETCH(bool, known);
    QFETCH(qint64, microseconds);
    QFETCH(QByteArray, text);
    const std::optional<std::int64_t> duration =
        known ? std::optional<std::int64_t>(microseconds) : std::nullopt;
    QCOMPARE(bytes(ProbeReport::durationText(duration)), text);
}

void TestEncoder::startText_data()
{
    QTest::addColumn<qint64>("microseconds");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("zero") << qint64(0) << QByteArray("0.000000");
    QTest::newRow("program stream") << qint64(529089) << QByteArray("0.529089");
    QTest::newRow("seconds") << qint64(12000007) << QByteArray("12.000007");
    QTest::newRow("just before zero") << qint64(-40000) << QByteArray("-0.040000");
    QTest::newRow("seconds before zero") << qint64(-1500000) << QByteArray("-1.500000");
}

void TestEncoder::startText()
{
    QFETCH(qint64, microseconds);
    QFETCH(QByteArray, text);
    QCOMPARE(bytes(ProbeReport::startText(microseconds)), text);
}

void TestEncoder::progressSeconds_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("seconds");

    QTest::newRow("out_time_us") << QByteArray("out_time_us=3520000") << true << 3.52;
    QTest::newRow("out_time_ms is microseconds")
        << QByteArray("out_time_ms=1500000") << true << 1.5;
    QTest::newRow("out_time clock") << QByteArray("out_time=01:02:03.500000") << true << 3723.5;
    QTest::newRow("carriage return") << QByteArray("out_time_us=250000\r") << true << 0.25;
    QTest::newRow("zero") << QByteArray("out_time_us=0") << true << 0.0;
    QTest::newRow("negative microseconds") << QByteArray("out_time_us=-1234") << false << 0.0;
    QTest::newRow("negative clock") << QByteArray("out_time=-00:00:00.040000") << false << 0.0;
    QTest::newRow("N/A microseconds") << QByteArray("out_time_ms=N/A") << false << 0.0;
    QTest::newRow("N/A clock") << QByteArray("out_time=N/A") << false << 0.0;
    QTest::newRow("broken clock") << QByteArray("out_time=00:03.5") << false << 0.0;
    QTest::newRow("other key") << QByteArray("total_size=3520000") << false << 0.0;
    QTest::newRow("end marker") << QByteArray("progress=end") << false << 0.0;
}

void TestEncoder::progressSeconds()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, valid);
    QFETCH(double, seconds);

    const std::optional<double> parsed = ProgressLine::seconds(view(line));
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, seconds);
}

void TestEncoder::progressTranslator()
{
    ProgressTranslator translator;
    // Reports count once their "progress=" line is complete; early N/A and negative
    // values leave the position at 0.
    QVERIFY(!translator.feed("frame=0\nout_time_us=N/A\nout_time=-00:00:00.040000\nprogress=con"));
    QVERIFY(translator.feed("tinue\nout_time_us=25"));
    QCOMPARE(translator.position(), 0.0);
    QVERIFY(translator.feed("00000\nout_time_ms=2500000\nprogress=continue\n"));
    QCOMPARE(translator.position(), 2.5);

    // A report that goes back does not take the position with it.
    QVERIFY(translator.feed("out_time_us=1000000\nprogress=continue\n"));
    QCOMPARE(translator.position(), 2.5);

    QVERIFY(!translator.feed("out_time=00:00:04.000000"));
    QVERIFY(translator.finish());
    QCOMPARE(translator.position(), 4.0);
    QCOMPARE(bytes(ProgressLine::text(translator.position())), QByteArray("time=4.00 \n"));
}

void TestEncoder::restateTimes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("restated");

    QTest::newRow("final status line")
        << QByteArray("frame=  250 fps=0.0 q=2.0 Lsize=     477kB time=00:00:10.04 bitrate= "
                      "388.9kbits/s\n")
        << QByteArray(
               "frame=  250 fps=0.0 q=2.0 Lsize=     477kB time=10.04 bitrate= 388.9kbits/s\n");
    QTest::newRow("hours") << QByteArray("time=01:00:01.50\r") << QByteArray("time=3601.50\r");
    QTest::newRow("N/A dropped") << QByteArray("size=0kB time=N/A bitrate=N/A\r")
                                 << QByteArray("size=0kB bitrate=N/A\r");
    QTest::newRow("negative dropped")
        << QByteArray("time=-00:00:00.04 bitrate=N/A") << QByteArray("bitrate=N/A");
    QTest::newRow("seconds already") << QByteArray("time=3.52 \n") << QByteArray("time=3.52 \n");
    QTest::newRow("longer word") << QByteArray("start_time=00:00:01.00\n")
                                 << QByteArray("start_time=00:00:01.00\n");
    QTest::newRow("metadata") << QByteArray("    creation_time   : 2024-01-01T00:00:00.000000Z\n")
                              << QByteArray("    creation_time   : 2024-01-01T00:00:00.000000Z\n");
}

void TestEncoder::restateTimes()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, restated);
    QCOMPARE(bytes(MessageFilter::restateTimes(view(text))), restated);
}

void TestEncoder::messageFilterHoldsPartialLines()
{
    // A status line cut inside its clock must not reach the window half restated.
    MessageFilter filter;
    QCOMPARE(bytes(filter.feed("Stream mapping:\nframe= 5 time=00:00:0")),
             QByteArray("Stream mapping:\n"));
    QCOMPARE(bytes(filter.feed("1.00 bitrate=N/A\r")),
             QByteArray("frame= 5 time=1.00 bitrate=N/A\r"));
    QCOMPARE(bytes(filter.feed("no line break")), QByteArray());
    QCOMPARE(bytes(filter.flush()), QByteArray("no line break"));
}

void TestEncoder::inputLength_data()
{
    QTest::addColumn<InputFacts>("input");
    QTest::addColumn<InputFacts>("output");
    QTest::addColumn<double>("seconds"); // -1 for unknown

    const auto lasting = [](Stream stream, std::int64_t microseconds) {
        stream.duration = microseconds;
        return stream;
    };
    Stream cover = video(2, "png", "rgb24", 64, 64, 0);
    cover.attachedPicture = true;
    const Stream picture = video(0, "mpeg4", "yuv420p", 320, 240, 25);
    const Stream sound = audio(1, "mp3", 44100, "stereo", 2);

    QTest::newRow("video kept") << with(input("avi", 11000000),
                                        {lasting(picture, 10000000), lasting(sound, 11000000)})
                                << with(input("avi", 0), {picture}) << 10.0;
    QTest::newRow("audio kept, cover art is no video")
        << with(input("avi", 15000000), {lasting(picture, 14000000), lasting(sound, 12000000)})
        << with(input("mp3", 0), {sound, cover}) << 12.0;
}

void TestEncoder::inputLength()
{
    QFETCH(InputFacts, input);
    QFETCH(InputFacts, output);
    QFETCH(double, seconds);
    QCOMPARE(ExpectedLength::ofInput(input, output).value_or(-1), seconds);
}

void TestEncoder::expectedLength_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<double>("input"); // seconds, -1 for unknown
    QTest::addColumn<double>("expected");

    QTest::newRow("limit beyond the end")
        << QStringList{"-ss", "00:00:08", "-t", "4"} << 10.0 << 2.0;
    QTest::newRow("end counts from zero") << QStringList{"-to", "6", "-ss", "2"} << 10.0 << 4.0;
    // The times as ffmpeg reads them.
    QTest::newRow("units and fractions")
        << QStringList{"-ss", "1500ms", "-t", "00:01.25"} << 10.0 << 1.25;
    QTest::newRow("hours and a fraction")
        << QStringList{"-ss", "250us", "-t", "1:00:00.5"} << 7200.0 << 3600.5;
    QTest::newRow("seconds with a unit") << QStringList{"-to", "7.5s"} << 10.0 << 7.5;
    QTest::newRow("minutes past 59, refused by ffmpeg")
        << QStringList{"-t", "75:00"} << 10.0 << -1.0;
    QTest::newRow("not a time") << QStringList{"-t", "1e1"} << 10.0 << -1.0;
    QTest::newRow("length-keeping filter")
        << QStringList{"-vf", "yadif,scale=320:240"} << 10.0 << 10.0;
    QTest::newRow("frame limit") << QStringList{"-frames:v", "10"} << 10.0 << -1.0;
    QTest::newRow("speeding filter") << QStringList{"-vf", "setpts=0.5*PTS"} << 10.0 << -1.0;
}

void TestEncoder::expectedLength()
{
    QFETCH(QStringList, options);
    QFETCH(double, input);
    QFETCH(double, expected);

    std::vector<std::string> arguments{"-y", "-i", "in.avi"};
    for (const QString& option : options)
        arguments.push_back(option.toStdString());
    arguments.push_back("out.avi");
    std::string error;
    const Libav* av = Libav::load(error);
    QVERIFY2(av, error.c_str());
    const std::optional<double> length =
        ExpectedLength(arguments, *av)
            .forInput(input < 0 ? std::nullopt : std::optional<double>(input));
    QCOMPARE(length.value_or(-1), expected);
}

void TestEncoder::verdict_data()
{
    QTest::addColumn<int>("status"); // as waitpid() gives it
    QTest::addColumn<QByteArray>("messages");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<double>("expected"); // seconds, -1 for unknown
    QTest::addColumn<double>("actual");
    QTest::addColumn<QByteArray>("reason"); // empty: accepted

    const int ok = W_EXITCODE(0, 0);
    QTest::newRow("good, a little short, metadata quoting an error")
        << ok << QByteArray("Output #0, avi, to 'o.avi':\n    title : No space left on device\n")
        << qint64(1000) << 10.0 << 9.05 << QByteArray();
    QTest::newRow("cause before the closing lines")
        << W_EXITCODE(1, 0)
        << QByteArray("Error initializing output stream 0:0\n[aac @ 0x1] 2 frames left in the "
                      "queue on closing\nConversion failed!\n")
        << qint64(100) << -1.0 << 0.0 << QByteArray("Error initializing output stream 0:0");
    QTest::newRow("too short") << ok << QByteArray() << qint64(100) << 10.0 << 8.95
                               << QByteArray("the output lasts 8.95 s instead of 10.00 s");
}

void TestEncoder::verdict()
{
    QFETCH(int, status);
    QFETCH(QByteArray, messages);
    QFETCH(qint64, size);
    QFETCH(double, expected);
    QFETCH(double, actual);
    QFETCH(QByteArray, reason);

    MessageWatch watch;
    watch.look(view(messages));
    std::string fault = OutputCheck::ofRun(status, watch, size);
    if (fault.empty())
        fault = OutputCheck::ofFile(
            {}, expected < 0 ? std::nullopt : std::optional<double>(expected), actual);
    QCOMPARE(bytes(fault), reason);
}

void TestEncoder::vouched_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("messages");
    QTest::addColumn<QByteArray>("progress");
    QTest::addColumn<qint64>("size"); // on disk
    QTest::addColumn<bool>("vouched");

    const QByteArray input = "Input #0, avi, from 'in.avi':\n  Metadata:\n"
                             "    comment         : Duration: 01:00:00.00, start: 0\n"
                             "  Duration: 00:00:10.00, start: 0.000000, bitrate: 9 kb/s\n"
                             "Output #0, avi, to 'out.avi':\n";
    const QByteArray ended = "out_time_us=9800000\ntotal_size=1000\nprogress=end\n";
    QTest::newRow("end at the size on disk, long enough")
        << QStringList{} << input << ended << qint64(1000) << true;
    QTest::newRow("size on disk differs")
        << QStringList{} << input << ended << qint64(999) << false;
    QTest::newRow("no end reported")
        << QStringList{} << input
        << QByteArray("out_time_us=9800000\ntotal_size=1000\nprogress=continue\n") << qint64(1000)
        << false;
    QTest::newRow("too short") << QStringList{} << input
                               << QByteArray("out_time_us=8000000\ntotal_size=1000\nprogress=end\n")
                               << qint64(1000) << false;
    QTest::newRow("length guessed from the bit rate is not judged")
        << QStringList{}
        << "[mp3 @ 0x1] Estimating duration from bitrate, this may be inaccurate\n" + input
        << QByteArray("out_time_us=10000\ntotal_size=1000\nprogress=end\n") << qint64(1000) << true;
    QTest::newRow("a frame limit shortens by design")
        << QStringList{"-frames:v", "10"} << input
        << QByteArray("out_time_us=400000\ntotal_size=1000\nprogress=end\n") << qint64(1000)
        << true;
    QTest::newRow("times are read only with the libraries")
        << QStringList{"-t", "5"} << input << ended << qint64(1000) << false;
}

void TestEncoder::vouched()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, messages);
    QFETCH(QByteArray, progress);
    QFETCH(qint64, size);
    QFETCH(bool, vouched);

    std::vector<std::string> arguments{"-y", "-i", "in.avi"};
    for (const QString& option : options)
        arguments.push_back(option.toStdString());
    arguments.push_back("out.avi");
    MessageWatch watch;
    watch.look(view(messages));
    ProgressTranslator reports;
    reports.feed(view(progress));
    QCOMPARE(OutputCheck::vouchedFor(arguments, watch, reports, size), vouched);
}

void TestEncoder::usage_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("-i alone") << QStringList{"-i"};
    QTest::newRow("probe with extra") << QStringList{"-i", "a.avi", "b.avi"};
    QTest::newRow("conversion without output") << QStringList{"-y", "-i", "a.avi"};
    QTest::newRow("conversion without -y") << QStringList{"-i", "a.avi", "-b", "b.avi"};
    QTest::newRow("unknown option") << QStringList{"-x", "a.avi"};
}

void TestEncoder::usage()
{
    QFETCH(QStringList, arguments);
    const Run run = runFront(arguments);
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.output.startsWith("usage:"), run.output.constData());
    QVERIFY(!run.output.contains("time"));
}

void TestEncoder::loadsNeitherQtNorLibav()
{
    // Every conversion pays for what the loader maps before main(); only the probe needs
    // the ffmpeg libraries, and it loads them itself.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_TRACE_LOADED_OBJECTS", "1");
    const Run run = runFront({}, environment);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.output.contains("libc.so"), run.output.constData());
    QVERIFY2(!run.output.contains("libQt"), run.output.constData());
    QVERIFY2(!run.output.contains("libav"), run.output.constData());
}

void TestEncoder::probeContainer_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QStringList>("codecs");

    QTest::newRow("avi") << "avi" << QStringList{"-c:v", "mpeg4", "-c:a", "libmp3lame"};
    QTest::newRow("mpg") << "mpg" << QStringList{"-c:v", "mpeg1video", "-c:a", "mp2"};
    QTest::newRow("mp4") << "mp4" << QStringList{"-c:v", "libx264", "-c:a", "aac"};
    QTest::newRow("wmv") << "wmv" << QStringList{"-c:v", "wmv2", "-c:a", "wmav2"};
    QTest::newRow("mov") << "mov" << QStringList{"-c:v", "libx264", "-c:a", "aac"};
    QTest::newRow("vob") << "vob" << QStringList{"-c:v", "mpeg2video", "-c:a", "mp2", "-f", "vob"};
    QTest::newRow("asf") << "asf" << QStringList{"-c:v", "wmv2", "-c:a", "wmav2"};
}

void TestEncoder::probeContainer()
{
    QFETCH(QString, extension);
    QFETCH(QStringList, codecs);
    const QString clip = path("probe." + extension);
    QVERIFY(MakeClip(clip, 2, "320x240", codecs));

    const Run run = runFront({"-i", clip});
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.output.contains("from '" + clip.toUtf8() + "':\n"), run.output.constData());
    const std::optional<WindowReading> reading = readAsWindow(run.output, clip.toUtf8());
    QVERIFY2(reading, run.output.constData());
    QVERIFY2(qAbs(clockSeconds(reading->duration) - 2.0) < 0.1, reading->duration.constData());
    QCOMPARE(reading->frameSize, QByteArray(" 320x240"));
    static const QRegularExpression audioLine(
        QStringLiteral("\n    Stream #0\\.1: Audio: \\w+, 44100 Hz, "));
    QVERIFY2(QString::fromUtf8(run.output).contains(audioLine), run.output.constData());
}

void TestEncoder::probeCoverArt()
{
    const QString song = path("cover.mp3");
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffmpeg.start("ffmpeg", {"-nostdin",
                            "-v",
                            "error",
                            "-y",
                            "-f",
                            "lavfi",
                            "-i",
                            "sine=duration=2",
                            "-f",
                            "lavfi",
                            "-i",
                            "testsrc=size=64x64:duration=1",
                            "-map",
                            "0",
                            "-map",
                            "1",
                            "-frames:v",
                            "1",
                            "-c:a",
                            "libmp3lame",
                            "-c:v",
                            "png",
                            "-disposition:v",
                            "attached_pic",
                            song});
    QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);

    const Run run = runFront({"-i", song});
    QCOMPARE(run.exitCode, 1);
    const std::optional<WindowReading> reading = readAsWindow(run.output, song.toUtf8());
    QVERIFY2(reading, run.output.constData());
    QVERIFY2(qAbs(clockSeconds(reading->duration) - 2.0) < 0.1, reading->duration.constData());
    QVERIFY2(run.output.contains("Stream #0.1: Attachment: png\n"), run.output.constData());
    QVERIFY2(!run.output.contains("Video"), run.output.constData());
}

void TestEncoder::probeOddPath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("relative");

    QTest::newRow("blanks") << "a clip with  blanks.avi" << false;
    QTest::newRow("quotes") << "clip \"q\" 'r'.avi" << false;
    QTest::newRow("non-ASCII") << QString::fromUtf8("clip \xc3\xbc 'q\".avi") << false;
    QTest::newRow("trailing backslash") << "clip\\" << false;
    QTest::newRow("relative, colon like a protocol") << "10:30 meeting.avi" << true;
}

void TestEncoder::probeOddPath()
{
    QFETCH(QString, name);
    QFETCH(bool, relative);
    QVERIFY(QFile::copy(m_clip, path(name)));
    const QString clip = relative ? name : path(name);

    const Run run = runFront({"-i", clip}, QProcessEnvironment::systemEnvironment(), m_dir.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.output.contains("from '" + clip.toUtf8() + "':\n"), run.output.constData());
    const std::optional<WindowReading> reading = readAsWindow(run.output, clip.toUtf8());
    QVERIFY2(reading, run.output.constData());
    QVERIFY2(reading->duration.startsWith("00:00:02.0"), reading->duration.constData());
    QCOMPARE(reading->frameSize, QByteArray(" 320x240"));
}

void TestEncoder::probeUnreadable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("reason");

    const QByteArray invalid("Invalid data found when processing input");
    QTest::newRow("text file") << "notes.txt" << QByteArray("Shopping list\nmilk\neggs\n") << true
                               << invalid;
    QTest::newRow("text named like a video")
        << "notes.avi" << QByteArray("not a video\n") << true << invalid;
    QTest::newRow("empty file") << "empty.mpg" << QByteArray() << true << invalid;
    QTest::newRow("missing file") << "missing.avi" << QByteArray() << false
                                  << QByteArray("No such file or directory");
}

void TestEncoder::probeUnreadable()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QFETCH(QByteArray, reason);
    const QString file = path(name);
    if (exists) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
    }

    const Run run = runFront({"-i", file});
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 1);
    // Nothing but the one line: libav's own messages must not reach the window.
    QCOMPARE(run.output, file.toUtf8() + ": " + reason + "\n");
}

void TestEncoder::probeWithoutLibraries()
{
    // A broken copy that the loader finds first stands for a missing library.
    const QString folder = path("brokenlib");
    QVERIFY(QDir().mkpath(folder));
    QFile broken(folder + "/" FW_LIBAVFORMAT_SONAME);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a library\n");
    broken.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_LIBRARY_PATH", folder);

    const Run run = runFront({"-i", m_clip}, environment);
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 1);
    // One line the window shows as the reason, never mistaken for a report.
    QVERIFY2(run.output.startsWith(m_clip.toUtf8() + ": the ffmpeg libraries cannot be loaded ("),
             run.output.constData());
    QVERIFY2(run.output.contains(FW_LIBAVFORMAT_SONAME), run.output.constData());
    QCOMPARE(run.output.count('\n'), 1);
    QVERIFY(!run.output.contains("Duration"));
}

void TestEncoder::convert_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("avi") << "converted.avi" << QStringList{"-vcodec", "mpeg4", "-b:v", "800k"};
    QTest::newRow("mp4") << "converted.mp4" << QStringList{"-vcodec", "mpeg4", "-acodec", "aac"};
    QTest::newRow("quotes, blanks, non-ASCII")
        << QString::fromUtf8("out \"q\" 'r' \xc3\xbc.avi") << QStringList{"-vcodec", "mpeg4"};
}

void TestEncoder::convert()
{
    QFETCH(QString, output);
    QFETCH(QStringList, arguments);
    const QString out = path(output);

    // The loader names each library it maps, in a file per process.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString loads = path(QString("loads-%1").arg(++m_folders));
    QDir().mkpath(loads);
    environment.insert("LD_DEBUG", "files");
    environment.insert("LD_DEBUG_OUTPUT", loads + "/pid");
    const Run run =
        runFront(QStringList{"-y", "-i", m_clip} + arguments + QStringList{out}, environment);
    QCOMPARE(run.status, QProcess::NormalExit);
    QVERIFY2(run.exitCode == 0, run.output.constData());
    // ffmpeg's own reports vouch for a good output: the front loads no library to open it.
    int fronts = 0;
    for (const QFileInfo& trace : QDir(loads).entryInfoList(QDir::Files)) {
        QFile file(trace.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray names = file.readAll();
        if (names.contains("needed by " + QFile::encodeName(encoder()))) {
            ++fronts;
            QVERIFY2(!names.contains("libavformat"), qPrintable(trace.filePath()));
        }
    }
    QCOMPARE(fronts, 1);

    bool allNumbers = false;
    const QList<double> values = progressValues(run.output, &allNumbers);
    QVERIFY(allNumbers);
    QVERIFY2(values.size() >= 2, run.output.constData());
    QVERIFY(nonDecreasing(values));
    QVERIFY(values.first() >= 0);
    QVERIFY2(qAbs(values.last() - 2.0) < 0.2, run.output.constData());
    // ffmpeg's own messages come through.
    QVERIFY(run.output.contains("Output #0"));

    const Run probe = runFront({"-i", out});
    const std::optional<WindowReading> reading = readAsWindow(probe.output, out.toUtf8());
    QVERIFY2(reading, probe.output.constData());
    QVERIFY2(qAbs(clockSeconds(reading->duration) - 2.0) < 0.15, reading->duration.constData());
    QCOMPARE(reading->frameSize, QByteArray(" 320x240"));
}

void TestEncoder::progressEveryHalfSecond()
{
    // Held to its own pace by the realtime filter, the clip takes seconds to convert without
    // keeping the machine busy.
    QProcess front;
    front.setProcessChannelMode(QProcess::MergedChannels);
    front.start(encoder(),
                {"-y", "-i", m_longClip, "-t", "2.5", "-vf", "realtime", "-an", path("paced.avi")});
    QElapsedTimer clock;
    clock.start();
    QList<qint64> arrivals;
    QByteArray output;
    while (front.state() != QProcess::NotRunning || front.bytesAvailable() > 0) {
        front.waitForReadyRead(100);
        const QByteArray chunk = front.readAll();
        if (chunk.contains("\ntime=") || chunk.startsWith("time="))
            arrivals << clock.elapsed();
        output += chunk;
        QVERIFY(clock.elapsed() < 60000);
    }
    QCOMPARE(front.exitStatus(), QProcess::NormalExit);
    QVERIFY2(front.exitCode() == 0, output.constData());

    bool allNumbers = false;
    const QList<double> values = progressValues(output, &allNumbers);
    QVERIFY(allNumbers);
    QVERIFY(nonDecreasing(values));
    QVERIFY2(qAbs(values.last() - 2.5) < 0.2, output.constData());
    QVERIFY2(arrivals.size() >= 4, output.constData());
    QVERIFY(arrivals.first() < 800);
    for (qsizetype i = 1; i < arrivals.size(); ++i)
        QVERIFY2(arrivals[i] - arrivals[i - 1] < 800, qPrintable(QString::number(i)));
}

void TestEncoder::failure_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("withoutTools");
    QTest::addColumn<QByteArray>("message");

    QTest::newRow("unknown option") << QStringList{"-bogus", "1"} << false << QByteArray("bogus");
    QTest::newRow("ffmpeg missing") << QStringList{} << true << QByteArray("could not be started");
}

void TestEncoder::failure()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, withoutTools);
    QFETCH(QByteArray, message);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (withoutTools)
        environment.insert("PATH", path("no-such-folder"));

    const QString out = path("failed.avi");
    const Run run =
        runFront(QStringList{"-y", "-i", m_clip} + arguments + QStringList{out}, environment);
    QCOMPARE(run.status, QProcess::NormalExit);
    QVERIFY(run.exitCode != 0);
    QVERIFY2(run.output.contains(message), run.output.constData());

    // The probe reads the input itself and needs no tool on the path.
    if (withoutTools) {
        const Run probe = runFront({"-i", m_clip}, environment);
        QCOMPARE(probe.exitCode, 1);
        const std::optional<WindowReading> reading = readAsWindow(probe.output, m_clip.toUtf8());
        QVERIFY2(reading, probe.output.constData());
        QCOMPARE(reading->frameSize, QByteArray(" 320x240"));
    }
}

void TestEncoder::commandReachesFfmpeg()
{
    const QProcessEnvironment environment =
        withFakeFfmpeg("printf '[%s]\\n' \"$@\" >&2\n"
                       "printf 'stdin=%s\\n' \"$(readlink /proc/$$/fd/0)\" >&2\n" +
                       WritesOutput);
    const QString title = QString::fromUtf8("title=a \"b\" 'c' \xc3\xbc\\");
    const Run run = runFront({"-y", "-i", "in put.avi", "-metadata", title, "", "out.avi"},
                             environment, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    // Each argument arrives whole and unchanged, after the front's own; nothing is read
    // from the window's end of the pipe.
    const QByteArray expected = "[-nostdin]\n[-hide_banner]\n[-nostats]\n[-progress]\n[pipe:1]\n"
                                "[-y]\n[-i]\n[in put.avi]\n[-metadata]\n[" +
                                title.toUtf8() + "]\n[]\n[out.avi]\nstdin=/dev/null\n";
    QCOMPARE(run.output, expected);
}

void TestEncoder::ffmpegOutcome_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArrayList>("present");
    QTest::addColumn<QByteArrayList>("absent");

    QTest::newRow("exit status passed on, cause last")
        << QByteArray("echo 'o.avi: Permission denied' >&2; echo 'Conversion failed!' >&2; exit 3")
        << 3 << QByteArrayList{"Conversion failed: o.avi: Permission denied\n"}
        << QByteArrayList{"abnormally"};
    QTest::newRow("ffmpeg killed")
        << WritesOutput + "kill -KILL $$" << 1
        << QByteArrayList{"Conversion failed: ffmpeg ended abnormally\n"} << QByteArrayList{};
    QTest::newRow("trailer not written, exit 0")
        << WritesOutput + "printf 'Error writing trailer of x: No space left on device' >&2" << 1
        << QByteArrayList{"Conversion failed: No space left on device\n"} << QByteArrayList{};
    QTest::newRow("trailer not written, said alone, exit 0")
        << WritesOutput + "echo 'Error writing trailer' >&2" << 1
        << QByteArrayList{"Conversion failed: Error writing trailer\n"} << QByteArrayList{};
    QTest::newRow("last message without line break")
        << WritesOutput + "printf 'frame=1 time=00:00:01.50' >&2" << 0
        << QByteArrayList{"frame=1 time=1.50"} << QByteArrayList{"00:00:01.50"};
    QTest::newRow("last report without line break")
        << WritesOutput + "printf 'out_time_us=2500000'" << 0 << QByteArrayList{"time=2.50 \n"}
        << QByteArrayList{};
    QTest::newRow("unreadable output at another size than reported")
        << QByteArray("printf 'not a video' >\"$last\"; printf 'total_size=3\\nprogress=end\\n'")
        << 1 << QByteArrayList{"Conversion failed: the output cannot be read ("}
        << QByteArrayList{};
    QTest::newRow("reports going back, N/A, negative")
        << WritesOutput + "printf 'out_time_us=2000000\\nprogress=continue\\nout_time_us=N/A\\n"
                          "progress=continue\\nout_time=-00:00:00.040000\\nprogress=continue\\n"
                          "out_time_us=1000000\\nprogress=end\\n'"
        << 0 << QByteArrayList{"time=2.00 \n"}
        << QByteArrayList{"time=1.00", "N/A", "time=-", "out_time"};
}

void TestEncoder::ffmpegOutcome()
{
    QFETCH(QByteArray, script);
    QFETCH(int, exitCode);
    QFETCH(QByteArrayList, present);
    QFETCH(QByteArrayList, absent);

    const Run run =
        runFront({"-y", "-i", "in.avi", "out.avi"}, withFakeFfmpeg(script), m_dir.path());
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, exitCode);
    // The window takes the last line for the reason.
    if (exitCode != 0)
        QVERIFY2(
            run.output.mid(run.output.lastIndexOf('\n', -2) + 1).startsWith("Conversion failed: "),
            run.output.constData());
    for (const QByteArray& text : present)
        QVERIFY2(run.output.contains(text), run.output.constData());
    for (const QByteArray& text : absent)
        QVERIFY2(!run.output.contains(text), run.output.constData());
    bool allNumbers = false;
    QVERIFY(nonDecreasing(progressValues(run.output, &allNumbers)));
    QVERIFY(allNumbers);
}

void TestEncoder::heartbeatWhileFfmpegIsSilent()
{
    // An encoder that takes long to start says nothing; the window still needs a text at
    // least every half second.
    const QProcessEnvironment environment =
        withFakeFfmpeg("printf 'out_time_us=N/A\\nprogress=continue\\n'\n"
                       "sleep 1.3\n"
                       "printf 'out_time_us=1500000\\nprogress=end\\n'\n" +
                       WritesOutput);
    const Run run = runFront({"-y", "-i", "in.avi", "out.avi"}, environment, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    bool allNumbers = false;
    const QList<double> values = progressValues(run.output, &allNumbers);
    QVERIFY(allNumbers);
    QVERIFY2(values.count(0.0) >= 3, run.output.constData());
    QVERIFY2(nonDecreasing(values), run.output.constData());
    QCOMPARE(values.last(), 1.5);
}

void TestEncoder::noOrphan_data()
{
    QTest::addColumn<int>("signal");

    // SIGKILL is what the window sends; the others come from a closed terminal or a user.
    QTest::newRow("killed") << SIGKILL;
    QTest::newRow("terminated") << SIGTERM;
    QTest::newRow("interrupted") << SIGINT;
    QTest::newRow("hung up") << SIGHUP;
}

void TestEncoder::noOrphan()
{
    QFETCH(int, signal);
    const QString out = path(QString("orphan-%1.mp4").arg(signal));
    // ffmpeg writes a file whose name holds the output's.
    const QByteArray mention = QFileInfo(out).fileName().toUtf8();

    QProcess front;
    front.setProcessChannelMode(QProcess::MergedChannels);
    front.start(encoder(), {"-y", "-i", m_longClip, "-vf", "scale=1280:960", "-vcodec", "libx264",
                            "-preset", "veryslow", out});
    const QByteArray output = readUntilProgress(front);
    QVERIFY2(output.contains("time="), output.constData());
    QVERIFY(!ffmpegsMentioning(mention).isEmpty());

    QCOMPARE(::kill(static_cast<pid_t>(front.processId()), signal), 0);
    QVERIFY(front.waitForFinished(1000));
    QCOMPARE(front.exitStatus(), QProcess::CrashExit);
    QTRY_VERIFY2_WITH_TIMEOUT(ffmpegsMentioning(mention).isEmpty(), "ffmpeg outlived the front",
                              1000);
}

void TestEncoder::keepsExistingOutput_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("signal"); // sent once ffmpeg is under way; 0 for none
    QTest::addColumn<bool>("tinyDisk");
    QTest::addColumn<bool>("overInput");
    QTest::addColumn<QByteArray>("reason");

    const QStringList heavy{"-vf", "scale=1280:960", "-c:v", "libx264", "-preset", "veryslow"};
    QTest::newRow("value refused") << QStringList{"-c:v", "mpeg4", "-b:v", "abc"} << 0 << false
                                   << false << QByteArray("Error initializing output stream");
    QTest::newRow("output is the input") << QStringList{"-c:v", "mpeg4"} << 0 << false << true
                                         << QByteArray("the output is the input file");
    QTest::newRow("disk full") << QStringList{"-vf",  "scale=640:480,noise=alls=60:allf=t+u",
                                              "-c:v", "mpeg4",
                                              "-q:v", "2"}
                               << 0 << true << false << QByteArray("No space left on device");
    QTest::newRow("front terminated") << heavy << SIGTERM << false << false << QByteArray();
    QTest::newRow("front killed") << heavy << SIGKILL << false << false << QByteArray();
}

void TestEncoder::keepsExistingOutput()
{
    QFETCH(QStringList, options);
    QFETCH(int, signal);
    QFETCH(bool, tinyDisk);
    QFETCH(bool, overInput);
    QFETCH(QByteArray, reason);
    const QString folder = path(QString("keep-%1").arg(++m_folders));
    QVERIFY(QDir().mkpath(folder));
    if (tinyDisk) {
        if (::geteuid() != 0)
            QSKIP("a full disk is a 2 MB tmpfs, and only root may mount one");
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=2m", "tmpfs", folder}) != 0)
            QSKIP("mounting a 2 MB tmpfs failed");
    }
    const auto unmount = qScopeGuard([&] {
        if (tinyDisk)
            QProcess::execute("umount", {folder});
    });
    const QString out = folder + "/kept.avi";
    QVERIFY(QFile::copy(m_clip, out));
    const QByteArray before = checksum(out);

    QProcess front;
    front.setProcessChannelMode(QProcess::MergedChannels);
    front.start(encoder(),
                QStringList{"-y", "-i", overInput ? out : m_longClip} + options + QStringList{out});
    QByteArray output;
    if (signal != 0) {
        output = readUntilProgress(front);
        // ffmpeg opened the file anew, truncating it: the front's lock still covers it.
        QCOMPARE(hiddenFiles(folder).size(), 1);
        QFile written(folder + "/" + hiddenFiles(folder).constFirst());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(::flock(written.handle(), LOCK_EX | LOCK_NB), -1);
        QCOMPARE(::kill(static_cast<pid_t>(front.processId()), signal), 0);
    }
    QVERIFY(front.waitForFinished(60000));
    output += front.readAll();
    if (signal != 0) {
        QCOMPARE(front.exitStatus(), QProcess::CrashExit);
    } else {
        QVERIFY2(front.exitCode() != 0, output.constData());
        const QByteArray last = output.mid(output.lastIndexOf('\n', -2) + 1);
        QVERIFY2(last.startsWith("Conversion failed: " + reason), output.constData());
    }
    QCOMPARE(checksum(out), before);

    // Killed, the front can remove nothing; the next conversion to that output does.
    if (signal == SIGKILL) {
        QCOMPARE(hiddenFiles(folder).size(), 1);
        const Run next = runFront({"-y", "-i", m_clip, "-t", "1", out});
        QVERIFY2(next.exitCode == 0, next.output.constData());
        QVERIFY(checksum(out) != before);
    }
    QVERIFY2(hiddenFiles(folder).isEmpty(), qPrintable(hiddenFiles(folder).join(' ')));
}

void TestEncoder::sweepsUnheldLeftovers_data()
{
    QTest::addColumn<QString>("leftover");
    QTest::addColumn<bool>("held"); // locked by another program that is writing it
    QTest::addColumn<bool>("kept");

    QTest::newRow("being written") << ".out.mp4.partial-0123456789ab.mp4" << true << true;
    QTest::newRow("left by a killed run") << ".out.mp4.partial-0123456789ab.mp4" << false << false;
    QTest::newRow("earlier form") << ".out.mp4.partial.mp4" << false << false;
    QTest::newRow("earlier form, being written") << ".out.mp4.partial.mp4" << true << true;
    QTest::newRow("another output's") << ".other.mp4.partial-0123456789ab.mp4" << false << true;
}

void TestEncoder::sweepsUnheldLeftovers()
{
    QFETCH(QString, leftover);
    QFETCH(bool, held);
    QFETCH(bool, kept);
    const QString folder = path(QString("sweep-%1").arg(++m_folders));
    QVERIFY(QDir().mkpath(folder));
    QFile other(folder + "/" + leftover);
    QVERIFY(other.open(QIODevice::WriteOnly));
    if (held)
        QCOMPARE(::flock(other.handle(), LOCK_EX), 0);

    // ffmpeg tells whether the file it writes is held against such a sweep too.
    const Run run =
        runFront({"-y", "-i", "in.avi", "out.mp4"},
                 withFakeFfmpeg(WritesOutput + "flock -n \"$last\" true || echo held >&2"), folder);
    QVERIFY2(run.exitCode == 0 && run.output.contains("held\n"), run.output.constData());
    QCOMPARE(hiddenFiles(folder), kept ? QStringList{leftover} : QStringList());
    QCOMPARE(checksum(folder + "/out.mp4"), checksum(m_clip));
}

void TestEncoder::refusesSpecialInput_data()
{
    QTest::addColumn<QStringList>("arguments"); // <in>: the input, also given on standard input
    QTest::addColumn<QString>("input");         // empty: a FIFO

    const QStringList convert{"-y", "-i", "<in>", "-c:v", "mpeg4", path("special.mp4")};
    QTest::newRow("probe, FIFO") << QStringList{"-i", "<in>"} << QString();
    QTest::newRow("probe list, FIFO") << QStringList{"-probe-list"} << QString();
    QTest::newRow("conversion, FIFO") << convert << QString();
    QTest::newRow("conversion, device") << convert << "/dev/zero";
}

void TestEncoder::refusesSpecialInput()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, input);
    const QByteArray kind = input.isEmpty() ? "a FIFO" : "a character device";
    if (input.isEmpty()) {
        input = path("fifo.avi");
        QVERIFY(QFileInfo::exists(input) || ::mkfifo(QFile::encodeName(input), 0600) == 0);
    }
    QProcess front;
    front.setProcessChannelMode(QProcess::MergedChannels);
    front.start(encoder(), arguments.replaceInStrings("<in>", input));
    front.write(input.toUtf8() + "\n");
    front.closeWriteChannel();
    // Opening the FIFO would wait for a writer for ever; the device never ends.
    QVERIFY(front.waitForFinished(10000));
    const QByteArray output = front.readAll();
    QVERIFY2(output.contains(input.toUtf8() + ": not a regular file but " + kind + "\n"),
             output.constData());
}

QTEST_GUILESS_MAIN(TestEncoder)
#include "tst_encoder.moc"

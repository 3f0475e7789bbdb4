#include "app/Pictures.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>

#include <functional>
#include <vector>

namespace {

struct Picture
{
    QString name;
    QSize logical;
    std::function<QPixmap(qreal)> draw;
};

const int commands[] = {0, 1, 2, 3, 4, 7, 8};
const Pictures::Look looks[] = {Pictures::Normal, Pictures::Hover, Pictures::Pressed};

const std::vector<Picture>& everyPicture()
{
    static const std::vector<Picture> all = [] {
        using namespace Pictures;
        std::vector<Picture> list;
        for (int n : commands)
            for (Look look : looks)
                list.push_back({QStringLiteral("toolbar %1 look %2").arg(n).arg(look),
                                QSize(54, 54), [=](qreal dpr) { return toolbar(n, look, dpr); }});
        for (bool stop : {false, true})
            for (Look look : looks)
                list.push_back({QStringLiteral("%1 look %2").arg(stop ? "stop" : "start").arg(look),
                                QSize(188, 58),
                                [=](qreal dpr) { return startStop(stop, look, dpr); }});
        for (Player button : {Player::Play, Player::Pause, Player::Stop})
            list.push_back({QStringLiteral("player %1").arg(int(button)), QSize(16, 16),
                            [=](qreal dpr) { return playerIcon(button, dpr); }});
        list.push_back({QStringLiteral("overlay background"), QSize(571, 337),
                        [](qreal dpr) { return overlayBackground(QSize(571, 337), dpr); }});
        list.push_back({QStringLiteral("overlay emblem"), QSize(88, 92), overlayEmblem});
        list.push_back({QStringLiteral("about side"), QSize(117, 167), aboutSide});
        list.push_back({QStringLiteral("about background"), QSize(386, 167), aboutBackground});
        list.push_back({QStringLiteral("preview time"), QSize(63, 21),
                        [](qreal dpr) { return previewTimeBackground(QSize(63, 21), dpr); }});
        for (int side : {16, 48, 256})
            list.push_back({QStringLiteral("icon %1").arg(side), QSize(side, side),
                            [=](qreal dpr) { return appIcon(side, dpr); }});
        return list;
    }();
    return all;
}

QImage argb(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A row of a picture made by argb(); pixel() by pixel is slow under the sanitizers.
const QRgb* scanLine(const QImage& image, int y)
{
    return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

// Mean difference per channel, 0..255, of two pictures of the same size.
double difference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* pa = scanLine(a, y);
        const QRgb* pb = scanLine(b, y);
        for (int x = 0; x < a.width(); ++x)
            sum += qAbs(qRed(pa[x]) - qRed(pb[x])) + qAbs(qGreen(pa[x]) - qGreen(pb[x])) +
                   qAbs(qBlue(pa[x]) - qBlue(pb[x])) + qAbs(qAlpha(pa[x]) - qAlpha(pb[x]));
    }
    return sum / (4.0 * a.width() * a.height());
}

} // namespace

class TestPictures final : public QObject
{
    Q_OBJECT
private slots:
    void drawnForTheRatio_data();
    void drawnForTheRatio();
    void looksAreTellApart_data();
    void looksAreTellApart();
    void toolbarButtonFillsItsCircle_data();
    void toolbarButtonFillsItsCircle();
    void iconIsARoundedTile_data();
    void iconIsARoundedTile();
    void svgIconIsWellFormed();
};

void TestPictures::drawnForTheRatio_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<qreal>("dpr");
    for (size_t i = 0; i < everyPicture().size(); ++i)
        for (qreal dpr : {1.0, 2.0})
            QTest::addRow("%s at %gx", qPrintable(everyPicture()[i].name), dpr) << int(i) << dpr;
}

// Right logical size and ratio, something visible, and at 2x the same picture as at 1x
// (not, say, drawn into one corner of the larger canvas).
void TestPictures::drawnForTheRatio()
{
    QFETCH(int, index);
    QFETCH(qreal, dpr);
    const Picture& picture = everyPicture()[size_t(index)];
    const QPixmap pixmap = picture.draw(dpr);
    QCOMPARE(pixmap.devicePixelRatio(), dpr);
    QCOMPARE(pixmap.size(), picture.logical * dpr);
    QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(picture.logical));

    // Blank, or one colour over the whole canvas, means nothing was drawn that shows.
    const QImage image = argb(pixmap);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < 2; ++y) {
        const QRgb* line = scanLine(image, y);
        for (int x = 0; x < image.width(); ++x)
            colours.insert(qAlpha(line[x]) == 0 ? 0 : line[x]);
    }
    QVERIFY2(colours.size() >= 2, "blank or flat");

    if (dpr != 1) {
        const QImage reduced =
            image.scaled(picture.logical, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QCOMPARE_LT(difference(reduced, argb(picture.draw(1))), 10.0);
    }
}

void TestPictures::looksAreTellApart_data()
{
    QTest::addColumn<int>("number");
    for (int n : commands)
        QTest::addRow("toolbar %d", n) << n;
    QTest::addRow("start") << -1;
    QTest::addRow("stop") << -2;
}

// Hover must stand out from normal and pressed from hover, at either ratio.
void TestPictures::looksAreTellApart()
{
    QFETCH(int, number);
    for (qreal dpr : {1.0, 2.0}) {
        QImage look[3];
        for (int i = 0; i < 3; ++i)
            look[i] = argb(number >= 0 ? Pictures::toolbar(number, looks[i], dpr)
                                       : Pictures::startStop(number == -2, looks[i], dpr));
        QCOMPARE_GT(difference(look[Pictures::Normal], look[Pictures::Hover]), 10.0);
        QCOMPARE_GT(difference(look[Pictures::Hover], look[Pictures::Pressed]), 8.0);
        QCOMPARE_GT(difference(look[Pictures::Normal], look[Pictures::Pressed]), 10.0);
    }
}

void TestPictures::toolbarButtonFillsItsCircle_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("look");
    QTest::addColumn<qreal>("dpr");
    for (int n : commands)
        for (Pictures::Look look : looks)
            for (qreal dpr : {1.0, 2.0})
                QTest::addRow("%d look %d at %gx", n, look, dpr) << n << int(look) << dpr;
}

// The button reacts inside the circle of radius 23 around (27, 27): the picture must be a
// round button there, solid well inside and clear outside.
void TestPictures::toolbarButtonFillsItsCircle()
{
    QFETCH(int, number);
    QFETCH(int, look);
    QFETCH(qreal, dpr);
    const QImage image = argb(Pictures::toolbar(number, Pictures::Look(look), dpr));
    // Checked pixel by pixel, but reported once: building a message for every pixel would cost
    // more than the check.
    QString fault;
    for (int y = 0; y < image.height() && fault.isEmpty(); ++y) {
        const QRgb* line = scanLine(image, y);
        for (int x = 0; x < image.width() && fault.isEmpty(); ++x) {
            const qreal distance =
                QLineF(QPointF(27, 27), QPointF(x + 0.5, y + 0.5) / dpr).length();
            const int alpha = qAlpha(line[x]);
            if (distance > 24 && alpha != 0)
                fault = QStringLiteral("outside at %1,%2").arg(x).arg(y);
            else if (distance < 20 && alpha != 255)
                fault = QStringLiteral("hole at %1,%2").arg(x).arg(y);
        }
    }
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void TestPictures::iconIsARoundedTile_data()
{
    QTest::addColumn<int>("side");
    for (int side : {16, 24, 37, 64, 512})
        QTest::addRow("%d", side) << side;
}

void TestPictures::iconIsARoundedTile()
{
    QFETCH(int, side);
    const QImage image = argb(Pictures::appIcon(side));
    QCOMPARE(image.size(), QSize(side, side));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(side - 1, side - 1)), 0);
    QCOMPARE(qAlpha(image.pixel(side / 2, side / 2)), 255);
    QCOMPARE(qAlpha(image.pixel(side / 2, side / 10 + 1)), 255);
    QVERIFY(!Pictures::applicationIcon().availableSizes().isEmpty());
}

void TestPictures::svgIconIsWellFormed()
{
    const QString source = qEnvironmentVariable("FW_SOURCE_DIR");
    if (source.isEmpty())
        QSKIP("FW_SOURCE_DIR not set");
    QFile file(source + QStringLiteral("/data/icons/framewright.svg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name(), QStringLiteral("svg"));
    QCOMPARE(xml.attributes().value(QStringLiteral("viewBox")), QStringLiteral("0 0 512 512"));
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"

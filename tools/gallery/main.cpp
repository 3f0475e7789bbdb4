// Writes every picture as a PNG, and one sheet that shows them where the program shows them,
// at the ratio of the screen it runs on (set QT_SCALE_FACTOR=2 for the dense one).
#include "GettingStartedPanel.h"
#include "Pictures.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyleFactory>
#include <cstdio>

namespace {

QString lookName(Pictures::Look look)
{
    static const char* const names[] = {"normal", "hover", "pressed"};
    return QString::fromLatin1(names[look]);
}

QLabel* picture(QWidget* parent, const QPixmap& pixmap, int x, int y)
{
    auto* label = new QLabel(parent);
    label->setPixmap(pixmap);
    label->setGeometry(x, y, qRound(pixmap.deviceIndependentSize().width()),
                       qRound(pixmap.deviceIndependentSize().height()));
    return label;
}

QLabel* caption(QWidget* parent, const QString& text, int x, int y, const QColor& colour = {},
                int pixels = 11, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
    if (colour.isValid()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    label->move(x, y);
    label->adjustSize();
    return label;
}

void toolbars(QWidget* board, qreal dpr)
{
    const int numbers[] = {0, 1, 2, 3, 4, 7, 8};
    const int lefts[] = {5, 59, 139, 193, 273, 327, 381};
    for (int look = 0; look < 3; ++look) {
        const int top = 10 + look * 75;
        for (int i = 0; i < 7; ++i)
            picture(board, Pictures::toolbar(numbers[i], Pictures::Look(look), dpr), 10 + lefts[i],
                    top + 5);
        caption(board, lookName(Pictures::Look(look)), 450, top + 30);
    }
}

void startStop(QWidget* board, qreal dpr)
{
    for (int look = 0; look < 3; ++look) {
        picture(board, Pictures::startStop(false, Pictures::Look(look), dpr), 520, 10 + look * 70);
        picture(board, Pictures::startStop(true, Pictures::Look(look), dpr), 720, 10 + look * 70);
    }
}

void aboutBox(QWidget* board, qreal dpr, int x, int y)
{
    auto* box = new QWidget(board);
    box->setGeometry(x, y, 503, 290);
    box->setAutoFillBackground(true);
    picture(box, Pictures::aboutSide(dpr), 0, 0);
    picture(box, Pictures::aboutBackground(dpr), 117, 0);
    caption(box, QStringLiteral("Framewright"), 140, 40, Pictures::aboutTextColour(), 26, true);
    caption(box, QStringLiteral("Version 3.0"), 142, 80, Pictures::aboutTextColour(), 13);
    auto* ok = new QPushButton(QStringLiteral("OK"), box);
    ok->setGeometry(410, 250, 80, 26);
}

void preview(QWidget* board, qreal dpr, int x, int y)
{
    auto* video = new QWidget(board);
    video->setGeometry(x, y, 190, 123);
    video->setStyleSheet(QStringLiteral("background: black"));
    auto* track = new QSlider(Qt::Horizontal, board);
    track->setTickPosition(QSlider::TicksAbove);
    track->setGeometry(x, y + 125, 190, 21);
    const Pictures::Player players[] = {Pictures::Player::Play, Pictures::Player::Pause,
                                        Pictures::Player::Stop};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(board);
        button->setIcon(QIcon(Pictures::playerIcon(players[i], dpr)));
        button->setIconSize(QSize(16, 16));
        button->setGeometry(x + i * 40, y + 148, 38, 22);
    }
    picture(board, Pictures::previewTimeBackground(QSize(60, 22), dpr), x + 126, y + 148);
    auto* time = new QLabel(QStringLiteral("00:00:00"), board);
    time->setAlignment(Qt::AlignCenter);
    time->setGeometry(x + 126, y + 148, 60, 22);
    QPalette palette = time->palette();
    palette.setColor(QPalette::WindowText, Pictures::previewTimeTextColour());
    time->setPalette(palette);
}

void icons(QWidget* board, qreal dpr, int x, int y)
{
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        picture(board, Pictures::appIcon(side, dpr), x, y + 256 - side);
        x += side + 16;
    }
}

bool save(const QPixmap& pixmap, const QDir& dir, const QString& name)
{
    const bool ok = pixmap.save(dir.filePath(name + QStringLiteral(".png")));
    if (!ok)
        std::fprintf(stderr, "cannot write %s\n", qPrintable(dir.filePath(name)));
    return ok;
}

bool saveEach(const QDir& dir, qreal dpr)
{
    bool ok = true;
    for (int number : {0, 1, 2, 3, 4, 7, 8})
        for (int look = 0; look < 3; ++look)
            ok &= save(
                Pictures::toolbar(number, Pictures::Look(look), dpr), dir,
                QStringLiteral("toolbar-%1-%2").arg(number).arg(lookName(Pictures::Look(look))));
    for (int look = 0; look < 3; ++look) {
        ok &= save(Pictures::startStop(false, Pictures::Look(look), dpr), dir,
                   QStringLiteral("start-") + lookName(Pictures::Look(look)));
        ok &= save(Pictures::startStop(true, Pictures::Look(look), dpr), dir,
                   QStringLiteral("stop-") + lookName(Pictures::Look(look)));
    }
    ok &= save(Pictures::overlayBackground(QSize(560, 330), dpr), dir,
               QStringLiteral("overlay-background"));
    ok &= save(Pictures::overlayEmblem(dpr), dir, QStringLiteral("overlay-emblem"));
    ok &= save(Pictures::aboutSide(dpr), dir, QStringLiteral("about-side"));
    ok &= save(Pictures::aboutBackground(dpr), dir, QStringLiteral("about-background"));
    ok &= save(Pictures::playerIcon(Pictures::Player::Play, dpr), dir, QStringLiteral("play"));
    ok &= save(Pictures::playerIcon(Pictures::Player::Pause, dpr), dir, QStringLiteral("pause"));
    ok &= save(Pictures::playerIcon(Pictures::Player::Stop, dpr), dir, QStringLiteral("stop"));
    ok &= save(Pictures::previewTimeBackground(QSize(60, 22), dpr), dir,
               QStringLiteral("preview-time"));
    for (int side : {16, 32, 48, 256})
        ok &= save(Pictures::appIcon(side, dpr), dir, QStringLiteral("icon-%1").arg(side));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont face = app.font();
    face.setPixelSize(11);
    app.setFont(face);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery"));
    if (!QDir().mkpath(dir.path()))
        return 1;

    QWidget board;
    board.resize(1110, 1020);
    board.setAutoFillBackground(true);
    const qreal dpr = board.devicePixelRatioF();
    toolbars(&board, dpr);
    startStop(&board, dpr);
    auto* overlay = new GettingStartedPanel(&board);
    overlay->setGeometry(10, 250, 560, 400);
    aboutBox(&board, dpr, 590, 250);
    preview(&board, dpr, 590, 560);
    icons(&board, dpr, 10, 750);

    bool ok = saveEach(dir, dpr);
    ok &= save(board.grab(), dir, QStringLiteral("sheet"));
    std::printf("%s at %gx\n", qPrintable(dir.absolutePath()), dpr);
    return ok ? 0 : 1;
}

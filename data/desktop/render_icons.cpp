// Writes the application icon as <folder>/<side>x<side>/apps/framewright.png for the usual
// icon sizes, for the desktop's icon theme. Run by the build.
#include "app/Pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: render_icons <folder>\n");
        return 2;
    }
    const QDir root(app.arguments().at(1));
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(side);
        if (!root.mkpath(folder) || !Pictures::appIcon(side).save(
                                        root.filePath(folder + QStringLiteral("/framewright.png"))))
            return 1;
    }
    return 0;
}

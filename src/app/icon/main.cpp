// tarvel-icongen OUTDIR: writes the editor's icon as OUTDIR/<size>x<size>/apps/tarvel.png for the
// sizes an icon theme keeps, to be installed under share/icons/hicolor.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "AppIcon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvel-icongen OUTDIR\n");
        return 2;
    }
    // Drawing needs no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        if (!QDir().mkpath(folder) || !tarvel::DrawAppIcon(size).save(folder + "/tarvel.png")) {
            std::fprintf(stderr, "tarvel-icongen: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}

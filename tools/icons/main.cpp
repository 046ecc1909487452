// quarrymere-icons OUTDIR: draws the program's icon into the folders of the desktop's icon theme,
// OUTDIR/hicolor/NxN/apps/quarrymere.png for each size a desktop asks for and
// OUTDIR/hicolor/scalable/apps/quarrymere.svg, the same picture the window shows. Run by the
// build, so that the installed icons never differ from the program's own.
#include "ui/controls/Pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// The sizes of the hicolor theme's folders that menus, docks and file managers look in.
constexpr int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool writePng(const QString& folder, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        ui::drawAppIcon(painter, size);
    }
    return QDir().mkpath(folder) && image.save(folder + "/quarrymere.png", "PNG");
}

bool writeSvg(const QString& folder) {
    if (!QDir().mkpath(folder))
        return false;
    QSvgGenerator svg;
    svg.setFileName(folder + "/quarrymere.svg");
    svg.setSize(QSize(64, 64));
    svg.setViewBox(QRect(0, 0, 64, 64));
    svg.setTitle("Quarrymere");
    svg.setDescription("A grouping tree beside a grid");
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    ui::drawAppIcon(painter, 64);
    return painter.end();
}

} // namespace

int main(int argc, char** argv) {
    // The scalable picture names the painter's font, which only an application knows; the
    // offscreen platform serves wherever the build runs, with a runtime folder of its own.
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: quarrymere-icons OUTDIR\n";
        return 2;
    }
    const QString theme = QFile::decodeName(argv[1]) + "/hicolor/";
    for (int size : Sizes) {
        const QString folder = theme + QString("%1x%1/apps").arg(size);
        if (!writePng(folder, size)) {
            err << "quarrymere-icons: cannot write " << folder << "/quarrymere.png\n";
            return 1;
        }
    }
    if (!writeSvg(theme + "scalable/apps")) {
        err << "quarrymere-icons: cannot write " << theme << "scalable/apps/quarrymere.svg\n";
        return 1;
    }
    return 0;
}

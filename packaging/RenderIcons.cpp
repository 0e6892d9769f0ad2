// zoma-render-icons: the window icon's PNG sizes, drawn from packaging/zoma-panel.svg by Qt's own
// SVG icon engine, the one that drew the window icon when the program loaded the SVG itself.
//
//   zoma-render-icons SVG FOLDER
//
// Writes FOLDER/zoma-panel-N.png for the sizes X11 asks of a scalable window icon. Run by the
// zoma-icons target whenever the SVG changes; the PNGs are kept in the source tree so the
// program never loads Qt's SVG machinery to show its icon.
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SVG FOLDER\n", argv[0]);
        return 2;
    }
    const QGuiApplication app(argc, argv);
    const QIcon icon(QString::fromLocal8Bit(argv[1]));
    // The sizes Qt's X11 window asks of an icon that has none of its own (QXcbWindow).
    for (const int size : {16, 32, 64, 128}) {
        const QString path =
            QStringLiteral("%1/zoma-panel-%2.png").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        const QPixmap pixmap = icon.pixmap(QSize(size, size));
        if (pixmap.isNull() || !pixmap.save(path, "PNG")) {
            std::fprintf(stderr, "%s: cannot draw or write %s\n", argv[0], qPrintable(path));
            return 1;
        }
    }
    return 0;
}

// zoma-icon-pixels: one size of the window icon, unpacked at build time from its PNG into the
// bare pixels the program loads without decoding.
//
//   zoma-icon-pixels PNG OUT
//
// OUT holds width x height pixels of four bytes, R G B A in that order whatever the machine's
// byte order, alpha premultiplied: Qt's RGBA8888_Premultiplied, which needs no conversion to be
// drawn. Decoding the four PNGs at every start cost about 3 % of its instructions.
#include <QFile>
#include <QImage>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PNG OUT\n", argv[0]);
        return 2;
    }
    const QImage image = QImage(QString::fromLocal8Bit(argv[1]), "PNG")
                             .convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (image.isNull() || image.width() != image.height() || !out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "%s: cannot read %s or write %s\n", argv[0], argv[1], argv[2]);
        return 1;
    }
    // Row by row: a QImage's rows may be padded; the file's are not.
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const char*>(image.constScanLine(y));
        if (out.write(row, qint64(image.width()) * 4) != qint64(image.width()) * 4) return 1;
    }
    return out.flush() ? 0 : 1;
}

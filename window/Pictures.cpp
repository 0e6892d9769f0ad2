// PNG by name, never by sniffing; the icon's sizes one file of bare pixels each.
#include "window/Pictures.h"

#include <QImage>
#include <QImageReader>
#include <QResource>
#include <cstring>

namespace zoma {

QPixmap resourcePng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon panelIcon() {
    QIcon icon;
    for (const int size : {16, 32, 64, 128}) {
        const QResource pixels(QStringLiteral(":/zoma/icons/zoma-panel-%1.rgba").arg(size));
        const QByteArray bytes = pixels.uncompressedData();
        // Copied into the image's own memory: a resource's bytes need not be aligned.
        QImage image(size, size, QImage::Format_RGBA8888_Premultiplied);
        if (bytes.size() != image.sizeInBytes()) continue;
        std::memcpy(image.bits(), bytes.constData(), std::size_t(bytes.size()));
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace zoma

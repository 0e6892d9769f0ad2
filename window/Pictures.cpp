// PNG by name, never by sniffing; the icon's sizes one file each.
#include "window/Pictures.h"

#include <QImageReader>

namespace zoma {

QPixmap resourcePng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon panelIcon() {
    QIcon icon;
    for (const int size : {16, 32, 64, 128}) {
        icon.addPixmap(resourcePng(QStringLiteral(":/zoma/icons/zoma-panel-%1.png").arg(size)));
    }
    return icon;
}

}  // namespace zoma

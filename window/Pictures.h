// The panel's pictures from its resources: the window icon and the picture in the corner.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace zoma {

// A PNG of the resources, read by Qt's own PNG reader. Left to guess, Qt's image reader loads
// every image plug-in (SVG, GIF, ICO, JPEG, and the SVG library behind the first) to ask each
// whether it reads the file, for nothing.
QPixmap resourcePng(const QString& path);

// The window's icon: the desktop's SVG drawn once at the sizes X11 asks of a window icon
// (resources/icons, made by the zoma-icons target) and unpacked into bare pixels at build time
// (zoma-icon-pixels), so showing it needs neither SVG machinery nor a PNG decoder.
QIcon panelIcon();

}  // namespace zoma

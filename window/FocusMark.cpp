// A dotted focus rectangle in the colour of most contrast with the face beneath it.
#include "window/FocusMark.h"

#include <QPen>
#include <cmath>

namespace zoma {

namespace {

// Relative luminance of a colour as the contrast ratio of WCAG defines it.
double luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

}  // namespace

void drawFocusMark(QPainter& painter, const QRect& rect, const QColor& face) {
    const double faceLight = luminance(face) + 0.05;
    // Contrast with black is faceLight / 0.05, with white 1.05 / faceLight.
    const bool dark = faceLight * faceLight > 0.05 * 1.05;
    QPen pen(dark ? Qt::black : Qt::white);
    pen.setWidth(1);
    // One dot on, one off: the classic dotted focus rectangle.
    pen.setDashPattern({1.0, 1.0});
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

}  // namespace zoma

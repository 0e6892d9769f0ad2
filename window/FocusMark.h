// The mark of the keyboard focus, drawn the same way on every button and option of the panel.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

namespace zoma {

// A dotted rectangle just inside rect, black or white, whichever stands out more on face: the
// style's own focus frame is a faint tint that all but vanishes on the panel's light faces.
void drawFocusMark(QPainter& painter, const QRect& rect, const QColor& face);

}  // namespace zoma

// Flat-filled painting with a wrapped, centred caption; press and release of any mouse button
// and of Space.
#include "window/PanelButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "window/FocusMark.h"

namespace zoma {

namespace {

// The focus mark stands this far inside the bevel, clear of it on the smallest buttons.
constexpr int kFocusMarkInset = 3;

}  // namespace

PanelButton::PanelButton(const QString& caption, const QColor& face, const QColor& captionColour,
                         QWidget* parent)
    : QPushButton(caption, parent), face_(face), captionColour_(captionColour) {
    // Every pixel is painted here: Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelButton::startHold() {
    held_ = true;
    emit mouseDown();
}

void PanelButton::mousePressEvent(QMouseEvent* event) {
    // QPushButton itself reacts to the left button only: the click of a one-shot button.
    QPushButton::mousePressEvent(event);
    event->accept();
    startHold();
}

void PanelButton::mouseReleaseEvent(QMouseEvent* event) {
    QPushButton::mouseReleaseEvent(event);
    event->accept();
    // The first release ends a hold, whichever button was pressed.
    endHold();
}

void PanelButton::keyPressEvent(QKeyEvent* event) {
    // QAbstractButton presses the button on Space and ignores the key's auto-repeat (on X11 a
    // release and a press, both flagged), so the panel's own timer alone sets the pace of a
    // hold. Enter clicks without ever holding the button down, so a held button sends nothing.
    const bool wasDown = isDown();
    QPushButton::keyPressEvent(event);
    if (!wasDown && isDown()) {
        startHold();
    } else if (wasDown && !isDown()) {
        // The button is up again before its release (Escape cancels a press): the hold ends.
        endHold();
    }
}

void PanelButton::keyReleaseEvent(QKeyEvent* event) {
    const bool wasDown = isDown();
    QPushButton::keyReleaseEvent(event);
    if (wasDown && !isDown()) endHold();
}

void PanelButton::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    // A key's release goes to the focus widget: once the focus has gone it will not come here.
    endHold();
}

void PanelButton::endHold() {
    if (!held_) return;
    held_ = false;
    setDown(false);
    emit mouseUp();
}

bool PanelButton::event(QEvent* event) {
    // Losing the pointer grab or being hidden means the release will not come here.
    if (event->type() == QEvent::UngrabMouse || event->type() == QEvent::Hide) endHold();
    return QPushButton::event(event);
}

void PanelButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    const bool sunken = isDown();
    // Every button is drawn flat in its own colour; the "COM" button's is the platform's face.
    const QColor face = face_.isValid() ? face_ : palette().color(QPalette::Button);
    painter.fillRect(area, face);
    // A raised bevel, pressed in while the button is down.
    const QColor light = sunken ? QColor(0x808080) : QColor(0xFFFFFF);
    const QColor dark = sunken ? QColor(0xFFFFFF) : QColor(0x404040);
    painter.setPen(light);
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomRight());

    QRect textArea = area.adjusted(2, 1, -2, -1);
    if (sunken) textArea.translate(1, 1);
    painter.setPen(captionColour_.isValid() ? captionColour_
                                            : palette().color(QPalette::ButtonText));
    painter.setFont(font());
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, text());

    if (hasFocus()) {
        const int inset = kFocusMarkInset;
        drawFocusMark(painter, area.adjusted(inset, inset, -inset, -inset), face);
    }
}

}  // namespace zoma

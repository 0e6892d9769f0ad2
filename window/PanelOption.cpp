// The style draws the option; the focus mark is the panel's, visible on the panel's grey.
#include "window/PanelOption.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "window/FocusMark.h"

namespace zoma {

PanelOption::PanelOption(const QString& caption, QWidget* parent) : QRadioButton(caption, parent) {}

void PanelOption::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const bool focused = option.state & QStyle::State_HasFocus;
    // The style's own focus frame would sit faintly beneath the mark.
    option.state &= ~QStyle::State_HasFocus;
    painter.drawControl(QStyle::CE_RadioButton, option);
    if (!focused) return;
    option.state |= QStyle::State_HasFocus;
    const QRect around = style()->subElementRect(QStyle::SE_RadioButtonFocusRect, &option, this);
    drawFocusMark(painter, around.intersected(rect()), palette().color(backgroundRole()));
}

}  // namespace zoma

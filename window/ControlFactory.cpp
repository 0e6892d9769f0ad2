// Buttons, labels, frames, options and the picture, styled from their row.
#include "window/ControlFactory.h"

#include <QFrame>
#include <QLabel>
#include <map>
#include <utility>

#include "form/ControlNames.h"
#include "window/Fonts.h"
#include "window/PanelButton.h"
#include "window/PanelOption.h"
#include "window/Pictures.h"

namespace zoma {

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

// The table has few pairs of colours: one palette each, shared by every widget that has them,
// instead of a copy changed role by role for every widget.
const QPalette& paletteFor(std::uint32_t background, std::uint32_t foreground) {
    static std::map<std::pair<std::uint32_t, std::uint32_t>, QPalette> palettes;
    const auto key = std::make_pair(background, foreground);
    auto found = palettes.find(key);
    if (found == palettes.end()) {
        // Only these roles are set: every other one still follows the application's palette.
        QPalette palette;
        const QColor back = QColor::fromRgb(background);
        const QColor fore = QColor::fromRgb(foreground);
        palette.setColor(QPalette::Window, back);
        palette.setColor(QPalette::Button, back);
        palette.setColor(QPalette::Base, back);
        palette.setColor(QPalette::WindowText, fore);
        palette.setColor(QPalette::ButtonText, fore);
        palette.setColor(QPalette::Text, fore);
        found = palettes.emplace(key, palette).first;
    }
    return found->second;
}

void fill(QWidget* widget, std::uint32_t background, std::uint32_t foreground) {
    widget->setPalette(paletteFor(background, foreground));
    widget->setAutoFillBackground(true);
}

Qt::Alignment alignment(Align align) {
    switch (align) {
        case Align::Centre:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Align::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QWidget* createButton(const ControlRow& row, QWidget* container) {
    const bool standard = row.background == kButtonFace;
    const QColor face = standard ? QColor() : QColor::fromRgb(QRgb(row.background));
    const QColor caption = standard ? QColor() : QColor::fromRgb(QRgb(row.foreground));
    auto* button = new PanelButton(text(row.caption), face, caption, container);
    // Enter activates the focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

QWidget* createLabel(const ControlRow& row, QWidget* container) {
    auto* label = new QLabel(text(row.caption), container);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment(row.align));
    fill(label, row.background, row.foreground);
    if (row.border) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
    }
    return label;
}

QWidget* createFrame(const ControlRow& row, QWidget* container) {
    auto* frame = new QFrame(container);
    fill(frame, row.background, row.foreground);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setMidLineWidth(0);
    return frame;
}

QWidget* createOption(const ControlRow& row, QWidget* container) {
    auto* option = new PanelOption(text(row.caption), container);
    fill(option, row.background, row.foreground);
    option->setChecked(row.selectedAtStart);
    return option;
}

// What assistive technology reads: a name that tells the control from its namesakes ("POWER ON",
// not "ON") and what it does. The visible caption stays as it is.
void describe(const ControlTable& table, const ControlRow& row, QWidget* widget) {
    if (row.tab > 0) {
        const std::string name = accessibleName(row);
        // Where the name is the caption, Qt's default name follows the caption as it changes.
        if (name != row.caption) widget->setAccessibleName(QString::fromStdString(name));
    }
    const QString description = QString::fromStdString(accessibleDescription(row));
    if (description.isEmpty()) return;
    widget->setAccessibleDescription(description);
    // The lines need no tip: their text is what they say.
    if (row.tab > 0) widget->setToolTip(description);
}

QWidget* createPicture(QWidget* container) {
    auto* picture = new QLabel(container);
    picture->setPixmap(resourcePng(QStringLiteral(":/zoma/image1.png")));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

}  // namespace

QWidget* createControl(const ControlTable& table, const ControlRow& row, QWidget* container) {
    QWidget* widget = nullptr;
    switch (row.kind) {
        case Kind::Button:
            widget = createButton(row, container);
            break;
        case Kind::Label:
            widget = createLabel(row, container);
            break;
        case Kind::Frame:
            widget = createFrame(row, container);
            break;
        case Kind::Option:
            widget = createOption(row, container);
            break;
        case Kind::Picture:
            widget = createPicture(container);
            break;
    }
    widget->setObjectName(text(row.name));
    if (row.face != Face::None) widget->setFont(controlFont(row.face, row.pointSize, row.bold));
    widget->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width),
                        twipsToPixels(row.height));
    widget->setFocusPolicy(row.tab > 0 ? Qt::StrongFocus : Qt::NoFocus);
    describe(table, row, widget);
    if (row.hiddenAtStart) widget->hide();
    return widget;
}

}  // namespace zoma

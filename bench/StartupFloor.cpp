// zoma-bench-floor: the floor the panel's start-up is measured against. A bare Qt window with
// the panel's controls as stock widgets (push buttons, labels, frames, radio buttons) in their
// places, with their captions and their fonts through the same substitutes, and nothing else:
// no palettes, no names for assistive technology, no tips, no icon, no port, no custom
// painting. Ends at its first paint and reports as the probe does.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <map>

#include "FirstPaint.h"
#include "form/ControlTable.h"
#include "form/Panels.h"
#include "window/ControlFactory.h"
#include "window/Fonts.h"

namespace {

QWidget* stockWidget(const zoma::ControlRow& row, QWidget* parent) {
    const QString caption = QString::fromUtf8(row.caption.data(), int(row.caption.size()));
    switch (row.kind) {
        case zoma::Kind::Button:
            return new QPushButton(caption, parent);
        case zoma::Kind::Label:
            return new QLabel(caption, parent);
        case zoma::Kind::Frame:
            return new QFrame(parent);
        case zoma::Kind::Option:
            return new QRadioButton(caption, parent);
        case zoma::Kind::Picture:
            break;
    }
    return new QLabel(parent);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zoma::installFontSubstitutes();

    QWidget window;
    window.setWindowTitle(QString::fromUtf8(zoma::kForm1Caption));
    window.setFont(zoma::controlFont(zoma::Face::PGothic, 7.5, false));
    // The size the panel has once loaded; no window manager adds a frame under Xvfb.
    window.setFixedSize(zoma::twipsToPixels(zoma::kForm1ClientWidth),
                        zoma::twipsToPixels(zoma::Panels::kNormalHeight));
    std::map<std::string_view, QWidget*> containers;
    for (const zoma::ControlRow& row : zoma::form1Controls()) {
        QWidget* parent = row.container.empty() ? &window : containers.at(row.container);
        QWidget* widget = stockWidget(row, parent);
        if (row.kind == zoma::Kind::Frame) containers.emplace(row.name, widget);
        if (row.face != zoma::Face::None) {
            widget->setFont(zoma::controlFont(row.face, row.pointSize, row.bold));
        }
        widget->setGeometry(zoma::twipsToPixels(row.left), zoma::twipsToPixels(row.top),
                            zoma::twipsToPixels(row.width), zoma::twipsToPixels(row.height));
        if (row.hiddenAtStart) widget->hide();
    }
    new zoma::bench::FirstPaint(window);
    window.show();
    return app.exec();
}

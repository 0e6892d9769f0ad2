// Properties of the built window that follow from its layout's meaning.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "doubles/FormRig.h"
#include "form/ControlTable.h"
#include "window/EventBinding.h"
#include "window/Form1Window.h"

namespace zoma {
namespace {

using testing::FormRig;

class LayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bindControls(window, rig.form);
        rig.load();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QRect placeOf(std::string_view name) const {
        const QWidget* widget = window.control(name);
        return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
    }

    std::vector<const char*> buttons() const {
        std::vector<const char*> names;
        for (const ControlRow& row : form1Controls()) {
            if (row.kind == Kind::Button) names.push_back(row.name.data());
        }
        return names;
    }

    Form1Window window;
    FormRig rig{&window};
};

// The read-out buttons and "C01" live below the normal height.
bool inLowerArea(std::string_view name) {
    for (const char* lower :
         {"Command44", "Command45", "Command46", "Command47", "Command38", "Command52"}) {
        if (name == lower) return true;
    }
    return false;
}

TEST_F(LayoutTest, NormalHeightShowsTheUpperAreaWholeAndNothingOfTheLowerButtons) {
    ASSERT_EQ(window.heightTwips(), 5200);
    for (const char* name : buttons()) {
        const QRect place = placeOf(name);
        // The data toggle sits at the lower area's top edge: how much of it a frameless window
        // shows depends on the platform's frame.
        if (std::string_view(name) == kDataToggle) continue;
        if (inLowerArea(name)) {
            EXPECT_FALSE(window.rect().intersects(place)) << name;
        } else {
            EXPECT_TRUE(window.rect().contains(place)) << name;
        }
    }
    window.setHeightTwips(7000);
    for (const char* name : buttons()) EXPECT_TRUE(window.rect().contains(placeOf(name))) << name;
    EXPECT_TRUE(window.rect().contains(placeOf(kStatusLine)));
}

TEST_F(LayoutTest, WindowIsCentredAtItsDesignedSizeThenShrunkAtTheBottom) {
    const QRect screen = window.screen()->availableGeometry();
    const QRect outer = window.frameGeometry();
    const int decoration = outer.height() - window.height();
    EXPECT_EQ(outer.center().x(), screen.center().x());
    // Centred with the whole client area of 9510 x 6615 twips in view.
    EXPECT_EQ(outer.top(), screen.top() + (screen.height() - (441 + decoration)) / 2);
    window.setHeightTwips(7000);
    EXPECT_EQ(window.frameGeometry().top(), outer.top());
}

TEST_F(LayoutTest, ButtonsTouchAtMostByOnePixelAndThePortPanelCoversCom) {
    const std::vector<const char*> names = buttons();
    for (std::size_t i = 0; i < names.size(); ++i) {
        for (std::size_t j = i + 1; j < names.size(); ++j) {
            const QRect overlap = placeOf(names[i]).intersected(placeOf(names[j]));
            EXPECT_TRUE(overlap.isEmpty() || overlap.width() <= 1 || overlap.height() <= 1)
                << names[i] << " and " << names[j];
        }
    }
    rig.form.click(kComButton);
    const QRect com = placeOf(kComButton);
    EXPECT_TRUE(placeOf(kPortPanel).contains(com));
    EXPECT_NE(window.childAt(com.center()), window.control(kComButton));
}

TEST_F(LayoutTest, TabVisitsTheControlsInTheirFocusOrder) {
    std::vector<int> order;
    QWidget* start = window.control("Command17");
    QWidget* widget = start;
    do {
        if (const ControlRow* row = form1Controls().find(widget->objectName().toStdString())) {
            if (row->tab > 0) order.push_back(row->tab);
        }
        widget = widget->nextInFocusChain();
    } while (widget != start);
    ASSERT_EQ(order.size(), 58u);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));

    // Tab from "ON" under "POWER" goes to "+" under "VOL", the next in the order.
    window.activateWindow();
    window.control("Command17")->setFocus();
    QTest::keyClick(window.control("Command17"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.control("Command1"));
}

TEST_F(LayoutTest, CaptionsKeepTheirBlanksAndLongCaptionsWrap) {
    EXPECT_EQ(window.windowTitle(), "ZOMA   LT540 & LT47  CONTROL  Ver.1.31");
    EXPECT_EQ(qobject_cast<QLabel*>(window.control("Label21"))->text(), "INPUT 1 ");
    EXPECT_EQ(qobject_cast<QLabel*>(window.control("Label6"))->text(), "VIDEO  image");

    auto* clear = qobject_cast<QAbstractButton*>(window.control("Command3"));
    const QFontMetrics metrics(clear->font());
    const QRect wrapped = metrics.boundingRect(clear->rect().adjusted(2, 1, -2, -1),
                                               Qt::AlignCenter | Qt::TextWordWrap, clear->text());
    EXPECT_GE(wrapped.height(), 2 * metrics.height());
    EXPECT_LE(wrapped.height(), clear->height());
}

TEST_F(LayoutTest, EveryButtonIsDrawnInItsOwnFaceAndCaptionColours) {
    for (const ControlRow& row : form1Controls()) {
        if (row.kind != Kind::Button || row.hiddenAtStart) continue;
        SCOPED_TRACE(row.name);
        QWidget* button = window.control(row.name);
        const QImage image = button->grab().toImage();
        // Inside the bevel, left of the caption: the face. "COM" has the platform's face.
        const QColor face = row.background == kButtonFace
                                ? button->palette().color(QPalette::Button)
                                : QColor::fromRgb(QRgb(row.background));
        EXPECT_EQ(image.pixelColor(2, image.height() / 2), face);
        // The caption stands out in its own colour: thin strokes ("+", arrows) are smoothed,
        // so its nearest pixel is taken, and must be nearer the caption's colour than the face.
        const QColor caption = row.background == kButtonFace
                                   ? button->palette().color(QPalette::ButtonText)
                                   : QColor::fromRgb(QRgb(row.foreground));
        const auto distance = [](const QColor& a, const QColor& b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue());
        };
        int nearest = distance(face, caption);
        for (int y = 2; y < image.height() - 2; ++y) {
            for (int x = 2; x < image.width() - 2; ++x) {
                nearest = std::min(nearest, distance(image.pixelColor(x, y), caption));
            }
        }
        EXPECT_LT(nearest, distance(face, caption) / 3);
    }
}

TEST_F(LayoutTest, TheIconAndThePictureAreDrawnFromTheResources) {
    // Every size X11 asks of a window icon, each drawn, not blank: a missing resource would
    // leave the window without an icon and say nothing.
    const QIcon icon = window.windowIcon();
    const QList<QSize> sizes = {{16, 16}, {32, 32}, {64, 64}, {128, 128}};
    EXPECT_EQ(icon.availableSizes(), sizes);
    for (const QSize& size : sizes) {
        SCOPED_TRACE(size.width());
        const QImage image = icon.pixmap(size).toImage();
        ASSERT_EQ(image.size(), size);
        // The projector's body, in the panel's grey, between the lens and the connector.
        const QColor body = image.pixelColor(size.width() * 62 / 128, size.height() * 100 / 128);
        EXPECT_EQ(body.alpha(), 255);
        EXPECT_NEAR(body.red(), 0xC0, 0x20);
        // The corner above the beam stays transparent.
        EXPECT_EQ(image.pixelColor(size.width() - 1, 0).alpha(), 0);
    }
    const auto* picture = qobject_cast<QLabel*>(window.control("Image1"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixmap().size(), QSize(80, 26));
}

TEST_F(LayoutTest, GothicFacesFallBackToIpaGothic) {
    if (!QFontDatabase::families().contains("IPAGothic")) {
        GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
    }
    EXPECT_EQ(QFontInfo(window.control("Command17")->font()).family(), "IPAGothic");
    EXPECT_EQ(QFontInfo(window.control(kStatusLine)->font()).family(), "IPAPGothic");
}

}  // namespace
}  // namespace zoma

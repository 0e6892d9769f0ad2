// The real window bound to the form on a virtual clock and a scripted port, shown and active.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QStringList>
#include <QTest>

#include "doubles/FormRig.h"
#include "window/EventBinding.h"
#include "window/Form1Window.h"

namespace zoma::testing {

class ShownWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bindControls(window, rig.form);
        window.presentWarning = [this](const QString& text) { warnings << text; };
        window.endApplication = [this] { ended = true; };
        rig.load();
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QAbstractButton* button(std::string_view name) {
        return qobject_cast<QAbstractButton*>(window.control(name));
    }
    void click(std::string_view name, Qt::MouseButton mouse = Qt::LeftButton) {
        QTest::mouseClick(button(name), mouse);
    }

    Form1Window window;
    FormRig rig{&window};
    QStringList warnings;
    bool ended = false;
};

}  // namespace zoma::testing

// Test entry point for the tests that need a QApplication: offscreen unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/Headless.h"
#include "window/Fonts.h"

int main(int argc, char* argv[]) {
    zoma::testing::prepareHeadless();
    QApplication app(argc, argv);
    zoma::installFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

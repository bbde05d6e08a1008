#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Fonts and painters need an application; tests never show a window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

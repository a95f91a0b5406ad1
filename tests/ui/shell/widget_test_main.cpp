// Runs the shell's widget tests inside one QApplication on the off-screen platform, so they need
// no display (also when CTest lists the tests at build time).

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

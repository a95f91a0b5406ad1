// Runs a widget test program inside one QApplication on the off-screen platform, so it needs no
// display (also when CTest lists the tests at build time).

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef VINTREL_TEST_SCALE_FACTOR
    qputenv("QT_SCALE_FACTOR", VINTREL_TEST_SCALE_FACTOR);
#endif
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

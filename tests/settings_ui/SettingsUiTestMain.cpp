#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Widgets need an application object; the offscreen platform lets the suite
// run without a display. The test registration sets the platform too; this
// covers a run by hand.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

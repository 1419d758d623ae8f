#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

// One QApplication for all tests of a window test executable. The offscreen
// platform is the default, so listing and running tests needs no display.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

// One QApplication for all tests of a window test executable. The offscreen
// platform and the built-in test scene are the defaults, so the tests need
// neither a display nor a camera.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("BGDIFF_VIDEO_SOURCE", "test", 0);
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

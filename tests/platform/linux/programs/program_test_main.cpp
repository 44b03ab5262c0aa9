// Runs the end-to-end tests of the player programs. They start copies of the real programs on
// the display the test runner provides (Xvfb); without one the program says so and fails.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();  // test discovery needs no display
    }
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        std::fprintf(stderr,
                     "error: DISPLAY is not set. These tests start the players on an X display; "
                     "run them under xvfb-run (./check does).\n");
        return 1;
    }
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

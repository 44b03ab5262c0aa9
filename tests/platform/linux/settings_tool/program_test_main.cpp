// Runs the settings tool's end-to-end tests. They drive the real program on the display the test
// runner provides (Xvfb); without one the program says so and fails, rather than skipping.
#include <gtest/gtest.h>

#include <QGuiApplication>
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
                     "error: DISPLAY is not set. These tests drive the settings tool on an X "
                     "display; run them under xvfb-run (./check does).\n");
        return 1;
    }
    // For the screen's twips-per-pixel factors, which the tool's window is laid out with.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

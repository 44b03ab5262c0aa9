// The main() of every test program that opens windows or drives programs on the display the
// test runner provides (Xvfb). Without a display it says so and fails, rather than skipping.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
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
                     "error: DISPLAY is not set. These tests open real windows; run them under "
                     "xvfb-run (./check does).\n");
        return 1;
    }
    // Qt's own settings and caches go to a folder of the test's, never the user's.
    const QTemporaryDir home;
    for (const char* variable : {"HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
        setenv(variable, home.path().toLocal8Bit().constData(), 1);
    }
    // The screen's twips-per-pixel factors come from the X display the runner gives.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

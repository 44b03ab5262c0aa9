// The main() of every test program that opens windows or drives programs on a display: each
// program gets an X server of its own (Xvfb), so that programs run side by side never take each
// other's focus or keys, and home, cache and runtime folders in a temporary folder, so that
// nothing of the user's is read or written (Mesa keeps a shader cache there).

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "private_display.hpp"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();  // test discovery needs no display
    }
    std::unique_ptr<nwmp::testing::PrivateDisplay> display;
    try {
        display = std::make_unique<nwmp::testing::PrivateDisplay>();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "error: %s. These tests open real windows on Xvfb.\n", error.what());
        return 1;
    }
    const QTemporaryDir home;
    for (const char* variable :
         {"HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
        setenv(variable, home.path().toLocal8Bit().constData(), 1);
    }
    // The screen's twips-per-pixel factors come from the X display the runner gives.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
#ifdef NWMP_TEST_SHARES_OPENGL
    // What the player's main() does for the engine; NWMP_TEST_UNSHARED_GL checks it without.
    // Only the engine's tests ask for it: the driver then loaded keeps memory until the end.
    if (std::getenv("NWMP_TEST_UNSHARED_GL") == nullptr) {
        QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }
#endif
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

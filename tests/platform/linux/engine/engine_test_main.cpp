// Runs the engine's widget tests inside a QApplication on a display of their own, with home and
// cache folders in a temporary folder so that nothing of the user's is read or written (Mesa keeps
// a shader cache there).
#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
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
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    const QTemporaryDir home;
    for (const char* variable :
         {"HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
        setenv(variable, home.path().toLocal8Bit().constData(), 1);
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // What the player's main() does; NWMP_TEST_UNSHARED_GL checks the engine without it.
    if (std::getenv("NWMP_TEST_UNSHARED_GL") == nullptr) {
        QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

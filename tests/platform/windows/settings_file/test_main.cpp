// The test program, which the several-writers test also starts as writers of its own.

#include <gtest/gtest.h>

#include <optional>

namespace nwmp::testing {
// The exit status when the arguments make this process a writer (settings_file_on_disk_test.cpp).
std::optional<int> runAsWriter(int argc, char** argv);
}  // namespace nwmp::testing

int main(int argc, char** argv) {
    if (const std::optional<int> status = nwmp::testing::runAsWriter(argc, argv)) {
        return *status;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

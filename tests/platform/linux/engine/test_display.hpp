#pragma once

// A private X server for tests that need a display: started only when DISPLAY is unset, on a
// display number the server picks itself, and stopped when the object goes.

#include <sys/types.h>

namespace nwmp::testing {

class TestDisplay {
  public:
    TestDisplay();  // throws std::runtime_error when Xvfb cannot be started
    ~TestDisplay();
    TestDisplay(const TestDisplay&) = delete;
    TestDisplay& operator=(const TestDisplay&) = delete;

  private:
    pid_t server_ = -1;
};

}  // namespace nwmp::testing

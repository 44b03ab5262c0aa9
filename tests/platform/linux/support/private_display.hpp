#pragma once

// A private X server for a test program or a test that needs a display: started whatever DISPLAY
// says, on a display number the server picks itself, named by DISPLAY while the object lives, and
// stopped when it goes (or, should the program die, when the server sees its parent gone). Test
// programs that run side by side thus never share windows, focus, keys or the server's
// connection limit.

#include <sys/types.h>

#include <optional>

#include "tests/common/scoped_environment.hpp"

namespace nwmp::testing {

class PrivateDisplay {
  public:
    PrivateDisplay();  // throws std::runtime_error when Xvfb cannot be started
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  private:
    void stop();
    pid_t server_ = -1;
    std::optional<ScopedEnvironment> environment_;
};

}  // namespace nwmp::testing

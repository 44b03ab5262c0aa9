#pragma once

// A private X server for a test program that needs a display: started whatever DISPLAY says, on
// a display number the server picks itself, and stopped when the object goes (or, should the
// program die, when the server sees its parent gone). Test programs that run side by side thus
// never share windows, focus, keys or the server's connection limit.

#include <sys/types.h>

namespace nwmp::testing {

class PrivateDisplay {
  public:
    PrivateDisplay();  // throws std::runtime_error when Xvfb cannot be started
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  private:
    pid_t server_ = -1;
};

}  // namespace nwmp::testing

#pragma once

// The settings tool's own process: is another copy of the tool running, and ending at once.

namespace nwmp {

class ToolProcess {
  public:
    virtual ~ToolProcess() = default;

    // True when another copy of the settings tool (not a player) is already running.
    virtual bool anotherCopyRunning() = 0;

    // Ends the program at once, running no further handler and writing nothing. The real
    // platform does not return; should it return (a test's fake does), the core does nothing
    // more in the handler that asked.
    virtual void endNow() = 0;
};

}  // namespace nwmp

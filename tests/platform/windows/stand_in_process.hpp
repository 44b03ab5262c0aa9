#pragma once

// Starting the program stand-ins that lie beside the test program, and waiting for them.

#include <windows.h>

#include <chrono>
#include <string>

#include "tests/platform/windows/support/running_program.hpp"

namespace nwmp::testing {

class StandIn : public windows_testing::RunningProgram {
  public:
    // Starts PROGRAM.exe from the test program's folder with the given argument text.
    StandIn(const std::wstring& program, const std::wstring& arguments);
};

// Runs a stand-in to its end and gives its exit code (fails the test after a generous bound).
DWORD runStandIn(const std::wstring& program, const std::wstring& arguments);

// A named event a stand-in signals; unique per object.
class NamedEvent {
  public:
    NamedEvent();
    explicit NamedEvent(const wchar_t* name);
    ~NamedEvent();
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    const std::wstring& name() const { return name_; }
    bool signalledWithin(std::chrono::milliseconds wait) const;

  private:
    std::wstring name_;
    HANDLE event_ = nullptr;
};

// Wine is slow to start a process on a busy machine; nothing here waits longer than this.
inline constexpr std::chrono::milliseconds kStartBound{60000};

}  // namespace nwmp::testing

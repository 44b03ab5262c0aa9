#include "stand_in_process.hpp"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/windows/shared/program_file.hpp"

namespace nwmp::testing {

StandIn::StandIn(const std::wstring& program, const std::wstring& arguments)
    : RunningProgram(L"\"" + windows_platform::programFolder() + L"\\" + program + L".exe\" " +
                     arguments) {}

DWORD runStandIn(const std::wstring& program, const std::wstring& arguments) {
    StandIn standIn(program, arguments);
    EXPECT_TRUE(standIn.endsWithin(kStartBound)) << "stand-in did not end";
    return standIn.exitCode();
}

NamedEvent::NamedEvent() {
    static std::atomic<int> serial{0};
    name_ = L"Local\\NorvalentWMP3.test." + std::to_wstring(GetCurrentProcessId()) + L"." +
            std::to_wstring(++serial);
    event_ = CreateEventW(nullptr, TRUE, FALSE, name_.c_str());
}

NamedEvent::NamedEvent(const wchar_t* name) : name_(name) {
    event_ = CreateEventW(nullptr, TRUE, FALSE, name_.c_str());
}

NamedEvent::~NamedEvent() {
    if (event_ != nullptr) {
        CloseHandle(event_);
    }
}

bool NamedEvent::signalledWithin(std::chrono::milliseconds wait) const {
    return event_ != nullptr &&
           WaitForSingleObject(event_, static_cast<DWORD>(wait.count())) == WAIT_OBJECT_0;
}

}  // namespace nwmp::testing

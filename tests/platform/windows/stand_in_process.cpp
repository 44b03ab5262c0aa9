#include "stand_in_process.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "platform/windows/shared/program_file.hpp"

namespace nwmp::testing {

StandIn::StandIn(const std::wstring& program, const std::wstring& arguments) {
    const std::wstring path = windows_platform::programFolder() + L"\\" + program + L".exe";
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process_)) {
        throw std::runtime_error("stand-in could not be started");
    }
}

StandIn::~StandIn() {
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, static_cast<DWORD>(kStartBound.count()));
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool StandIn::endsWithin(std::chrono::milliseconds wait) const {
    return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(wait.count())) ==
           WAIT_OBJECT_0;
}

DWORD StandIn::exitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

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

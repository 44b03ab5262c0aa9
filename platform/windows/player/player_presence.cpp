#include "platform/windows/player/player_presence.hpp"

namespace nwmp::windows_platform {

namespace {

// Per session, so that players of other users on the same machine stay apart.
constexpr wchar_t kStartupLockName[] = L"Local\\NorvalentWMP3.PlayerStartup";
constexpr wchar_t kRunningName[] = L"Local\\NorvalentWMP3.PlayerRunning";

// A start that takes longer than this (a hung player ahead of it) is no longer waited for.
constexpr DWORD kStartupWaitMs = 15000;

}  // namespace

PlayerPresence::PlayerPresence() {
    startupLock_ = CreateMutexW(nullptr, FALSE, kStartupLockName);
    if (startupLock_ != nullptr) {
        const DWORD waited = WaitForSingleObject(startupLock_, kStartupWaitMs);
        // An abandoned lock belonged to a player that ended while starting: ours now.
        startupLockOwned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    // The object lives as long as any player holds it open.
    running_ = CreateMutexW(nullptr, FALSE, kRunningName);
    previousInstance_ = running_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

PlayerPresence::~PlayerPresence() {
    startupDone();
    if (startupLock_ != nullptr) {
        CloseHandle(startupLock_);
    }
    if (running_ != nullptr) {
        CloseHandle(running_);
    }
}

void PlayerPresence::startupDone() {
    if (startupLockOwned_) {
        ReleaseMutex(startupLock_);
        startupLockOwned_ = false;
    }
}

}  // namespace nwmp::windows_platform

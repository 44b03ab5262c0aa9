#include "platform/linux/player/session_end_signals.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <stdexcept>
#include <utility>

namespace nwmp::linux_platform {

namespace {

constexpr std::array kEndingSignals{SIGTERM, SIGHUP, SIGINT};

// The pipe outlives every handler that might still write to it: it is made once per process.
std::array<int, 2> pipeEnds{-1, -1};

// Only async-signal-safe work here: one byte into the pipe, errno kept.
void handOver(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

}  // namespace

SessionEndSignals::SessionEndSignals(std::function<void()> onEnd) : onEnd_(std::move(onEnd)) {
    if (pipeEnds[0] < 0 && ::pipe2(pipeEnds.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::runtime_error("no pipe for the ending signals");
    }
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { received(); });
    struct sigaction action {};
    action.sa_handler = handOver;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kEndingSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

SessionEndSignals::~SessionEndSignals() {
    // Past the event loop nobody reads the pipe any more; a late signal still ends the process
    // without tearing anything, since every settings write replaces its file whole.
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int signal : kEndingSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

void SessionEndSignals::received() {
    char bytes[16];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    if (!std::exchange(ended_, true) && onEnd_) {
        onEnd_();
    }
}

}  // namespace nwmp::linux_platform

#include "private_display.hpp"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace nwmp::testing {

PrivateDisplay::PrivateDisplay() {
    int fds[2];
    if (pipe(fds) != 0) {
        throw std::runtime_error("no pipe for Xvfb");
    }
    const pid_t parent = getpid();
    server_ = fork();
    if (server_ < 0) {
        throw std::runtime_error("cannot start Xvfb");
    }
    if (server_ == 0) {
        close(fds[0]);
        // A test program that crashes must not leave its server behind.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) {
            _exit(1);
        }
        const std::string fd = std::to_string(fds[1]);
        // -noreset: the server would otherwise reset, refusing connections meanwhile, each time
        // its last client leaves, which between two windows of a test is a matter of chance.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // The server writes its display number once it accepts connections.
    std::string number;
    pollfd wait{fds[0], POLLIN, 0};
    while (number.find('\n') == std::string::npos && poll(&wait, 1, 15000) > 0) {
        char buffer[32];
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        number.append(buffer, static_cast<std::size_t>(got));
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        stop();
        throw std::runtime_error("Xvfb did not start");
    }
    // The runner's authority file belongs to its own server; this one admits local clients.
    environment_.emplace(ScopedEnvironment::Variables{
        {"DISPLAY", std::string(":").append(number.substr(0, number.find('\n')))},
        {"XAUTHORITY", std::nullopt}});
}

PrivateDisplay::~PrivateDisplay() {
    environment_.reset();
    stop();
}

void PrivateDisplay::stop() {
    if (server_ > 0) {
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
        server_ = -1;
    }
}

}  // namespace nwmp::testing

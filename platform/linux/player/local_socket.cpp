#include "platform/linux/player/local_socket.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QtCore/QFile>
#include <QtCore/QSocketNotifier>
#include <cerrno>
#include <cstring>

namespace nwmp::linux_platform {

namespace {

using Clock = std::chrono::steady_clock;

bool socketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray native = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (native.isEmpty() || static_cast<std::size_t>(native.size()) >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, native.constData(), static_cast<std::size_t>(native.size()));
    return true;
}

int newSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// Waits at most until deadline for the descriptor to be ready for events; false on time out.
bool waitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(std::max<long long>(left, 0)));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

}  // namespace

LocalConnection::LocalConnection() = default;

LocalConnection::LocalConnection(int fd) : fd_(fd) {}

LocalConnection::~LocalConnection() {
    close();
}

void LocalConnection::close() {
    // Qt lets a notifier go inside its own signal, so this may run from a handler.
    notifier_.reset();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    peerGone_ = false;
    received_.clear();
}

LocalConnection::Reached LocalConnection::connectTo(const QString& path,
                                                    std::chrono::milliseconds timeout) {
    close();
    sockaddr_un address{};
    if (!socketAddress(path, address)) {
        return Reached::No;
    }
    fd_ = newSocket();
    if (fd_ < 0) {
        return Reached::No;
    }
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        return Reached::Yes;
    }
    const int error = errno;
    // A listener whose queue is full takes the connection once it accepts the ones before.
    if ((error == EAGAIN || error == EINPROGRESS) &&
        waitFor(fd_, POLLOUT, Clock::now() + timeout)) {
        int pending = 0;
        socklen_t size = sizeof pending;
        if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &pending, &size) == 0 && pending == 0) {
            return Reached::Yes;
        }
    }
    close();
    return error == ECONNREFUSED ? Reached::Refused : Reached::No;
}

bool LocalConnection::write(const QByteArray& bytes, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    qsizetype sent = 0;
    while (fd_ >= 0 && sent < bytes.size()) {
        // MSG_NOSIGNAL: a reader that has gone is a failed write, not the end of this program.
        const ssize_t wrote = ::send(fd_, bytes.constData() + sent,
                                     static_cast<std::size_t>(bytes.size() - sent), MSG_NOSIGNAL);
        if (wrote > 0) {
            sent += wrote;
        } else if (wrote < 0 && errno == EINTR) {
            continue;
        } else if (wrote < 0 && errno == EAGAIN) {
            if (!waitFor(fd_, POLLOUT, deadline)) {
                return false;
            }
        } else {
            peerGone_ = true;
            return false;
        }
    }
    return fd_ >= 0;
}

void LocalConnection::readWhatArrived() {
    while (fd_ >= 0 && !peerGone_) {
        char buffer[4096];
        const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
        if (got > 0) {
            received_.append(buffer, got);
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            if (got == 0 || errno != EAGAIN) {
                peerGone_ = true;
                if (notifier_) {
                    notifier_->setEnabled(false);  // an ended stream stays readable
                }
            }
            return;
        }
    }
}

bool LocalConnection::takeLine(QByteArray& line) {
    readWhatArrived();
    const qsizetype end = received_.indexOf('\n');
    if (end < 0) {
        return false;
    }
    line = received_.left(end);
    received_.remove(0, end + 1);
    return true;
}

bool LocalConnection::waitForReadable(std::chrono::milliseconds timeout) {
    if (fd_ < 0 || peerGone_ || received_.contains('\n')) {
        return true;
    }
    if (!waitFor(fd_, POLLIN, Clock::now() + timeout)) {
        return false;
    }
    readWhatArrived();
    return true;
}

QByteArray LocalConnection::readLine(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    QByteArray line;
    while (!takeLine(line)) {
        if (!isOpen() || !waitFor(fd_, POLLIN, deadline)) {
            return {};
        }
    }
    return line;
}

void LocalConnection::onReadable(std::function<void()> handler) {
    onReadable_ = std::move(handler);
    if (fd_ < 0 || notifier_) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        readWhatArrived();
        // A copy runs, as the handler may hand this connection a new one, end it or remove it:
        // nothing of it is used after.
        if (const auto run = onReadable_) {
            run();
        }
    });
}

LocalListener::LocalListener() = default;

LocalListener::~LocalListener() {
    close();
}

bool LocalListener::listen(const QString& path) {
    close();
    sockaddr_un address{};
    if (!socketAddress(path, address)) {
        return false;
    }
    const int fd = newSocket();
    if (fd < 0) {
        return false;
    }
    ::unlink(address.sun_path);  // a socket left by an earlier process with this name
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = path;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { acceptAll(); });
    return true;
}

void LocalListener::close() {
    if (fd_ < 0) {
        return;
    }
    notifier_.reset();
    ::close(fd_);
    fd_ = -1;
    ::unlink(QFile::encodeName(path_).constData());
}

void LocalListener::acceptAll() {
    while (fd_ >= 0) {
        const int connection = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (connection < 0) {
            if (errno == EINTR || errno == ECONNABORTED) {
                continue;
            }
            return;  // none waiting (EAGAIN), or none to be had now
        }
        if (onConnection_) {
            onConnection_(std::make_unique<LocalConnection>(connection));
        } else {
            ::close(connection);
        }
    }
}

}  // namespace nwmp::linux_platform

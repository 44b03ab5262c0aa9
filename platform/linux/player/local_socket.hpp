#pragma once

// Stream sockets in the file system for the players' short lines to one another: a connection
// that reads and writes whole lines, waiting with a bound where it must wait, and a listener
// that hands over each connection made to it. Written on the system's own sockets rather than
// Qt's network module, which every player would otherwise load, with the libraries behind it,
// for a few lines on a local socket.

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <chrono>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace nwmp::linux_platform {

class LocalConnection {
  public:
    enum class Reached { Yes, Refused, No };

    LocalConnection();
    explicit LocalConnection(int fd);  // an accepted connection; takes the descriptor
    ~LocalConnection();
    LocalConnection(const LocalConnection&) = delete;
    LocalConnection& operator=(const LocalConnection&) = delete;

    // Connects to the socket at path, ending any earlier connection. Refused: a socket file
    // that nobody listens on any more.
    Reached connectTo(const QString& path, std::chrono::milliseconds timeout);
    // Ends the connection; nothing more is read or told.
    void close();
    // Open, and the other end has not been seen to go.
    bool isOpen() const { return fd_ >= 0 && !peerGone_; }

    // Sends bytes whole, waiting at most timeout for room; false if they could not all go.
    bool write(const QByteArray& bytes,
               std::chrono::milliseconds timeout = std::chrono::seconds(1));
    // A whole line that has arrived, without its line end; false when none has yet.
    bool takeLine(QByteArray& line);
    // Waits at most timeout for more to read or for the other end to go; false when neither
    // came.
    bool waitForReadable(std::chrono::milliseconds timeout);
    // A whole line, waiting for it at most timeout; empty when none came.
    QByteArray readLine(std::chrono::milliseconds timeout);

    // Runs whenever something arrived or the other end went, from the event loop.
    void onReadable(std::function<void()> handler);

  private:
    void readWhatArrived();

    int fd_ = -1;
    bool peerGone_ = false;
    QByteArray received_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onReadable_;
};

class LocalListener {
  public:
    LocalListener();
    ~LocalListener();
    LocalListener(const LocalListener&) = delete;
    LocalListener& operator=(const LocalListener&) = delete;

    // Listens at path (only this user may connect), replacing a file left there; false when
    // the socket cannot be made.
    bool listen(const QString& path);
    // Stops listening and removes the socket file.
    void close();
    bool isListening() const { return fd_ >= 0; }
    const QString& path() const { return path_; }

    // Receives each connection made, from the event loop.
    void onConnection(std::function<void(std::unique_ptr<LocalConnection>)> handler) {
        onConnection_ = std::move(handler);
    }

  private:
    void acceptAll();

    int fd_ = -1;
    QString path_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void(std::unique_ptr<LocalConnection>)> onConnection_;
};

}  // namespace nwmp::linux_platform

#include "platform/linux/player/player_directory.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <utility>

#include "player/hand_off_search.hpp"

namespace nwmp::linux_platform {

namespace {

constexpr char kPrefix[] = "player-";
constexpr char kStartLockName[] = "start.lock";

// Only sockets this user made under our name are players' entries; anything else in the
// folder (the start lock, a file someone put there) is neither asked nor removed.
bool isOwnSocket(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISSOCK(status.st_mode) &&
           status.st_uid == ::getuid();
}

// Titles travel percent-encoded so that tabs, line breaks and any Japanese text pass unchanged.
QByteArray encode(const QString& text) {
    return text.toUtf8().toPercentEncoding();
}
QString decode(const QByteArray& bytes) {
    return QString::fromUtf8(QByteArray::fromPercentEncoding(bytes));
}

bool connect(LocalConnection& socket, const QString& path, std::chrono::milliseconds timeout) {
    const LocalConnection::Reached reached = socket.connectTo(path, timeout);
    // Nobody listens any more: the player ended without cleaning up.
    if (reached == LocalConnection::Reached::Refused && isOwnSocket(path)) {
        QFile::remove(path);
    }
    return reached == LocalConnection::Reached::Yes;
}

std::optional<PlayerEntry> ask(const QString& path, std::chrono::milliseconds timeout) {
    LocalConnection socket;
    if (!connect(socket, path, timeout)) {
        return std::nullopt;
    }
    socket.write("INFO\n", timeout);
    const QList<QByteArray> fields = socket.readLine(timeout).split('\t');
    if (fields.size() < 5 || fields[0] != "INFO") {
        return std::nullopt;
    }
    PlayerEntry entry;
    entry.socketPath = path;
    entry.pid = fields[1].toLongLong();
    entry.lastActivated = fields[2].toLongLong();
    entry.applicationTitle = decode(fields[3]);
    entry.caption = decode(fields[4]);
    // A player from before start titles were told has never changed its application title.
    entry.startTitle = fields.size() > 5 ? decode(fields[5]) : entry.applicationTitle;
    return entry;
}

QString ownSocketPath() {
    return PlayerDirectory::folder() + QLatin1Char('/') + QLatin1String(kPrefix) +
           QString::number(QCoreApplication::applicationPid());
}

}  // namespace

QString PlayerDirectory::folder() {
    QString base = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (base.isEmpty()) {
        base = QDir::tempPath() + QStringLiteral("/norvalent-wmp3-") + QString::number(getuid());
    }
    const QString path = base + QStringLiteral("/norvalent-wmp3");
    QDir().mkpath(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

namespace {

// The sockets of other players in the folder, whether anyone still listens on them or not.
std::vector<QString> otherPlayersSockets() {
    const QString own = ownSocketPath();
    std::vector<QString> paths;
    const QDir dir(PlayerDirectory::folder());
    // Names are told apart by their start, not by a name filter: a filter is a regular expression,
    // and compiling one brings a regular expression compiler into every player at start.
    for (const QString& name : dir.entryList(QDir::System | QDir::Files)) {
        if (!name.startsWith(QLatin1String(kPrefix))) {
            continue;
        }
        const QString path = dir.filePath(name);
        // Asking ourselves would wait on our own blocked event loop.
        if (path != own && isOwnSocket(path)) {
            paths.push_back(path);
        }
    }
    return paths;
}

// The same, most recently active first: a player marks its activation on its socket's time.
std::vector<QString> otherPlayersSocketsByActivation() {
    std::vector<std::pair<QString, struct timespec>> stamped;
    for (const QString& path : otherPlayersSockets()) {
        struct stat status {};
        if (::lstat(QFile::encodeName(path).constData(), &status) == 0) {
            stamped.emplace_back(path, status.st_mtim);
        }
    }
    std::stable_sort(stamped.begin(), stamped.end(), [](const auto& a, const auto& b) {
        return std::pair(a.second.tv_sec, a.second.tv_nsec) >
               std::pair(b.second.tv_sec, b.second.tv_nsec);
    });
    std::vector<QString> paths;
    for (auto& [path, time] : stamped) {
        paths.push_back(std::move(path));
    }
    return paths;
}

}  // namespace

std::vector<PlayerEntry> PlayerDirectory::runningPlayers(std::chrono::milliseconds timeout) {
    std::vector<PlayerEntry> players;
    for (const QString& path : otherPlayersSockets()) {
        if (auto entry = ask(path, timeout)) {
            players.push_back(*entry);
        }
    }
    std::stable_sort(players.begin(), players.end(), [](const auto& a, const auto& b) {
        return a.lastActivated > b.lastActivated;
    });
    return players;
}

std::vector<qint64> PlayerDirectory::listeningPlayers(std::chrono::milliseconds timeout) {
    std::vector<qint64> pids;
    for (const QString& path : otherPlayersSockets()) {
        LocalConnection socket;
        if (connect(socket, path, timeout)) {
            pids.push_back(path.section(QLatin1Char('-'), -1).toLongLong());
        }
    }
    return pids;
}

std::optional<PlayerEntry> PlayerDirectory::findByTitle(const QString& title,
                                                        std::chrono::milliseconds timeout) {
    const std::vector<PlayerEntry> players = runningPlayers(timeout);
    std::vector<RunningPlayer> seen;
    seen.reserve(players.size());
    for (const PlayerEntry& entry : players) {
        seen.push_back({entry.pid, entry.startTitle.toStdString(), entry.caption.toStdString()});
    }
    const auto target =
        handOffTarget(seen, title.toStdString(), QCoreApplication::applicationPid());
    if (!target) {
        return std::nullopt;
    }
    return players[*target];
}

PlayerDirectory::StartLock::StartLock(std::chrono::milliseconds timeout) {
    const QByteArray path =
        QFile::encodeName(folder() + QLatin1Char('/') + QLatin1String(kStartLockName));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return;
    }
    QElapsedTimer waited;
    waited.start();
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK || waited.elapsed() >= timeout.count()) {
            ::close(fd);
            return;
        }
        QThread::msleep(5);
    }
    fd_ = fd;
}

PlayerDirectory::StartLock::~StartLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // ends the lock
    }
}

PlayerDirectory::PendingClose::PendingClose(const PlayerEntry& entry,
                                            std::chrono::milliseconds timeout,
                                            std::function<void()> onDone)
    : PendingClose({entry.socketPath}, "CLOSE\n", timeout, timeout, true, std::move(onDone)) {}

PlayerDirectory::PendingClose::PendingClose(const QString& title,
                                            std::chrono::milliseconds askTimeout,
                                            std::chrono::milliseconds closeTimeout,
                                            std::function<void()> onDone)
    : PendingClose(otherPlayersSocketsByActivation(), "CLOSE-IF\t" + encode(title) + '\n',
                   askTimeout, closeTimeout, false, std::move(onDone)) {}

PlayerDirectory::PendingClose::PendingClose(std::vector<QString> sockets, QByteArray request,
                                            std::chrono::milliseconds askTimeout,
                                            std::chrono::milliseconds closeTimeout,
                                            bool closesAnyway, std::function<void()> onDone)
    : sockets_(std::move(sockets)),
      request_(std::move(request)),
      askTimeout_(askTimeout),
      closeTimeout_(closeTimeout),
      closesAnyway_(closesAnyway),
      onDone_(std::move(onDone)) {
    std::reverse(sockets_.begin(), sockets_.end());
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { expire(); });
    askNext();
}

void PlayerDirectory::PendingClose::askNext() {
    socket_.close();
    while (!sockets_.empty()) {
        const QString path = sockets_.back();
        sockets_.pop_back();
        if (connect(socket_, path, askTimeout_)) {
            socket_.write(request_, askTimeout_);
            socket_.onReadable([this] { check(); });
            deadline_.setRemainingTime(askTimeout_);
            timer_.start(askTimeout_);
            if (closesAnyway_) {
                accept();
            }
            return;
        }
    }
    finish();  // no player to ask is left
}

void PlayerDirectory::PendingClose::accept() {
    accepted_ = true;
    deadline_.setRemainingTime(closeTimeout_);
    timer_.start(closeTimeout_);
}

void PlayerDirectory::PendingClose::check() {
    QByteArray line;
    while (!done_ && socket_.takeLine(line)) {
        const QByteArray answer = line.trimmed();
        if (answer == "NO") {
            askNext();  // the search does not reach this player
            return;
        }
        if (answer == "CLOSING") {
            accept();
            continue;
        }
        closed_ = true;
        finish();
        return;
    }
    if (!done_ && !socket_.isOpen()) {
        // A player that ended before it could answer has closed all the same.
        closed_ = true;
        finish();
    }
}

void PlayerDirectory::PendingClose::expire() {
    if (accepted_) {
        finish();  // a player that does not end in time is left to itself
    } else {
        askNext();  // one that does not answer cannot be the one that closes
    }
}

void PlayerDirectory::PendingClose::finish() {
    if (done_) {
        return;
    }
    done_ = true;
    timer_.stop();
    socket_.close();
    if (onDone_) {
        std::exchange(onDone_, {})();
    }
}

void PlayerDirectory::PendingClose::wait() {
    while (!done_) {
        check();
        if (done_) {
            return;
        }
        const qint64 left = deadline_.remainingTime();
        if (left == 0 || !socket_.waitForReadable(std::chrono::milliseconds(left))) {
            expire();  // out of time: no answer comes
        }
    }
}

bool PlayerDirectory::closeSynchronously(const PlayerEntry& entry,
                                         std::chrono::milliseconds timeout) {
    PendingClose close(entry, timeout);
    close.wait();
    return close.closed();
}

PlayerDirectory::PlayerDirectory(Self self)
    : self_(std::move(self)), lastActivated_(QDateTime::currentMSecsSinceEpoch()) {
    server_.onConnection([this](std::unique_ptr<LocalConnection> connection) {
        // Connections whose asker has gone are let go here, outside their own handlers.
        std::erase_if(connections_, [](const auto& kept) { return !kept->isOpen(); });
        LocalConnection& asker = *connection;
        connections_.push_back(std::move(connection));
        asker.onReadable([this, &asker] {
            answer(asker);
            if (!asker.isOpen()) {
                asker.close();  // its descriptor goes now, the rest with the next connection
            }
        });
    });
}

PlayerDirectory::~PlayerDirectory() = default;  // the listener removes the socket file

bool PlayerDirectory::registerSelf() {
    // A socket left by a previous process with the same pid is replaced.
    return server_.listen(ownSocketPath());
}

void PlayerDirectory::noteActivated() {
    lastActivated_ = QDateTime::currentMSecsSinceEpoch();
    // Searches read the order from the sockets' times without asking anyone.
    if (server_.isListening()) {
        ::utimensat(AT_FDCWD, QFile::encodeName(server_.path()).constData(), nullptr, 0);
    }
}

void PlayerDirectory::answer(LocalConnection& socket) {
    QByteArray request;
    while (socket.takeLine(request)) {
        if (request == "INFO") {
            socket.write("INFO\t" + QByteArray::number(QCoreApplication::applicationPid()) + '\t' +
                         QByteArray::number(lastActivated_) + '\t' +
                         encode(self_.applicationTitle()) + '\t' + encode(self_.caption()) + '\t' +
                         encode(self_.startTitle) + '\n');
            continue;
        }
        bool closes = request == "CLOSE";
        if (request.startsWith("CLOSE-IF\t")) {
            const RunningPlayer asked{QCoreApplication::applicationPid(),
                                      self_.startTitle.toStdString(),
                                      self_.caption().toStdString()};
            closes = answersSearch(asked, decode(request.mid(9)).toStdString());
            // Told at once, so that a searching start knows whom to wait for.
            socket.write(closes && !closing_ ? "CLOSING\n" : "NO\n");
        }
        if (closes && !closing_) {
            closing_ = true;
            // Off the list at once: a player that is closing is no longer there to be found.
            server_.close();
            self_.onCloseRequest();
            socket.write("CLOSED\n");
            self_.onEnded();
            return;
        }
    }
}

}  // namespace nwmp::linux_platform

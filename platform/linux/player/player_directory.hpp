#pragma once

// The directory of running players: every player listens on a local socket of its own in the
// user's runtime folder, answers with its application title and caption, and closes on request.
// It stands in for the desktop's list of top-level windows, which Wayland does not give out and
// which could hold other programs' untitled windows: only players are listed here, so a search
// for a title can only ever reach a player.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/linux/player/local_socket.hpp"

namespace nwmp::linux_platform {

struct PlayerEntry {
    QString socketPath;
    qint64 pid = 0;
    qint64 lastActivated = 0;  // milliseconds since the epoch; stands for the z-order
    QString applicationTitle;
    QString caption;
    QString startTitle;  // the application title it started with
};

class PlayerDirectory {
  public:
    // What this player tells others, asked at each request.
    struct Self {
        QString startTitle;
        std::function<QString()> applicationTitle;
        std::function<QString()> caption;
        // Runs the shut-down sequence; the answer goes out after it, then onEnded runs.
        std::function<void()> onCloseRequest;
        std::function<void()> onEnded;
    };

    // The folder that holds the sockets: $XDG_RUNTIME_DIR/norvalent-wmp3, or a private folder
    // under the temporary folder when the runtime folder is not set.
    static QString folder();

    // Every running player but this process, most recently activated first. Entries whose
    // player is gone are removed on the way.
    static std::vector<PlayerEntry> runningPlayers(std::chrono::milliseconds perPlayerTimeout);

    // The process ids of the other players whose sockets accept a connection. Nothing is asked
    // of them, so a player busy drawing its picture costs no wait.
    static std::vector<qint64> listeningPlayers(std::chrono::milliseconds connectTimeout);

    // The first running player that a hand-off searching for title reaches (handOffTarget).
    static std::optional<PlayerEntry> findByTitle(const QString& title,
                                                  std::chrono::milliseconds perPlayerTimeout);

    // The folder's start lock, held while it lives. A start holds it from looking for running
    // players until it has listed itself, so that of players starting at the same moment each
    // sees all that started before it and none sees one that started after it. Waits at most
    // timeout for a start that holds it and then goes on without it.
    class StartLock {
      public:
        explicit StartLock(std::chrono::milliseconds timeout);
        ~StartLock();
        StartLock(const StartLock&) = delete;
        StartLock& operator=(const StartLock&) = delete;
        bool held() const { return fd_ >= 0; }

      private:
        int fd_ = -1;
    };

    // A close request on its way, to one player or to the first that a hand-off search for a
    // title reaches. The request is sent at once; the asking player meanwhile goes on with its
    // own work and waits only where it must. Done when a player answered that it closed or went
    // away, when none was reached, or when time ran out; onDone then runs once, from the event
    // loop or from wait().
    class PendingClose {
      public:
        // The player of entry, which closes whatever its titles, within timeout.
        PendingClose(const PlayerEntry& entry, std::chrono::milliseconds timeout,
                     std::function<void()> onDone = {});
        // The players most recently active first, each asked to close if the search for title
        // reaches it (answersSearch), which it tells at once itself, within askTimeout; the one
        // that closes then has closeTimeout for its shut-down. A hung player costs askTimeout and
        // the next is asked.
        PendingClose(const QString& title, std::chrono::milliseconds askTimeout,
                     std::chrono::milliseconds closeTimeout, std::function<void()> onDone = {});
        PendingClose(const PendingClose&) = delete;
        PendingClose& operator=(const PendingClose&) = delete;
        bool done() const { return done_; }
        // Whether a player answered that it closed, or went away: it has run its shut-down.
        bool closed() const { return closed_; }
        // Blocks until done.
        void wait();

      private:
        PendingClose(std::vector<QString> sockets, QByteArray request,
                     std::chrono::milliseconds askTimeout, std::chrono::milliseconds closeTimeout,
                     bool closesAnyway, std::function<void()> onDone);
        void askNext();
        void accept();
        void check();
        void expire();
        void finish();

        std::vector<QString> sockets_;  // still to ask, the next one last
        QByteArray request_;
        std::chrono::milliseconds askTimeout_;
        std::chrono::milliseconds closeTimeout_;
        bool closesAnyway_;
        LocalConnection socket_;
        QDeadlineTimer deadline_;  // of the answer now awaited
        QTimer timer_;
        std::function<void()> onDone_;
        bool accepted_ = false;  // the player asked is closing
        bool done_ = false;
        bool closed_ = false;
    };

    // Asks the player to close and waits until it has run its shut-down sequence, at most
    // timeout. True when it answered or went away within that time.
    static bool closeSynchronously(const PlayerEntry& entry, std::chrono::milliseconds timeout);

    explicit PlayerDirectory(Self self);
    ~PlayerDirectory();
    PlayerDirectory(const PlayerDirectory&) = delete;
    PlayerDirectory& operator=(const PlayerDirectory&) = delete;

    // Lists this player; false when its socket cannot be made.
    bool registerSelf();
    // Notes that this player's window became active, moving it to the front of the order.
    void noteActivated();

  private:
    void answer(LocalConnection& connection);

    Self self_;
    LocalListener server_;
    std::vector<std::unique_ptr<LocalConnection>> connections_;
    qint64 lastActivated_;
    bool closing_ = false;
};

}  // namespace nwmp::linux_platform

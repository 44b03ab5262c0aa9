#pragma once

// The system ending the player: SIGTERM from the session or systemd at log-out and power-off,
// SIGHUP when its terminal goes, SIGINT from Ctrl+C. Each must cost the user nothing a close
// would have kept, so the first one runs the shut-down on the GUI thread, as a close request
// does; the process then ends by the shut-down's own road. Signals that follow while it saves
// are swallowed: they can neither interrupt the save nor kill the process half-way.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace nwmp::linux_platform {

class SessionEndSignals final : public QObject {
  public:
    // onEnd runs once, on the GUI thread, at the first of the signals.
    explicit SessionEndSignals(std::function<void()> onEnd);
    ~SessionEndSignals() override;
    SessionEndSignals(const SessionEndSignals&) = delete;
    SessionEndSignals& operator=(const SessionEndSignals&) = delete;

  private:
    void received();

    std::function<void()> onEnd_;
    QSocketNotifier* notifier_ = nullptr;
    bool ended_ = false;
};

}  // namespace nwmp::linux_platform

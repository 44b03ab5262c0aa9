#pragma once

// One libmpv player: created with video handed to us (vo=libmpv), its events drained on the GUI
// thread, the properties the engine needs kept up to date as they change. Nothing here waits for
// the player's core: commands and property writes are asynchronous, and reads come from the
// values libmpv last reported.

#include <QtCore/QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct mpv_handle;
struct mpv_event;

namespace nwmp::engine {

// What the player last reported.
struct MpvState {
    bool pause = false;
    bool pausedForCache = false;
    bool idle = true;
    double timePos = 0.0;
    double duration = 0.0;
    std::int64_t videoTrack = 0;  // the selected video track's id; 0 without one
    // Whether videoTrack is the open file's: libmpv reports the file as loaded before it reports
    // the tracks it chose, so until then a file with video cannot be told from one without.
    bool tracksKnown = false;
    std::int64_t videoWidth = 0;  // the video's display size; 0 without a picture
    std::int64_t videoHeight = 0;
    std::int64_t playlistPos = -1;
    std::int64_t playlistCount = 0;
    std::map<std::string, std::string> metadata;  // keys in lower case
};

enum class MpvFileEnd { Eof, Stopped, Error };

// Receives the player's events on the GUI thread.
class MpvListener {
  public:
    virtual ~MpvListener() = default;
    virtual void mpvFileStarted() = 0;
    virtual void mpvFileLoaded() = 0;
    virtual void mpvFileEnded(MpvFileEnd how) = 0;
    virtual void mpvStateChanged() = 0;  // one or more of MpvState's values changed
    // A command given a reply id has run; failed: libmpv refused it.
    virtual void mpvCommandDone(std::uint64_t replyId, bool failed) = 0;
    virtual void mpvPlaybackRestarted() = 0;  // playback goes on after a start or a seek
};

class MpvSession : public QObject {
  public:
    // audioOutput is mpv's "ao" value; empty leaves mpv's own choice. Throws EngineError when
    // libmpv cannot be started.
    MpvSession(MpvListener& listener, const std::string& audioOutput);
    ~MpvSession() override;
    MpvSession(const MpvSession&) = delete;
    MpvSession& operator=(const MpvSession&) = delete;

    mpv_handle* handle() const { return handle_; }
    const MpvState& state() const { return state_; }
    MpvState& state() { return state_; }  // for values the engine knows before libmpv says so

    // replyId 0 asks for no reply; any other comes back through mpvCommandDone once the player's
    // core has run the command.
    void command(const std::vector<std::string>& args, std::uint64_t replyId = 0);
    void setProperty(const std::string& name, const std::string& value);
    void setProperty(const std::string& name, double value);

  private:
    static void onWakeup(void* self);
    void drainEvents();
    void handleEvent(const mpv_event& event);

    MpvListener& listener_;
    mpv_handle* handle_ = nullptr;
    MpvState state_;
    std::atomic<bool> drainQueued_{false};
    std::uint64_t fileNumber_ = 0;  // counts files started, so that a late answer is known
};

}  // namespace nwmp::engine

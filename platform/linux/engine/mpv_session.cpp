#include "platform/linux/engine/mpv_session.hpp"

#include <mpv/client.h>

#include <QtCore/QMetaObject>
#include <algorithm>
#include <cctype>
#include <clocale>

#include "player/media_engine.hpp"

namespace nwmp::engine {

namespace {

// Observed properties, told apart by their reply number.
enum Observed : std::uint64_t {
    kPause = 1,
    kPausedForCache,
    kIdle,
    kTimePos,
    kDuration,
    kVideoWidth,
    kVideoHeight,
    kPlaylistPos,
    kPlaylistCount,
    kMetadata,
    kVideoTrack,
};

// Replies to the question which video track the loaded file plays, numbered by file from here.
constexpr std::uint64_t kTrackQuestion = std::uint64_t{1} << 40;
// Replies to the question whether libmpv went idle after a file ended, numbered the same way.
constexpr std::uint64_t kIdleQuestion = std::uint64_t{1} << 41;

struct Observation {
    Observed id;
    const char* name;
    mpv_format format;
};

constexpr Observation kObservations[] = {
    {kPause, "pause", MPV_FORMAT_FLAG},
    {kPausedForCache, "paused-for-cache", MPV_FORMAT_FLAG},
    {kIdle, "idle-active", MPV_FORMAT_FLAG},
    {kTimePos, "time-pos", MPV_FORMAT_DOUBLE},
    {kDuration, "duration", MPV_FORMAT_DOUBLE},
    {kVideoWidth, "dwidth", MPV_FORMAT_INT64},
    {kVideoHeight, "dheight", MPV_FORMAT_INT64},
    {kPlaylistPos, "playlist-pos", MPV_FORMAT_INT64},
    {kPlaylistCount, "playlist-count", MPV_FORMAT_INT64},
    {kMetadata, "metadata", MPV_FORMAT_NODE},
    {kVideoTrack, "current-tracks/video/id", MPV_FORMAT_INT64},
};

// Options set before the player starts. The user's own mpv configuration and scripts stay out:
// the engine must behave the same on every machine, and keys belong to the host, not to mpv.
constexpr std::pair<const char*, const char*> kOptions[] = {
    {"vo", "libmpv"},
    {"idle", "yes"},
    {"keep-open", "no"},
    {"config", "no"},
    {"load-scripts", "no"},
    // mpv's built-in scripts (statistics page, console, conditional profiles) each run a Lua
    // interpreter on a thread of its own: megabytes for features the player never offers.
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"load-auto-profiles", "no"},
    {"ytdl", "no"},
    {"osc", "no"},
    {"input-default-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"audio-display", "no"},
    {"terminal", "no"},
    {"gpu-hwdec-interop", "no"},
    // Without a sound device the picture still plays, timed as if the sound went somewhere.
    {"audio-fallback-to-null", "yes"},
};

std::map<std::string, std::string> metadataFrom(const mpv_node& node) {
    std::map<std::string, std::string> result;
    if (node.format != MPV_FORMAT_NODE_MAP || node.u.list == nullptr) {
        return result;
    }
    const mpv_node_list& list = *node.u.list;
    for (int i = 0; i < list.num; ++i) {
        if (list.values[i].format != MPV_FORMAT_STRING || list.keys[i] == nullptr) {
            continue;
        }
        std::string key(list.keys[i]);
        std::transform(key.begin(), key.end(), key.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        result.try_emplace(std::move(key), list.values[i].u.string);
    }
    return result;
}

}  // namespace

MpvSession::MpvSession(MpvListener& listener, const std::string& audioOutput)
    : listener_(listener) {
    // libmpv parses numbers with the C library and refuses to start under another LC_NUMERIC;
    // QApplication takes the user's locale for every category.
    std::setlocale(LC_NUMERIC, "C");
    handle_ = mpv_create();
    if (handle_ == nullptr) {
        throw EngineError("libmpv could not be created");
    }
    for (const auto& [name, value] : kOptions) {
        mpv_set_option_string(handle_, name, value);
    }
    if (!audioOutput.empty()) {
        mpv_set_option_string(handle_, "ao", audioOutput.c_str());
    }
    if (mpv_initialize(handle_) < 0) {
        mpv_terminate_destroy(handle_);
        handle_ = nullptr;
        throw EngineError("libmpv could not be initialised");
    }
    for (const Observation& o : kObservations) {
        mpv_observe_property(handle_, o.id, o.name, o.format);
    }
    mpv_set_wakeup_callback(handle_, &MpvSession::onWakeup, this);
}

MpvSession::~MpvSession() {
    // After this returns libmpv calls onWakeup no more; a drain already queued is dropped by Qt
    // together with this object.
    mpv_set_wakeup_callback(handle_, nullptr, nullptr);
    mpv_terminate_destroy(handle_);
}

void MpvSession::command(const std::vector<std::string>& args, std::uint64_t replyId) {
    std::vector<const char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    argv.push_back(nullptr);
    mpv_command_async(handle_, replyId, argv.data());
}

void MpvSession::setProperty(const std::string& name, const std::string& value) {
    const char* text = value.c_str();
    mpv_set_property_async(handle_, 0, name.c_str(), MPV_FORMAT_STRING, &text);
}

void MpvSession::setProperty(const std::string& name, double value) {
    mpv_set_property_async(handle_, 0, name.c_str(), MPV_FORMAT_DOUBLE, &value);
}

void MpvSession::onWakeup(void* self) {
    // Called on one of libmpv's threads: only hand the work to the GUI thread, once.
    auto* session = static_cast<MpvSession*>(self);
    if (!session->drainQueued_.exchange(true)) {
        QMetaObject::invokeMethod(
            session, [session] { session->drainEvents(); }, Qt::QueuedConnection);
    }
}

void MpvSession::drainEvents() {
    drainQueued_ = false;
    while (handle_ != nullptr) {
        const mpv_event* event = mpv_wait_event(handle_, 0);
        if (event == nullptr || event->event_id == MPV_EVENT_NONE) {
            break;
        }
        handleEvent(*event);
    }
}

void MpvSession::handleEvent(const mpv_event& event) {
    switch (event.event_id) {
        case MPV_EVENT_START_FILE:
            ++fileNumber_;
            state_.tracksKnown = false;
            // A file starting ends idleness. libmpv reports a property only when it differs from
            // what it last reported, so after a stop whose idleness went unreported (the engine
            // marks itself idle at once) no change of "idle-active" would ever come.
            state_.idle = false;
            listener_.mpvFileStarted();
            return;
        case MPV_EVENT_FILE_LOADED:
            // The tracks are chosen by now; the answer comes after everything libmpv has queued.
            mpv_get_property_async(handle_, kTrackQuestion + fileNumber_, "current-tracks/video/id",
                                   MPV_FORMAT_INT64);
            listener_.mpvFileLoaded();
            return;
        case MPV_EVENT_GET_PROPERTY_REPLY: {
            if (event.reply_userdata == kIdleQuestion + fileNumber_) {
                const auto* property = static_cast<const mpv_event_property*>(event.data);
                if (event.error >= 0 && property->format == MPV_FORMAT_FLAG &&
                    property->data != nullptr) {
                    state_.idle = *static_cast<const int*>(property->data) != 0;
                    listener_.mpvStateChanged();
                }
                return;
            }
            if (event.reply_userdata != kTrackQuestion + fileNumber_) {
                return;  // asked about a file that has gone since
            }
            const auto* property = static_cast<const mpv_event_property*>(event.data);
            const bool video = event.error >= 0 && property->format == MPV_FORMAT_INT64 &&
                               property->data != nullptr;
            state_.videoTrack = video ? *static_cast<const std::int64_t*>(property->data) : 0;
            state_.tracksKnown = true;
            listener_.mpvStateChanged();
            return;
        }
        case MPV_EVENT_COMMAND_REPLY:
            if (event.reply_userdata != 0) {
                listener_.mpvCommandDone(event.reply_userdata, event.error < 0);
            }
            return;
        case MPV_EVENT_PLAYBACK_RESTART:
            listener_.mpvPlaybackRestarted();
            return;
        case MPV_EVENT_END_FILE: {
            // A file that fails at once can leave libmpv idle before and after, so that no change
            // of "idle-active" is reported while the start has marked it busy here: asked
            // instead, the answer comes once libmpv has taken its next step.
            mpv_get_property_async(handle_, kIdleQuestion + fileNumber_, "idle-active",
                                   MPV_FORMAT_FLAG);
            const auto* end = static_cast<const mpv_event_end_file*>(event.data);
            listener_.mpvFileEnded(end->reason == MPV_END_FILE_REASON_EOF ? MpvFileEnd::Eof
                                   : end->reason == MPV_END_FILE_REASON_ERROR
                                       ? MpvFileEnd::Error
                                       : MpvFileEnd::Stopped);
            return;
        }
        case MPV_EVENT_PROPERTY_CHANGE:
            break;
        default:
            return;
    }
    const auto* property = static_cast<const mpv_event_property*>(event.data);
    const bool none = property->format == MPV_FORMAT_NONE || property->data == nullptr;
    auto flag = [&] { return !none && *static_cast<const int*>(property->data) != 0; };
    auto number = [&] { return none ? 0.0 : *static_cast<const double*>(property->data); };
    auto integer = [&](std::int64_t fallback) {
        return none ? fallback : *static_cast<const std::int64_t*>(property->data);
    };
    switch (static_cast<Observed>(event.reply_userdata)) {
        case kPause:
            state_.pause = flag();
            break;
        case kPausedForCache:
            state_.pausedForCache = flag();
            break;
        case kIdle:
            state_.idle = flag();
            break;
        case kTimePos:
            if (!none) {  // unavailable between files; the engine answers then from its own state
                state_.timePos = number();
            }
            break;
        case kDuration:
            if (!none) {
                state_.duration = number();
            }
            break;
        case kVideoWidth:
            state_.videoWidth = integer(0);
            break;
        case kVideoHeight:
            state_.videoHeight = integer(0);
            break;
        case kPlaylistPos:
            state_.playlistPos = integer(-1);
            break;
        case kPlaylistCount:
            state_.playlistCount = integer(0);
            break;
        case kVideoTrack:
            state_.videoTrack = integer(0);
            break;
        case kMetadata:
            if (!none) {  // kept after the end, so that the clip's title stays readable
                state_.metadata = metadataFrom(*static_cast<const mpv_node*>(property->data));
            }
            break;
    }
    listener_.mpvStateChanged();
}

}  // namespace nwmp::engine

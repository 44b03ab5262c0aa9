// The media side of the engine control: opening, playing, positions, play lists, play states
// and the events about them. The widget side is in mpv_media_engine_view.cpp.
#include "platform/linux/engine/mpv_media_engine.hpp"

#include <charconv>
#include <cmath>

#include "platform/linux/engine/engine_control_bar.hpp"
#include "platform/linux/engine/engine_volume.hpp"
#include "platform/linux/engine/remote_metafile.hpp"

namespace nwmp::engine {

namespace {

std::string numberText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool isUrl(const std::string& name) {
    const auto colon = name.find("://");
    return colon != std::string::npos && colon > 1;
}

// libmpv reads "-" as standard input and could take other leading dashes for options.
std::string forLoadfile(const std::string& name) {
    return !name.empty() && name.front() == '-' ? "./" + name : name;
}

}  // namespace

void MpvMediaEngine::requireMedia(const char* member) const {
    if (fileName_.empty()) {
        throw EngineError(std::string(member) + ": no media is loaded");
    }
}

template <class Call>
void MpvMediaEngine::post(Call call) {
    // The host hears of a change from the event loop, never from inside the member it called.
    QMetaObject::invokeMethod(
        this,
        [this, call] {
            if (sink_ == nullptr) {
                return;
            }
            try {
                call(*sink_);
            } catch (...) {
                // The host's handlers end quietly by their own rules; nothing crosses into Qt.
            }
        },
        Qt::QueuedConnection);
}

void MpvMediaEngine::SetFileName(const std::string& fileName) {
    fileName_ = fileName;
    entries_.clear();
    remoteMetafileRead_ = false;
    ++fetchRound_;
    pendingSeek_.reset();
    forgetSeek();
    endPending_ = false;
    lastEntry_ = 0;
    duration_ = 0.0;
    MpvState& mpv = mpv_->state();
    mpv.timePos = 0.0;
    mpv.duration = 0.0;
    mpv.metadata.clear();
    if (fileName_.empty()) {
        mpv_->command({"stop"});
        loading_ = false;
        mpv.idle = true;
        refreshState();
        return;
    }
    openMedia();
}

// Opens the current file name from its first entry; a metafile becomes a play list of its own.
void MpvMediaEngine::openMedia() {
    MpvState& mpv = mpv_->state();
    std::vector<std::string> targets;
    if (isWebMetafileUrl(fileName_) && !remoteMetafileRead_) {
        fetchMetafile(fileName_, this, [this, round = ++fetchRound_](auto fetched) {
            if (round != fetchRound_) {
                return;  // another media, or a stop, came while it was on its way
            }
            if (fetched) {
                entries_ = parseAsx(fetched->document, fetched->folderUrl).entries;
            }
            remoteMetafileRead_ = true;
            openMedia();
        });
        mpv_->command({"stop"});  // what played before must not end into the wait
        loading_ = true;
        refreshState();
        return;
    }
    if (remoteMetafileRead_) {
        for (const AsxEntry& entry : entries_) {
            targets.push_back(entry.href);
        }
    } else if (isAsxFileName(fileName_) && !isUrl(fileName_)) {
        if (auto list = loadAsxFile(fileName_)) {
            entries_ = std::move(list->entries);
        }
        for (const AsxEntry& entry : entries_) {
            targets.push_back(entry.href);
        }
    } else {
        targets.push_back(fileName_);
    }
    if (targets.empty()) {  // a metafile without any playable entry
        mpv_->command({"stop"});
        loading_ = false;
        mpv.idle = true;
        refreshState();
        return;
    }
    mpv_->setProperty("pause", "no");
    mpv.pause = false;
    knownPlaylistCount_ = static_cast<std::int64_t>(targets.size());
    applyLoop();
    mpv_->command({"loadfile", forLoadfile(targets.front()), "replace"});
    for (std::size_t i = 1; i < targets.size(); ++i) {
        mpv_->command({"loadfile", forLoadfile(targets[i]), "append"});
    }
    loading_ = true;
    refreshState();
}

double MpvMediaEngine::CurrentPosition() const {
    requireMedia("CurrentPosition");
    if (pendingSeek_) {
        return *pendingSeek_;
    }
    return state_ == kStopped ? 0.0 : shownPosition();
}

double MpvMediaEngine::shownPosition() const {
    return soughtPosition_ ? *soughtPosition_ : mpv_->state().timePos;
}

void MpvMediaEngine::SetCurrentPosition(double seconds) {
    requireMedia("SetCurrentPosition");
    if (!std::isfinite(seconds)) {
        throw EngineError("SetCurrentPosition: not a position");
    }
    // libmpv counts a negative absolute position from the end; the engine's start is 0.
    seekTo(std::max(seconds, 0.0));
}

void MpvMediaEngine::seekTo(double seconds) {
    if (loading_ || state_ == kStopped) {
        pendingSeek_ = seconds;  // applied once the media is open
        return;
    }
    startSeek(seconds);
}

void MpvMediaEngine::startSeek(double seconds) {
    // Numbered, so that only the restart after this seek, not one after an earlier, counts.
    ++seekNumber_;
    seekQueued_ = false;
    seekDone_ = false;
    soughtPosition_ = seconds;
    mpv_->command({"seek", numberText(seconds), "absolute+exact"}, seekNumber_);
}

void MpvMediaEngine::forgetSeek() {
    soughtPosition_.reset();
    seekQueued_ = false;
    seekDone_ = false;
}

void MpvMediaEngine::mpvCommandDone(std::uint64_t replyId, bool failed) {
    if (replyId != seekNumber_ || !soughtPosition_) {
        return;
    }
    if (failed) {
        forgetSeek();
        return;
    }
    seekQueued_ = true;
    seekTaken_.start();
}

void MpvMediaEngine::mpvPlaybackRestarted() {
    seekDone_ = seekQueued_;
}

double MpvMediaEngine::Duration() const {
    requireMedia("Duration");
    return duration_;
}

void MpvMediaEngine::SetPlayCount(std::int32_t count) {
    if (count < 0) {
        throw EngineError("SetPlayCount: the count cannot be negative");
    }
    playCount_ = count;
    applyLoop();
}

// A single media repeats inside libmpv without ending; a play list repeats as a whole.
void MpvMediaEngine::applyLoop() {
    const bool list = std::max(knownPlaylistCount_, mpv_->state().playlistCount) > 1;
    std::string rounds = playCount_ == 0   ? "inf"
                         : playCount_ == 1 ? "no"
                                           : std::to_string(list ? playCount_ : playCount_ - 1);
    mpv_->setProperty("loop-file", list ? std::string("no") : rounds);
    mpv_->setProperty("loop-playlist", list ? rounds : std::string("no"));
}

void MpvMediaEngine::Play() {
    requireMedia("Play");
    MpvState& mpv = mpv_->state();
    mpv_->setProperty("pause", "no");
    mpv.pause = false;
    if (state_ == kStopped) {
        endPending_ = false;
        if (mpv.playlistCount > 0) {
            mpv_->setProperty("playlist-pos", numberText(static_cast<double>(lastEntry_)));
            loading_ = true;
        } else {
            openMedia();
        }
    }
    refreshState();
}

void MpvMediaEngine::Pause() {
    requireMedia("Pause");
    if (state_ == kStopped) {
        return;
    }
    mpv_->setProperty("pause", "yes");
    mpv_->state().pause = true;
    refreshState();
}

void MpvMediaEngine::Stop() {
    if (fileName_.empty() || state_ == kStopped) {
        return;
    }
    mpv_->command({"stop", "keep-playlist"});
    ++fetchRound_;
    MpvState& mpv = mpv_->state();
    mpv.idle = true;
    mpv.timePos = 0.0;
    loading_ = false;
    endPending_ = false;
    forgetSeek();
    refreshState();
}

std::string MpvMediaEngine::GetMediaInfoString(std::int32_t infoType) const {
    requireMedia("GetMediaInfoString");
    if (infoType != kMediaInfoTitle && infoType != kMediaInfoAuthor) {
        return {};
    }
    const auto entry = static_cast<std::size_t>(lastEntry_);
    if (entry < entries_.size()) {
        const AsxEntry& e = entries_[entry];
        const std::string& text = infoType == kMediaInfoTitle ? e.title : e.author;
        if (!text.empty()) {
            return text;
        }
    }
    const auto& metadata = mpv_->state().metadata;
    // AVI files name the author "artist" (IART), Windows Media files "author".
    const auto keys = infoType == kMediaInfoTitle ? std::vector<std::string>{"title"}
                                                  : std::vector<std::string>{"artist", "author"};
    for (const std::string& key : keys) {
        if (auto it = metadata.find(key); it != metadata.end() && !it->second.empty()) {
            return it->second;
        }
    }
    return {};
}

void MpvMediaEngine::Previous() {
    requireMedia("Previous");
    jumpToEntry(lastEntry_ - 1);
}

void MpvMediaEngine::Next() {
    requireMedia("Next");
    jumpToEntry(lastEntry_ + 1);
}

void MpvMediaEngine::jumpToEntry(std::int64_t entry) {
    const std::int64_t count = mpv_->state().playlistCount;
    if (count > 1 && playCount_ == 0) {
        entry = (entry + count) % count;  // a repeating list goes round
    }
    if (entry < 0 || entry >= count) {
        throw EngineError("there is no such entry in the play list");
    }
    mpv_->setProperty("pause", "no");
    mpv_->state().pause = false;
    mpv_->setProperty("playlist-pos", numberText(static_cast<double>(entry)));
    lastEntry_ = entry;
    pendingSeek_.reset();
    forgetSeek();
    endPending_ = false;
    loading_ = true;
    refreshState();
}

void MpvMediaEngine::SetVolume(std::int32_t volume) {
    volume_ = std::clamp(volume, kQuietestVolume, kLoudestVolume);
    mpv_->setProperty("volume", mpvVolumeFor(volume_));
    if (bar_ != nullptr) {
        bar_->showVolume(volume_, balance_);
    }
}

void MpvMediaEngine::SetBalance(std::int32_t balance) {
    balance_ = std::clamp(balance, -kBalanceLimit, kBalanceLimit);
    const double position = stereoPositionFor(balance_);
    mpv_->setProperty(
        "af", balance_ == 0
                  ? std::string()
                  : "@balance:lavfi=[stereotools=balance_out=" + numberText(position) + "]");
    if (bar_ != nullptr) {
        bar_->showVolume(volume_, balance_);
    }
}

std::int32_t MpvMediaEngine::computeState() const {
    const MpvState& mpv = mpv_->state();
    if (fileName_.empty()) {
        return kStopped;
    }
    if (loading_) {
        return mpv.pause ? kPaused : 3;
    }
    if (mpv.idle) {
        return kStopped;
    }
    if (mpv.pause) {
        return kPaused;
    }
    if (mpv.pausedForCache || !mpv.tracksKnown ||
        (mpv.videoTrack > 0 && (mpv.videoWidth <= 0 || mpv.videoHeight <= 0))) {
        return 3;  // buffering, or whether there is a picture, or its size, is not known yet
    }
    return kPlaying;
}

void MpvMediaEngine::refreshState() {
    const std::int32_t now = computeState();
    if (bar_ != nullptr) {
        bar_->showProgress(now, now == kStopped ? 0.0 : shownPosition(), duration_);
    }
    if (now == state_) {
        return;
    }
    const std::int32_t before = state_;
    state_ = now;
    post(
        [before, now](MediaEngineEvents& sink) { sink.MediaPlayer1_PlayStateChange(before, now); });
}

void MpvMediaEngine::mpvFileStarted() {
    MpvState& mpv = mpv_->state();
    mpv.metadata.clear();
    mpv.timePos = 0.0;
    endPending_ = false;
    loading_ = true;
    forgetSeek();
    refreshState();
}

void MpvMediaEngine::mpvFileLoaded() {
    loading_ = false;
    if (pendingSeek_) {
        const double target = *pendingSeek_;
        pendingSeek_.reset();
        startSeek(target);
    }
    refreshState();
}

void MpvMediaEngine::mpvFileEnded(MpvFileEnd how) {
    if (how == MpvFileEnd::Stopped) {
        return;  // replaced or stopped on purpose; the member that did it set the state
    }
    loading_ = false;
    forgetSeek();
    // The real end only once nothing follows: a repeat or the next entry starts another file.
    endPending_ = how == MpvFileEnd::Eof;
    refreshState();
}

void MpvMediaEngine::mpvStateChanged() {
    const MpvState& mpv = mpv_->state();
    if (mpv.playlistPos >= 0) {
        lastEntry_ = mpv.playlistPos;
    }
    if (mpv.duration > 0) {
        duration_ = mpv.duration;
    }
    // Paused, libmpv shows the sound block or frame around the target and reports where that
    // begins, before or after it; playing, it soon passes the target. A stream that cannot seek
    // takes the seek and never restarts: its position goes on from where it was.
    constexpr qint64 kSeekGivenUpMs = 2000;
    if (soughtPosition_ && seekQueued_ && !mpv.pause &&
        (seekDone_ ? mpv.timePos >= *soughtPosition_ : seekTaken_.elapsed() > kSeekGivenUpMs)) {
        soughtPosition_.reset();  // playback has moved on from the position sought
    }
    if (mpv.playlistCount != knownPlaylistCount_ && mpv.playlistCount > 0) {
        knownPlaylistCount_ = mpv.playlistCount;
        applyLoop();
    }
    const PixelExtent video{static_cast<int>(mpv.videoWidth), static_cast<int>(mpv.videoHeight)};
    if (video != videoSize_) {
        videoSize_ = video;
        relayout();
        applyAutoSize();
    }
    refreshState();
    if (endPending_ && mpv.idle && !loading_) {
        endPending_ = false;
        post([](MediaEngineEvents& sink) { sink.MediaPlayer1_EndOfStream(0); });
    }
}

}  // namespace nwmp::engine

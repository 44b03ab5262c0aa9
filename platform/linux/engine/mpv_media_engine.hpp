#pragma once

// The media engine control on Linux: a widget that plays media with libmpv, draws the picture
// and, where the edition shows one, its own control bar underneath, and reports keys, play-state
// changes and the end of the media to the host.
//
// The widget is the control: the host places it with SetLeft/SetTop/SetWidth/SetHeight (twips)
// or as any QWidget. Everything runs on the GUI thread; libmpv's events are queued onto it, and
// the host's handlers are called from the event loop, never from inside a member call.
//
// For display size 3 (the entire screen) the picture moves into a window of its own. Hosts should
// set Qt::AA_ShareOpenGLContexts before creating the QApplication, so that Qt keeps the OpenGL
// context across that move; without it the engine reopens the video in the new context, which
// costs a moment of black picture.
//
// Play states: 0 stopped, 1 paused, 2 playing, 3 waiting (opening a media, buffering, or waiting
// for the first picture so that its size is known when "playing" is reported). Opening a media
// thus reads 3 until libmpv has said which tracks it plays and, with video, how large the picture
// is; only then does 2 follow, with auto size already applied, so that a host fitting its window
// to the control on every change finds the picture's real size.
//
// After a seek the position reads as the position sought until playback has moved on past it:
// libmpv reports where the frame or sound block it shows begins, which is seldom the target.
//
// Members that need a media throw EngineError while the file name is empty: CurrentPosition,
// SetCurrentPosition, Duration, Play, Pause, GetMediaInfoString, Previous and Next (which also
// fail when there is no entry in that direction). FileName, PlayState, PlayCount, Stop and the
// geometry never fail; SetPlayCount and SetDisplaySize fail only for values outside their range,
// SetFocus while the control is not visible.

#include <QtCore/QElapsedTimer>
#include <QtWidgets/QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/engine/asx_playlist.hpp"
#include "platform/linux/engine/mpv_session.hpp"
#include "platform/linux/engine/picture_geometry.hpp"
#include "platform/linux/engine/video_surface.hpp"
#include "player/editions/edition_profile.hpp"
#include "player/media_engine.hpp"

namespace nwmp::engine {

class EngineControlBar;
class FullScreenWindow;

struct EngineOptions {
    std::string audioOutput;  // libmpv's "ao": "null" for none, empty for its choice
    Renderer renderer = Renderer::Automatic;
};

class MpvMediaEngine final : public QWidget, public MediaEngine, private MpvListener {
  public:
    // Throws EngineError when libmpv cannot be started.
    MpvMediaEngine(const ControlBar& controlBar, QWidget* parent, EngineOptions options = {});
    ~MpvMediaEngine() override;

    QWidget* widget() { return this; }

    void setEventSink(MediaEngineEvents* sink) override { sink_ = sink; }

    std::string FileName() const override { return fileName_; }
    void SetFileName(const std::string& fileName) override;
    double CurrentPosition() const override;
    void SetCurrentPosition(double seconds) override;
    double Duration() const override;
    std::int32_t PlayCount() const override { return playCount_; }
    void SetPlayCount(std::int32_t count) override;
    void SetDisplaySize(std::int32_t displaySize) override;
    std::int32_t PlayState() const override { return state_; }
    void SetAutoSize(bool autoSize) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    std::string GetMediaInfoString(std::int32_t infoType) const override;
    void Previous() override;
    void Next() override;
    void SetLeft(double twips) override;
    void SetTop(double twips) override;
    double Width() const override;
    void SetWidth(double twips) override;
    double Height() const override;
    void SetHeight(double twips) override;
    void SetFocus() override;

    // The engine's volume, 0 (loudest) down to -10000, and balance, -10000 to 10000.
    std::int32_t Volume() const { return volume_; }
    void SetVolume(std::int32_t volume);
    std::int32_t Balance() const { return balance_; }
    void SetBalance(std::int32_t balance);

    std::int32_t DisplaySize() const { return displaySize_; }
    // A seek has been given and playback has not yet restarted after it.
    bool seeking() const { return soughtPosition_.has_value() && !seekDone_; }
    bool usesOpenGL() const { return usesOpenGL_; }
    // The picture's widget, and the whole-screen window while display size 3 lasts.
    QWidget* pictureSurface() const { return surface_; }
    QWidget* fullScreenWindow() const;
    EngineControlBar* controlBar() const { return bar_; }
    int controlBarHeight() const;  // pixels; 0 when the bar is not shown

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; }  // Tab is a key like any other

  private:
    // MpvListener
    void mpvFileStarted() override;
    void mpvFileLoaded() override;
    void mpvFileEnded(MpvFileEnd how) override;
    void mpvStateChanged() override;
    void mpvCommandDone(std::uint64_t replyId, bool failed) override;
    void mpvPlaybackRestarted() override;

    void requireMedia(const char* member) const;
    void openMedia();
    void applyLoop();
    void seekTo(double seconds);
    void startSeek(double seconds);
    void forgetSeek();
    double shownPosition() const;
    void refreshState();
    std::int32_t computeState() const;
    template <class Call>
    void post(Call call);
    void reportKey(QKeyEvent* event);
    void togglePlay();
    void jumpToEntry(std::int64_t entry);
    void relayout();
    void applyAutoSize();
    void enterFullScreen();
    void leaveFullScreen();
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;

    MediaEngineEvents* sink_ = nullptr;
    ControlBar barSettings_;
    std::unique_ptr<MpvSession> mpv_;
    QWidget* surface_ = nullptr;
    EngineControlBar* bar_ = nullptr;
    FullScreenWindow* fullScreen_ = nullptr;
    bool usesOpenGL_ = false;

    std::string fileName_;
    std::vector<AsxEntry> entries_;    // the metafile's entries, for their titles and authors
    bool remoteMetafileRead_ = false;  // a metafile named by URL has been fetched and read
    std::uint64_t fetchRound_ = 0;     // a fetch answers only while no other media came meanwhile
    std::int32_t state_ = kStopped;
    std::int32_t playCount_ = 1;
    std::int32_t displaySize_ = kDisplayFitToControl;
    std::int32_t displaySizeBeforeFullScreen_ = kDisplayFitToControl;
    bool autoSize_ = false;
    bool loading_ = false;     // a media is being opened
    bool endPending_ = false;  // the media ran to its end; the end of stream follows once idle
    PixelExtent videoSize_;    // the picture's own size; empty without one
    std::optional<double> pendingSeek_;     // given before the media was open
    std::optional<double> soughtPosition_;  // reported until playback has moved past it
    std::uint64_t seekNumber_ = 0;          // the last seek given to libmpv
    bool seekQueued_ = false;               // libmpv has taken that seek
    bool seekDone_ = false;                 // and playback has restarted after it
    QElapsedTimer seekTaken_;               // since libmpv took it
    std::int64_t lastEntry_ = 0;
    std::int64_t knownPlaylistCount_ = 0;
    double duration_ = 0.0;
    std::int32_t volume_ = 0;
    std::int32_t balance_ = 0;
};

}  // namespace nwmp::engine
